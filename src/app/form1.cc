#include "app/form1.h"

#include <cstdlib>
#include <utility>

#include "app/messages.h"
#include "app/settings.h"
#include "app/label.h"
#include "lexicon/text.h"
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

void Form1::cmdSearchTranscriptions_Click() {
  if (searchRunning_) return;  // a second search would interleave its rows with the first's
  if (!ValidateInput()) {
    lastOutcome = Outcome::kRefused;
    return;
  }
  RunSearch(Control::cmdSearchTranscriptions, Query::Kind::kTranscriptions);
}

void Form1::cmdSearchOrthography_Click() {
  if (searchRunning_) return;
  RunSearch(Control::cmdSearchOrthography, Query::Kind::kOrthography);
}

Query Form1::QueryFromControls(Query::Kind kind) {
  Query query;
  query.kind = kind;
  for (int b = 1; b <= kMaxItems; ++b) {
    query.items[static_cast<size_t>(b - 1)] = platform_.Text(TextBox(b));
    query.ignore[static_cast<size_t>(b - 1)] = platform_.Value(IgnoreBox(b)) != 0;
  }
  query.syllabified = platform_.Value(Control::chkSyllabified) == 1;
  query.vowels = platform_.Value(Control::chkVowels) == 1;
  query.exclude = platform_.Value(Control::chkExclude) == 1;
  query.exampleLengthLimit = ExampleLengthLimit;
  query.orthography = Trim(platform_.Text(Control::txtOrthography));
  query.filters = filters;
  if (kind == Query::Kind::kTranscriptions) query.parsed = parsed_;
  return query;
}

bool Form1::RunSearch(Control button, Query::Kind kind) {
  RunningGuard running(searchRunning_);
  runningButton_ = button;
  platform_.SetText(button, kPreparingCaption);
  NumberOfHits = 0;
  SaveSettings();
  // The query is made once: what the user changes while it runs does not
  // change the search.
  const Query query = QueryFromControls(kind);
  Status status;
  if (DoOnceOnlyTasks()) {
    status = engine.Run(query, ProgramFolder, *this, &NumberOfHits);
    // A file held by another program was retried until the user freed it.
    if (!status.ok()) platform_.MsgBox(GeneralFileErrorMessage(status));
  } else {
    status = Status::Make(Status::kFailed, "");
  }
  if (!status.ok()) {
    platform_.SetText(button, kReclickCaption);
    lastOutcome = Outcome::kFailed;
    return false;
  }
  if (NumberOfHits == 0) {
    platform_.MsgBox(kNoExamplesMessage);
  } else {
    displayOptions.Open();
  }
  platform_.SetText(button, NumberOfHits != 0 ? kDoneCaption : kReclickCaption);
  lastOutcome = NumberOfHits != 0 ? Outcome::kHits : Outcome::kNoHits;
  return true;
}

void Form1::cmdRereadClasses_Click() {
  if (searchRunning_) return;  // the search is using the class table
  PostTheUserLabel();
  int32_t limit = NumericValue(Trim(platform_.Text(Control::txtExampleLength)));
  ExampleLengthLimit = limit < 0 ? 0 : limit;
}

void Form1::cmdExit_Click() {
  CloseAllFiles();
  platform_.EndProgram();
}

void Form1::mnuHelp_Click() { help.OpenFromMainWindow(); }

void Form1::mnuAbout_Click() { platform_.MsgBox(AboutMessage()); }

void Form1::mnuSearchLanguage_Click() { platform_.MsgBox(SearchLanguageHelp()); }

void Form1::mnuViewResult_Click() { displayOptions.Open(); }

void Form1::chkIgnore_Click() { platform_.DoEvents(); }

// ---- Filters ------------------------------------------------------------------------

std::array<std::string, Form1::kFilterFields> Form1::FilterTexts() const {
  return {filters.minFrequency ? std::to_string(*filters.minFrequency) : "",
          filters.maxFrequency ? std::to_string(*filters.maxFrequency) : "",
          filters.segments ? filters.segments->Text() : "", filters.syllables ? filters.syllables->Text() : "",
          filters.stress};
}

bool Form1::SetFilterTexts(const std::array<std::string, kFilterFields>& texts) {
  static constexpr const char* kNames[kFilterFields] = {"lowest frequency", "highest frequency", "segments",
                                                        "syllables", "stress pattern"};
  LexicalFilters f;
  std::array<std::string, kFilterFields> t;
  for (size_t k = 0; k < t.size(); ++k) t[k] = Trim(texts[k]);
  const bool ok[kFilterFields] = {ParseFrequency(t[0], &f.minFrequency), ParseFrequency(t[1], &f.maxFrequency),
                                  ParseCountRange(t[2], &f.segments), ParseCountRange(t[3], &f.syllables),
                                  ParseStressPattern(t[4], &f.stress)};
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
  platform_.SetText(runningButton_, ProgressCaption(done, total));
  platform_.DoEvents();
}

// ---- Dictionary, inventory, label and classes -----------------------------------

bool Form1::DoOnceOnlyTasks() {
  const std::string fileName = platform_.Text(Control::txtInputFileName);
  if (!engine.lexicon.loaded() || fileName != engine.loadedFileName()) OnceOnlyTasksDone = false;
  const Status status = engine.Prepare(fileName, platform_.Value(Control::chkSyllabified) == 1, *this);
  if (status.kind == Status::kStopped) {
    // The user chose to leave rather than search data with unknown segments.
    CloseAllFiles();
    platform_.EndProgram();
  }
  if (!status.ok()) {
    platform_.MsgBox(InputFileMessage(status));
    return false;
  }
  OnceOnlyTasksDone = true;
  return true;
}

void Form1::ReadPhonemeInventory() {
  const Status status = engine.lexicon.LoadInventory(ProgramFolder + "/AllSegments.txt");
  if (!status.ok()) platform_.MsgBox(InventoryMessage(status));
}

void Form1::PostTheUserLabel() {
  const bool syllabified = platform_.Value(Control::chkSyllabified) == 1;
  const KeyAndClasses loaded = LoadKeyAndClasses(ProgramFolder, syllabified, &engine.lexicon.classes);
  if (!loaded.key.ok()) {
    platform_.MsgBox(ErrorText(loaded.key));
    return;
  }
  platform_.SetText(Control::lblListOfNaturalClasses, loaded.label);
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
  ReadSettingsFile(ProgramFolder, &s);
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
}

void Form1::SaveSettings() {
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
  // Not being able to save is no reason to stop what the user asked for.
  const Status status = WriteSettingsFile(ProgramFolder, s);
  if (!status.ok()) platform_.MsgBox(SettingsNotSavedMessage(status));
}

bool Form1::ValidateInput() {
  std::array<std::string, kMaxItems> items;
  for (int b = 1; b <= kMaxItems; ++b) items[static_cast<size_t>(b - 1)] = platform_.Text(TextBox(b));
  const Tier tier = TierOf(platform_.Value(Control::chkSyllabified) == 1, platform_.Value(Control::chkVowels) == 1);
  const Refusal refusal = ValidateItems(items, engine.lexicon, tier, FeaturesOfFolder(ProgramFolder), &parsed_);
  for (int b = 1; b <= kMaxItems; ++b) platform_.SetText(TextBox(b), items[static_cast<size_t>(b - 1)]);
  if (refusal.kind != Refusal::kNoItems) platform_.DoEvents();
  if (refusal.refused()) {
    platform_.MsgBox(RefusalMessage(refusal));
    return false;
  }
  return true;
}

}  // namespace velmora
