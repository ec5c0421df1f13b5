// SPDX-License-Identifier: GPL-3.0-or-later
// The logic of the result viewer frmDisplayOptions: six buttons that start the
// user's spreadsheet program or word processor on a result file, the two
// program locations and their saving, the way back to the main window.
#ifndef VELMORA_UI_DISPLAY_OPTIONS_H_
#define VELMORA_UI_DISPLAY_OPTIONS_H_

#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmora {

class frmHelp;

// What the viewer needs of the main window's model: the two stored program
// locations and their saving, the folder of the result files, the help
// window, ending the program.
class ViewerHost {
 public:
  virtual ~ViewerHost() = default;
  virtual std::string& SpreadsheetLocation() = 0;
  virtual std::string& WordProcessorLocation() = 0;
  virtual const std::string& ResultFolder() const = 0;
  virtual void SaveSettings() = 0;
  virtual frmHelp& Help() = 0;
  virtual void cmdExit_Click() = 0;
};

// How a stored location starts a program on this platform: when the location
// as a whole names an existing file, that program with the file path as its
// one argument; otherwise the location split into words as a shell would
// (quotes honoured, no expansion), with the file path added as the last
// argument. Empty when the location is empty (or holds no word): the file is
// then opened with the desktop's default application.
std::vector<std::string> ProgramArguments(const std::string& location, const std::string& filePath);

class frmDisplayOptions {
 public:
  frmDisplayOptions(ViewerHost& main, Platform& platform) : main_(main), platform_(platform) {}

  // Runs when the platform has loaded (and centred) the window: fills the two
  // location boxes from the stored locations.
  void Form_Load();
  void cmdFullSpreadsheet_Click();
  void cmdMediumSpreadsheet_Click();
  void cmdSmallSpreadsheet_Click();
  void cmdFullWordProcessor_Click();
  void cmdMediumWordProcessor_Click();
  void cmdTinyWordProcessor_Click();
  void cmdRememberLocations_Click();
  // "Return to main menu", and closing the window through its frame.
  void cmdBack_Click();
  void cmdExit_Click();
  void mnuHelp_Click();

  // Loads the window if needed, shows it, hides the main window.
  void Open();
  // Opens a file of the result folder with the program at location, or with
  // the desktop's default application when location names none.
  void View(const std::string& location, const std::string& fileName);

 private:
  ViewerHost& main_;
  Platform& platform_;
};

}  // namespace velmora

#endif  // VELMORA_UI_DISPLAY_OPTIONS_H_
