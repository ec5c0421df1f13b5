// SPDX-License-Identifier: GPL-3.0-or-later
// The result viewer frmDisplayOptions: six buttons that open a result file in
// the user's spreadsheet program or word processor, the two program locations,
// and the ways back and out. Every click is a procedure of frmDisplayOptions.
#ifndef VELMORA_QT_VIEWER_WINDOW_H_
#define VELMORA_QT_VIEWER_WINDOW_H_

#include <QMainWindow>

namespace velmora {

class frmDisplayOptions;

class ViewerWindow : public QMainWindow {
 public:
  explicit ViewerWindow(frmDisplayOptions& logic);

 protected:
  // Closing through the frame returns to the main window, so the program
  // never runs on without a visible window.
  void closeEvent(QCloseEvent* event) override;

 private:
  frmDisplayOptions& logic_;
};

}  // namespace velmora

#endif  // VELMORA_QT_VIEWER_WINDOW_H_
