// SPDX-License-Identifier: GPL-3.0-or-later
// Form1: the main window's model. It holds what the window shows beyond its
// controls (the two program locations, the example-length limit, the key),
// reads and saves the settings, builds a Query from the controls when a
// search button is clicked and runs it through the engine, and turns every
// Status into the message the user reads. It reaches the screen only through
// the Platform, so the Qt window and the tests run this same code.
#ifndef VELMORA_APP_FORM1_H_
#define VELMORA_APP_FORM1_H_

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/settings.h"
#include "lexicon/lexicon.h"
#include "platform/platform.h"
#include "search/query.h"
#include "ui/display_options.h"
#include "ui/help_window.h"

namespace velmora {

class Form1 : public SearchEvents, public ViewerHost {
 public:
  // programFolder: the folder that holds the program and its data files.
  Form1(Platform& platform, std::string programFolder);

  // ---- Event procedures -------------------------------------------------
  // Start-up: initial control values, settings, inventory, label and classes.
  // (The platform has created and centred the window.)
  void Form_Load();
  void cmdSearchTranscriptions_Click();
  void cmdSearchOrthography_Click();
  void cmdRereadClasses_Click();
  // "Ex&it", and closing the main window through its frame: abandons the
  // files of a running search and ends the program.
  void cmdExit_Click() override;
  void mnuHelp_Click();
  void mnuAbout_Click();
  // "Search language": the items the boxes take, with examples.
  void mnuSearchLanguage_Click();
  void mnuViewResult_Click();
  // "View > Data set": takes the data set name chooses (a bundled set's
  // name, or a folder) for the key, the classes, the features and in.txt,
  // and saves the choice; false, with the user told why, when it cannot.
  bool mnuDataSet_Click(const std::string& name);
  // The bundled data sets the menu lists, "en" first.
  std::vector<std::string> DataSets() const;
  void chkIgnore_Click();

  // The Filters dialog's five fields (lowest and highest frequency, segments,
  // syllables, stress pattern) as texts, and their setting: false, with the
  // user told which field is wrong, when one is not of its form (the filters
  // stay as they were).
  static constexpr int kFilterFields = 7;
  std::array<std::string, kFilterFields> FilterTexts() const;
  bool SetFilterTexts(const std::array<std::string, kFilterFields>& texts);

  // ---- Procedures ---------------------------------------------------------
  void ReadSettings();
  // Saves the settings the controls show now.
  void SaveSettings() override;
  void ReadPhonemeInventory();
  // Posts the key and the list of classes, loading the classes of the folder
  // the syllabified box selects.
  void PostTheUserLabel();
  // The settings the controls describe now.
  Settings SettingsFromControls();
  // Abandons the running result files of a search that did not finish.
  void CloseAllFiles() { engine.AbandonRunningFiles(); }

  // The lexicon of the last search; null before the first.
  const Lexicon* lexicon() const { return engine.lexicon(); }

  // ---- Members ------------------------------------------------------------
  std::string mSpreadsheetLocation;
  std::string mWordProcessorLocation;
  // The dictionary the input-file box names was read and divided by the last search.
  bool OnceOnlyTasksDone = false;
  int32_t NumberOfHits = 0;
  int32_t ExampleLengthLimit = 100;
  // The lexical filters of the next search (the Filters dialog sets them;
  // they are saved with the settings).
  LexicalFilters filters;
  const std::string ProgramFolder;
  // The folder the program folder's data is copied from ("" when none),
  // where the bundled data sets are found too.
  std::string DataSource;
  // The data set in use, as UserSettings.txt keeps it: "" for English.
  std::string DataSet;
  Engine engine;
  frmDisplayOptions displayOptions;
  frmHelp help;

  // How the last search command ended.
  enum class Outcome { kNone, kRefused, kHits, kNoHits, kFailed };
  Outcome lastOutcome = Outcome::kNone;
  bool searchRunning() const { return searchRunning_; }
  Platform& platform() { return platform_; }

  // ---- The engine's questions and the viewer's needs -------------------------
  bool Continue(const Caution& caution) override;
  bool RetryInUse(const Status& status) override;
  void Progress(int32_t done, int32_t total) override;
  std::string& SpreadsheetLocation() override { return mSpreadsheetLocation; }
  std::string& WordProcessorLocation() override { return mWordProcessorLocation; }
  const std::string& ResultFolder() const override { return ProgramFolder; }
  frmHelp& Help() override { return help; }

 private:
  // A search command's common road: the query made from the controls (the
  // boxes validated for a transcription search), the settings saved, the
  // search and its files.
  void RunSearch(Control button, Query::Kind kind);
  // Shows the boxes as the validation left them and tells the user why it
  // refused them, if it did.
  bool ShowValidation(const Settings& settings, const Refusal& refusal);
  // Ends the program: the open files are abandoned, and the event loop ends
  // once the running command returns.
  void Quit();
  void SaveSettings(const Settings& settings);
  // Hands the engine the data set name chooses; false after telling the user
  // why it cannot (saved: the name was read from UserSettings.txt).
  bool UseDataSet(const std::string& name, bool saved);

  Platform& platform_;
  bool searchRunning_ = false;
  bool quitting_ = false;
  Control runningButton_ = Control::cmdSearchTranscriptions;
};

}  // namespace velmora

#endif  // VELMORA_APP_FORM1_H_
