// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_options.h"

#include "platform/text.h"
#include "platform/files.h"
#include "ui/help_window.h"

namespace velmora {

namespace {
constexpr const char* kFullOutput = "FullOutput.txt";
constexpr const char* kMediumOutput = "MediumOutput.txt";
constexpr const char* kSmallOutput = "SmallOutput.txt";

}  // namespace

std::vector<std::string> ProgramArguments(const std::string& location, const std::string& filePath) {
  if (location.empty()) return {};
  if (FileExists(location)) return {location, filePath};

  std::vector<std::string> words = SplitShellWords(location);
  if (words.empty()) return {};
  words.push_back(filePath);
  return words;
}

void frmDisplayOptions::Form_Load() {
  platform_.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, main_.WordProcessorLocation());
  platform_.SetText(Control::frmDisplayOptions_txtSpreadsheetLocation, main_.SpreadsheetLocation());
}

void frmDisplayOptions::cmdFullSpreadsheet_Click() { View(main_.SpreadsheetLocation(), kFullOutput); }
void frmDisplayOptions::cmdMediumSpreadsheet_Click() { View(main_.SpreadsheetLocation(), kMediumOutput); }
void frmDisplayOptions::cmdSmallSpreadsheet_Click() { View(main_.SpreadsheetLocation(), kSmallOutput); }
void frmDisplayOptions::cmdFullWordProcessor_Click() { View(main_.WordProcessorLocation(), kFullOutput); }
void frmDisplayOptions::cmdMediumWordProcessor_Click() { View(main_.WordProcessorLocation(), kMediumOutput); }
void frmDisplayOptions::cmdTinyWordProcessor_Click() { View(main_.WordProcessorLocation(), kSmallOutput); }

void frmDisplayOptions::cmdRememberLocations_Click() {
  main_.SpreadsheetLocation() = platform_.Text(Control::frmDisplayOptions_txtSpreadsheetLocation);
  main_.WordProcessorLocation() = platform_.Text(Control::frmDisplayOptions_txtWordProcessorLocation);
  main_.SaveSettings();
}

void frmDisplayOptions::cmdBack_Click() {
  platform_.UnloadWindow(Window::frmDisplayOptions);
  platform_.ShowWindow(Window::Form1);
}

void frmDisplayOptions::cmdExit_Click() { main_.cmdExit_Click(); }

void frmDisplayOptions::mnuHelp_Click() { main_.Help().OpenFromViewer(); }

void frmDisplayOptions::Open() {
  if (!platform_.IsLoaded(Window::frmDisplayOptions)) {
    platform_.LoadWindow(Window::frmDisplayOptions);
    Form_Load();
  }
  platform_.ShowWindow(Window::frmDisplayOptions);
  platform_.HideWindow(Window::Form1);
}

// The program is started on its own and not waited for; the file is not
// checked, so a missing result file is the started program's to report.
void frmDisplayOptions::View(const std::string& location, const std::string& fileName) {
  const std::string filePath = main_.ResultFolder() + "/" + fileName;
  const std::vector<std::string> argv = ProgramArguments(location, filePath);
  if (argv.empty()) {
    // No program is set: the desktop's own choice for the file.
    const Status opened = platform_.OpenWithDefaultApplication(filePath);
    if (!opened.ok()) platform_.MsgBox("Could not open " + filePath + ": " + opened.reason + ".");
    return;
  }
  const Status started = platform_.StartProgram(argv);
  if (!started.ok()) platform_.MsgBox("Could not start " + location + ": " + started.reason + ".");
}

}  // namespace velmora
