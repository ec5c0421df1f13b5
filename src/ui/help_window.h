// SPDX-License-Identifier: GPL-3.0-or-later
// The logic of the help window frmHelp: nine fixed topic texts, shown one at a
// time in its text area (the control frmHelp_Label1). Line breaks in the texts
// are single CR characters.
#ifndef VELMORA_UI_HELP_WINDOW_H_
#define VELMORA_UI_HELP_WINDOW_H_

#include <string>

#include "platform/platform.h"

namespace velmora {

// The text of topic 1..9, exactly as the help window shows it.
std::string HelpTopicText(int topic);

class frmHelp {
 public:
  explicit frmHelp(Platform& platform) : platform_(platform) {}

  // Runs when the platform has loaded (and centred) the window: shows topic 1.
  void Form_Load();
  // Replaces the text area with topic n and yields once.
  void ShowTopic(int topic);
  void cmdGeneral_Click() { ShowTopic(1); }
  void cmdNaturalClasses_Click() { ShowTopic(2); }
  void cmdReadingOutputFiles_Click() { ShowTopic(3); }
  void cmdSyllabification_Click() { ShowTopic(4); }
  void cmdOrthography_Click() { ShowTopic(5); }
  void cmdCaseSensitive_Click() { ShowTopic(6); }
  void cmdIterativeSearches_Click() { ShowTopic(7); }
  void cmdDictionary_Click() { ShowTopic(8); }
  void cmdOtherLanguages_Click() { ShowTopic(9); }
  // "Exit help", and closing the window through its frame: unloads it.
  void cmdExit_Click();

  // The two openers. From the main window: load if not loaded (topic 1), show;
  // an open window keeps its topic. From the viewer: load if not loaded, then
  // topic 3, show.
  void OpenFromMainWindow();
  void OpenFromViewer();

 private:
  Platform& platform_;
};

}  // namespace velmora

#endif  // VELMORA_UI_HELP_WINDOW_H_
