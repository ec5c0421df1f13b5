// SPDX-License-Identifier: GPL-3.0-or-later
// The help window frmHelp: one large text area and a column of nine topic
// buttons beside it. The topic texts and what the buttons do belong to frmHelp.
#ifndef VELMORA_QT_HELP_WINDOW_QT_H_
#define VELMORA_QT_HELP_WINDOW_QT_H_

#include <QWidget>

namespace velmora {

class frmHelp;

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(frmHelp& logic);

 protected:
  // Closing through the frame is "Exit help".
  void closeEvent(QCloseEvent* event) override;

 private:
  frmHelp& logic_;
};

}  // namespace velmora

#endif  // VELMORA_QT_HELP_WINDOW_QT_H_
