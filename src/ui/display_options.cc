#include "ui/display_options.h"

#include "app/form1.h"
#include "platform/files.h"

namespace velmora {

namespace {
constexpr const char* kFullOutput = "FullOutput.txt";
constexpr const char* kMediumOutput = "MediumOutput.txt";
constexpr const char* kSmallOutput = "SmallOutput.txt";

bool IsWordSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }
}  // namespace

std::string ViewCommandLine(const std::string& location, const std::string& programFolder,
                            const std::string& fileName) {
  return location + " " + "\"" + programFolder + "/" + fileName + "\"";
}

std::vector<std::string> ProgramArguments(const std::string& location, const std::string& filePath) {
  if (location.empty()) return {};
  if (FileExists(location)) return {location, filePath};

  // Split as a shell splits words: blanks separate words; single quotes keep
  // everything up to the next single quote; double quotes keep everything up
  // to the next double quote, a backslash there escaping only " and \; a
  // backslash elsewhere keeps the next character. A quote that is never
  // closed runs to the end. Nothing is expanded.
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;  // quotes alone make a word, even an empty one
  const size_t n = location.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = location[i];
    if (IsWordSeparator(c)) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      for (++i; i < n && location[i] != '\''; ++i) word += location[i];
    } else if (c == '"') {
      for (++i; i < n && location[i] != '"'; ++i) {
        if (location[i] == '\\' && i + 1 < n && (location[i + 1] == '"' || location[i + 1] == '\\')) ++i;
        word += location[i];
      }
    } else if (c == '\\' && i + 1 < n) {
      word += location[++i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(word);
  if (words.empty()) return {};
  words.push_back(filePath);
  return words;
}

void frmDisplayOptions::Form_Load() {
  platform_.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, main_.mWordProcessorLocation);
  platform_.SetText(Control::frmDisplayOptions_txtSpreadsheetLocation, main_.mSpreadsheetLocation);
}

void frmDisplayOptions::cmdFullSpreadsheet_Click() { View(main_.mSpreadsheetLocation, kFullOutput); }
void frmDisplayOptions::cmdMediumSpreadsheet_Click() { View(main_.mSpreadsheetLocation, kMediumOutput); }
void frmDisplayOptions::cmdSmallSpreadsheet_Click() { View(main_.mSpreadsheetLocation, kSmallOutput); }
void frmDisplayOptions::cmdFullWordProcessor_Click() { View(main_.mWordProcessorLocation, kFullOutput); }
void frmDisplayOptions::cmdMediumWordProcessor_Click() { View(main_.mWordProcessorLocation, kMediumOutput); }
void frmDisplayOptions::cmdTinyWordProcessor_Click() { View(main_.mWordProcessorLocation, kSmallOutput); }

void frmDisplayOptions::cmdRememberLocations_Click() {
  main_.mSpreadsheetLocation = platform_.Text(Control::frmDisplayOptions_txtSpreadsheetLocation);
  main_.mWordProcessorLocation = platform_.Text(Control::frmDisplayOptions_txtWordProcessorLocation);
  main_.SaveSettings();
}

void frmDisplayOptions::cmdBack_Click() {
  platform_.UnloadWindow(Window::frmDisplayOptions);
  platform_.ShowWindow(Window::Form1);
}

void frmDisplayOptions::cmdExit_Click() { main_.cmdExit_Click(); }

void frmDisplayOptions::mnuHelp_Click() { main_.help.OpenFromViewer(); }

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
  const std::string filePath = main_.ProgramFolder + "/" + fileName;
  const std::vector<std::string> argv = ProgramArguments(location, filePath);
  std::string reason;
  if (argv.empty()) {
    // No program is set: the desktop's own choice for the file.
    if (!platform_.OpenWithDefaultApplication(filePath, &reason)) {
      platform_.MsgBox("Could not open " + filePath + ": " + reason + ".");
    }
    return;
  }
  if (!platform_.StartProgram(argv, &reason)) platform_.MsgBox("Could not start " + location + ": " + reason + ".");
}

}  // namespace velmora
