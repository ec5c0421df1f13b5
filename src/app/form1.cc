// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include <cstdlib>
#include <utility>

#include "app/messages.h"
#include "engine/settings.h"
#include "app/label.h"
#include "platform/text.h"
#include "platform/files.h"

namespace velmora {

namespace {
// Clears a flag when a scope ends, however it ends.
class RunningGuard {
 public:
  explicit RunningGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningGuard() { flag_ = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;

 private:
  bool& flag_;
};
}  // namespace

Form1::Form1(Platform& platform, std::string programFolder)
    : ProgramFolder(std::move(programFolder)),
      engine(ProgramFolder),
      displayOptions(*this, platform),
      help(platform),
      platform_(platform) {}

// ---- Start-up, commands and menus -------------------------------------------

void Form1::Form_Load() {
  platform_.SetText(Control::cmdSearchTranscriptions, kSearchTranscriptionsCaption);
  platform_.SetText(Control::cmdSearchOrthography, kSearchOrthographyCaption);
  platform_.SetText(Control::txtInputFileName, "in.txt");
  platform_.SetText(Control::txtExampleLength, "100");
  ReadSettings();
  ReadPhonemeInventory();
  PostTheUserLabel();
}

std::vector<std::string> Form1::DataSets() const { return BundledDataSets(ProgramFolder, DataSource); }

bool Form1::UseDataSet(const std::string& name, bool saved) {
  const DataSetChoice choice = FindDataSet(ProgramFolder, DataSource, name);
  if (!choice.status.ok()) {
    std::string text = choice.status.kind == Status::kMalformed ? UnknownDataSetMessage(choice, DataSets(), saved)
                                                                : DataSetNotCopiedMessage(name, choice);
    if (choice.status.kind == Status::kMalformed) text = "T" + text.substr(1) + ".";
    platform_.MsgBox(text);
    return false;
  }
  engine.SetDataFolder(choice.folder);
  DataSet = choice.saved;
  OnceOnlyTasksDone = false;
  return true;
}

bool Form1::mnuDataSet_Click(const std::string& name) {
  if (searchRunning_ || !UseDataSet(name, false)) return false;
  ReadPhonemeInventory();
  PostTheUserLabel();
  SaveSettings();
  return true;
}

void Form1::cmdSearchTranscriptions_Click() {
  // A second search would interleave its rows with the first's.
  if (!searchRunning_) RunSearch(Control::cmdSearchTranscriptions, Query::Kind::kTranscriptions);
}

void Form1::cmdSearchOrthography_Click() {
  if (!searchRunning_) RunSearch(Control::cmdSearchOrthography, Query::Kind::kOrthography);
}

Settings Form1::SettingsFromControls() {
  Settings s;
  s.inputFileName = platform_.Text(Control::txtInputFileName);
  for (int b = 1; b <= kMaxItems; ++b) {
    s.boxes[static_cast<size_t>(b - 1)] = platform_.Text(TextBox(b));
    // The small boxes count as checked whenever their value is not 0.
    s.ignore[static_cast<size_t>(b - 1)] = platform_.Value(IgnoreBox(b)) != 0;
  }
  s.orthography = platform_.Text(Control::txtOrthography);
  s.syllabified = platform_.Value(Control::chkSyllabified) == 1;
  s.spreadsheetLocation = mSpreadsheetLocation;
  s.wordProcessorLocation = mWordProcessorLocation;
  s.exclude = platform_.Value(Control::chkExclude) == 1;
  s.exampleLength = ExampleLengthLimit;
  s.vowels = platform_.Value(Control::chkVowels) == 1;
  s.filters = filters;
  s.dataSet = DataSet;
  return s;
}

bool Form1::ShowValidation(const Settings& settings, const Refusal& refusal) {
  for (int b = 1; b <= kMaxItems; ++b) platform_.SetText(TextBox(b), settings.boxes[static_cast<size_t>(b - 1)]);
  if (refusal.kind != Refusal::kNoItems) platform_.DoEvents();
  if (!refusal.refused()) return true;
  platform_.MsgBox(RefusalMessage(refusal));
  lastOutcome = Outcome::kRefused;
  return false;
}

void Form1::RunSearch(Control button, Query::Kind kind) {
  // The query is made once: what the user changes while it runs does not
  // change the search.
  Settings settings = SettingsFromControls();
  Query query;
  const Refusal refusal = engine.Compile(settings, kind, &query);
  if (kind == Query::Kind::kTranscriptions && !ShowValidation(settings, refusal)) return;
  RunningGuard running(searchRunning_);
  runningButton_ = button;
  platform_.SetText(button, kPreparingCaption);
  NumberOfHits = 0;
  SaveSettings(settings);
  const SearchResult result = engine.Run(query, ProgramFolder, *this);
  OnceOnlyTasksDone = result.outcome != velmora::Outcome::kInputFailed && engine.lexicon() != nullptr &&
                      engine.lexicon()->divided();
  switch (result.outcome) {
    case velmora::Outcome::kStopped:
      // A No to a caution: the user chose to leave rather than search data
      // with unknown segments. (Files abandoned by Exit: the program is ending.)
      Quit();
      return;
    case velmora::Outcome::kInputFailed:
      platform_.MsgBox(InputFileMessage(result.status));
      break;
    case velmora::Outcome::kOutputFailed:
      // A file held by another program was retried until the user freed it.
      platform_.MsgBox(GeneralFileErrorMessage(result.status));
      break;
    case velmora::Outcome::kNoHits:
      platform_.MsgBox(kNoExamplesMessage);
      break;
    case velmora::Outcome::kHits:
      NumberOfHits = result.hits;
      displayOptions.Open();
      break;
  }
  const bool hits = result.outcome == velmora::Outcome::kHits;
  const bool failed = !hits && result.outcome != velmora::Outcome::kNoHits;
  platform_.SetText(button, hits ? kDoneCaption : kReclickCaption);
  lastOutcome = failed ? Outcome::kFailed : hits ? Outcome::kHits : Outcome::kNoHits;
}

void Form1::Quit() {
  if (quitting_) return;
  quitting_ = true;
  CloseAllFiles();
  platform_.Quit();
}

void Form1::cmdRereadClasses_Click() {
  if (searchRunning_) return;  // the search is using the class table
  PostTheUserLabel();
  int32_t limit = NumericValue(Trim(platform_.Text(Control::txtExampleLength)));
  ExampleLengthLimit = limit < 0 ? 0 : limit;
}

void Form1::cmdExit_Click() { Quit(); }

void Form1::mnuHelp_Click() { help.OpenFromMainWindow(); }

void Form1::mnuAbout_Click() { platform_.MsgBox(AboutMessage()); }

void Form1::mnuSearchLanguage_Click() { platform_.ShowReference(SearchLanguageReference()); }

void Form1::mnuViewResult_Click() { displayOptions.Open(); }

void Form1::chkIgnore_Click() { platform_.DoEvents(); }

// ---- Filters ------------------------------------------------------------------------

std::array<std::string, Form1::kFilterFields> Form1::FilterTexts() const {
  return {filters.minFrequency ? std::to_string(*filters.minFrequency) : "",
          filters.maxFrequency ? std::to_string(*filters.maxFrequency) : "",
          filters.segments ? filters.segments->Text() : "", filters.syllables ? filters.syllables->Text() : "",
          filters.stress, filters.neighbours ? filters.neighbours->Text() : "",
          filters.uniquenessPoint ? filters.uniquenessPoint->Text() : ""};
}

bool Form1::SetFilterTexts(const std::array<std::string, kFilterFields>& texts) {
  static constexpr const char* kNames[kFilterFields] = {"lowest frequency", "highest frequency", "segments",
                                                        "syllables", "stress pattern", "neighbours",
                                                        "uniqueness point"};
  LexicalFilters f;
  std::array<std::string, kFilterFields> t;
  for (size_t k = 0; k < t.size(); ++k) t[k] = Trim(texts[k]);
  const bool ok[kFilterFields] = {ParseFrequency(t[0], &f.minFrequency), ParseFrequency(t[1], &f.maxFrequency),
                                  ParseCountRange(t[2], &f.segments), ParseCountRange(t[3], &f.syllables),
                                  ParseStressPattern(t[4], &f.stress), ParseCountRange(t[5], &f.neighbours),
                                  ParseCountRange(t[6], &f.uniquenessPoint)};
  for (size_t k = 0; k < t.size(); ++k) {
    if (!ok[k]) {
      platform_.MsgBox(FilterValueMessage(kNames[k], t[k]));
      return false;
    }
  }
  filters = f;
  return true;
}

// ---- The engine's questions ----------------------------------------------------

bool Form1::Continue(const Caution& caution) { return platform_.AskYesNo(CautionMessage(caution)); }

bool Form1::RetryInUse(const Status&) {
  platform_.MsgBox(kFileInUseMessage);
  return true;
}

void Form1::Progress(int32_t done, int32_t total) {
  if (quitting_) return;  // the program is ending: nothing more is shown
  platform_.SetText(runningButton_, ProgressCaption(done, total));
  platform_.DoEvents();
}

// ---- Dictionary, inventory, label and classes -----------------------------------

void Form1::ReadPhonemeInventory() {
  const Status status = engine.LoadInventory();
  if (!status.ok()) platform_.MsgBox(InventoryMessage(status));
}

void Form1::PostTheUserLabel() {
  const bool syllabified = platform_.Value(Control::chkSyllabified) == 1;
  const ClassLoad loaded = engine.LoadClasses(syllabified);
  if (!loaded.key.ok()) {
    platform_.MsgBox(ErrorText(loaded.key));
    return;
  }
  platform_.SetText(Control::lblListOfNaturalClasses, KeyLabel(loaded, syllabified));
  // A failure in the syllabified folder ends its loading silently.
  if (!loaded.classes.ok() && !syllabified) {
    platform_.MsgBox(ErrorText(loaded.classes));
    return;
  }
  platform_.DoEvents();
}

// ---- Settings and validation ------------------------------------------------------

void Form1::ReadSettings() {
  Settings s;
  const std::vector<Status> lostFilters = ReadSettingsFile(ProgramFolder, &s);
  if (!lostFilters.empty()) platform_.MsgBox(UnreadableFiltersMessage(lostFilters));
  // Only what the file set changes a control; the rest keep their values.
  auto read = [&](Setting setting) { return s.read.test(static_cast<size_t>(setting)); };
  if (read(kInputFileName)) platform_.SetText(Control::txtInputFileName, s.inputFileName);
  for (int b = 1; b <= kMaxItems; ++b) {
    const size_t i = static_cast<size_t>(b - 1);
    if (read(static_cast<Setting>(kBox1 + i))) platform_.SetText(TextBox(b), s.boxes[i]);
    if (read(static_cast<Setting>(kIgnore1 + i))) platform_.SetValue(IgnoreBox(b), s.ignore[i] ? 1 : 0);
  }
  if (read(kOrthography)) platform_.SetText(Control::txtOrthography, s.orthography);
  if (read(kSyllabified)) platform_.SetValue(Control::chkSyllabified, s.syllabified ? 1 : 0);
  if (read(kSpreadsheetLocation)) mSpreadsheetLocation = s.spreadsheetLocation;
  if (read(kWordProcessorLocation)) mWordProcessorLocation = s.wordProcessorLocation;
  if (read(kExclude)) platform_.SetValue(Control::chkExclude, s.exclude ? 1 : 0);
  if (read(kExampleLength)) {
    ExampleLengthLimit = s.exampleLength;
    platform_.SetText(Control::txtExampleLength, std::to_string(ExampleLengthLimit));
  }
  if (read(kVowels)) platform_.SetValue(Control::chkVowels, s.vowels ? 1 : 0);
  filters = s.filters;
  // A saved data set that is gone leaves the English one in use.
  if (read(kDataSet) && !UseDataSet(s.dataSet, true)) UseDataSet("", true);
}

void Form1::SaveSettings() { SaveSettings(SettingsFromControls()); }

void Form1::SaveSettings(const Settings& settings) {
  // Not being able to save is no reason to stop what the user asked for.
  const Status status = WriteSettingsFile(ProgramFolder, settings);
  if (!status.ok()) platform_.MsgBox(SettingsNotSavedMessage(status));
}

}  // namespace velmora
