// SPDX-License-Identifier: GPL-3.0-or-later
// The main window Form1: the five search boxes with their ignore boxes, the
// orthography search, the key label, the option column and the menu bar. It
// draws; everything it does on a click is a procedure of Form1.
#ifndef VELMORA_QT_MAIN_WINDOW_H_
#define VELMORA_QT_MAIN_WINDOW_H_

#include <QMainWindow>
#include <QMenu>

namespace velmora {

class Form1;

// Shows the data set form uses in the main window's title ("... — it"),
// after the title the window had without one.
void ShowDataSetInTitle(QWidget* mainWindow, const Form1& form);

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(Form1& form);

 protected:
  // Closing through the frame is "Ex&it": Form1 closes its files and ends the
  // program.
  void closeEvent(QCloseEvent* event) override;

 private:
  // "View > Data set": the bundled sets, the one in use checked, and "Other
  // folder...".
  void AddDataSetMenu(QMenu* view);

  Form1& form_;
};

}  // namespace velmora

#endif  // VELMORA_QT_MAIN_WINDOW_H_
