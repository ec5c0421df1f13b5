#include "app/form1.h"

#include <cstdlib>
#include <utility>

#include "app/maintainer.h"
#include "lexicon/text.h"
#include "output/result_layout.h"

namespace velmora {

namespace {
constexpr const char* kReclick = "You can re-click here for another search.";
constexpr const char* kDone = "Done!  You can re-click here for another search.";

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
// A failure of the label or the classes: the error number and the
// description, which names the file.
std::string ErrorText(int code, const std::string& path, const std::string& reason) {
  std::string text = " ";
  text += std::to_string(code);
  text += ' ';
  text += path;
  text += ": ";
  text += reason;
  return text;
}
}  // namespace

std::string AboutMessage() {
  return std::string(
             "Velmora was programmed by its author, of the Department of Linguistics, in 2011, and is kept "
             "up by ") +
         kMaintainerName + ".  There is no Mac version.  Please contact " + kMaintainerName + " (" +
         kMaintainerEmail + ") with bugs, queries, and dictionary corrections.";
}

Form1::Form1(Platform& platform, std::string programFolder)
    : ProgramFolder(std::move(programFolder)), displayOptions(*this, platform), help(platform), platform_(platform) {}

// ---- Start-up, commands and menus -------------------------------------------

void Form1::Form_Load() {
  platform_.SetText(Control::cmdSearchTranscriptions, "Search transcriptions");
  platform_.SetText(Control::cmdSearchOrthography, "Search orthography");
  platform_.SetText(Control::txtInputFileName, "in.txt");
  platform_.SetText(Control::txtExampleLength, "100");
  ReadSettings();
  ReadPhonemeInventory();
  PostTheUserLabel();
}

void Form1::ResetSearchState() {
  hitRows_.Reset();
  NumberOfHits = 0;
  HitWordList.clear();
  hitTable.Reset();
}

template <typename SearchFn>
bool Form1::RunSearch(Control button, SearchFn&& search) {
  RunningGuard running(searchRunning_);
  platform_.SetText(button, "Preparing search ...");
  ResetSearchState();
  SaveSettings();
  // The dictionary is read before the result files are created, so that the
  // results of one search can be searched in turn.
  if (!DoOnceOnlyTasks() || !OpenFiles()) {
    CloseAllFiles();
    platform_.SetText(button, kReclick);
    lastOutcome = Outcome::kFailed;
    return false;
  }
  search();
  if (!FinishPreparingOutputFiles()) {
    CloseAllFiles();
    platform_.SetText(button, kReclick);
    lastOutcome = Outcome::kFailed;
    return false;
  }
  platform_.SetText(button, NumberOfHits != 0 ? kDone : kReclick);
  lastOutcome = NumberOfHits != 0 ? Outcome::kHits : Outcome::kNoHits;
  return true;
}

void Form1::cmdSearchTranscriptions_Click() {
  if (searchRunning_) return;  // a second search would interleave its rows with the first's
  if (!ValidateInput()) {
    lastOutcome = Outcome::kRefused;
    return;
  }
  RunSearch(Control::cmdSearchTranscriptions, [this] {
    if (platform_.Value(Control::chkVowels) == 1) {
      MakeVowelTier();
      FindInTranscriptions(VowelTranscriptions, VowelTranscriptionLengths);
    } else if (platform_.Value(Control::chkSyllabified) == 1) {
      FindInTranscriptions(SyllabifiedTranscriptions, TranscriptionLengths);
    } else {
      FindInTranscriptions(Transcriptions, TranscriptionLengths);
    }
  });
}

void Form1::cmdSearchOrthography_Click() {
  if (searchRunning_) return;
  RunSearch(Control::cmdSearchOrthography, [this] { FindInOrthography(); });
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
  std::abort();  // EndProgram does not return
}

void Form1::mnuHelp_Click() { help.OpenFromMainWindow(); }

void Form1::mnuAbout_Click() { platform_.MsgBox(AboutMessage()); }

void Form1::mnuViewResult_Click() { displayOptions.Open(); }

void Form1::chkIgnore_Click() { platform_.DoEvents(); }

// ---- Dictionary ---------------------------------------------------------------

bool Form1::DoOnceOnlyTasks() {
  const std::string fileName = platform_.Text(Control::txtInputFileName);
  if (!loaded_ || fileName != loadedFileName_) {
    loaded_ = false;
    divided_ = false;
    OnceOnlyTasksDone = false;
    if (!ReadDictionary()) return false;
    loaded_ = true;
    loadedFileName_ = fileName;
  }
  const bool syllabified = platform_.Value(Control::chkSyllabified) == 1;
  if (!divided_ || syllabified != dividedSyllabified_) {
    divided_ = false;
    DivideWordsIntoPhonemes();
    divided_ = true;
    dividedSyllabified_ = syllabified;
  }
  OnceOnlyTasksDone = true;
  return true;
}

bool Form1::ReadDictionary() {
  const std::string path = ProgramFolder + "/" + platform_.Text(Control::txtInputFileName);
  FileBytes file;
  std::string reason;
  if (!ReadLargeFile(path, &file, &reason)) {
    dictionary = Dictionary();
    platform_.MsgBox("The input file " + path + " could not be read: " + reason + ".");
    return false;
  }
  if (file.size >= kMaxDictionaryBytes) {
    dictionary = Dictionary();
    platform_.MsgBox("The input file " + path + " could not be read: it holds 4 GiB or more.");
    return false;
  }
  const std::string_view bytes = file.view();
  ParseDictionary(std::shared_ptr<const char[]>(std::move(file.data)), bytes, &dictionary);
  return true;
}

// ---- Inventory, label and classes ---------------------------------------------

void Form1::ReadPhonemeInventory() {
  NumberOfPhonemes = 0;
  Phonemes.assign(1, std::string());
  const std::string path = ProgramFolder + "/AllSegments.txt";
  std::string contents, reason;
  if (!ReadWholeFile(path, &contents, &reason)) {
    platform_.MsgBox("The phoneme inventory " + path + " could not be read: " + reason + ".");
    return;
  }
  ForEachLine(contents, [&](std::string_view line) {
    ++NumberOfPhonemes;
    Phonemes.push_back(Trim(line));
  });
}

void Form1::PostTheUserLabel() {
  const bool syllabified = platform_.Value(Control::chkSyllabified) == 1;
  std::string contents, reason;
  int code = 0;
  const std::string keyPath = ProgramFolder + "/SegmentKey.txt";
  if (!ReadWholeFile(keyPath, &contents, &reason, &code)) {
    platform_.MsgBox(ErrorText(code, keyPath, reason));
    return;
  }
  std::string key;
  ForEachLine(contents, [&](std::string_view line) {
    key += "\r\r";
    key += line;
  });
  if (key.size() >= 2) key.erase(0, 2);
  if (syllabified) key += "\r\rAppend Coda to a consonant symbol to denote a coda segment.";
  labelText_ = key;
  labelText_ += "\r\rWord boundaries are [ and ].\r\rYou can make new natural classes by adding files in the ";
  labelText_ += syllabified ? "SyllabifiedNaturalClasses" : "NaturalClasses";
  labelText_ += " folder.  \r\rThe natural classes currently available are";
  platform_.SetText(Control::lblListOfNaturalClasses, labelText_);
  if (syllabified) {
    ReadSyllabifiedNaturalClassesShell();
  } else {
    std::string error;
    if (!ReadNaturalClassesShell(&error)) {
      platform_.SetText(Control::lblListOfNaturalClasses, labelText_);
      platform_.MsgBox(error);
      return;
    }
  }
  platform_.SetText(Control::lblListOfNaturalClasses, labelText_);
  platform_.DoEvents();
}

bool Form1::ReadNaturalClassesShell(std::string* error) {
  classes.Clear();
  const std::string folder = ProgramFolder + "/NaturalClasses";
  std::vector<std::string> names;
  std::string reason;
  int code = 0;
  if (!ListClassFiles(folder, &names, &reason, &code)) {
    *error = ErrorText(code, folder, reason);
    return false;
  }
  for (const std::string& name : names) {
    currentClassFile_ = folder + "/" + name;
    if (!ReadNaturalClasses(DropLastChars(name, 4), "unsyllabified", error)) return false;
  }
  return true;
}

void Form1::ReadSyllabifiedNaturalClassesShell() {
  classes.Clear();
  const std::string folder = ProgramFolder + "/SyllabifiedNaturalClasses";
  std::vector<std::string> names;
  std::string reason, error;
  if (!ListClassFiles(folder, &names, &reason)) return;
  for (const std::string& name : names) {
    currentClassFile_ = folder + "/" + name;
    if (!ReadNaturalClasses(DropLastChars(name, 4), "syllabified", &error)) return;
  }
}

bool Form1::ReadNaturalClasses(const std::string& MyNaturalClassName, const std::string& /*AmISyllabified*/,
                               std::string* error) {
  const int32_t k = classes.AddClass(MyNaturalClassName);
  labelText_ += ", ";
  labelText_ += MyNaturalClassName;
  // The listed file itself is opened: on this platform file names are
  // case-sensitive, so VOWEL.TXT cannot be reached as VOWEL.txt.
  std::string contents, reason;
  int code = 0;
  if (!ReadWholeFile(currentClassFile_, &contents, &reason, &code)) {
    *error = ErrorText(code, currentClassFile_, reason);
    return false;
  }
  for (std::string& member : ParseClassFile(contents)) classes.AddMember(k, std::move(member));
  return true;
}

bool Form1::IsInNaturalClass(std::string_view MySegment, std::string_view MyNaturalClass) const {
  return velmora::IsInNaturalClass(classes, MySegment, MyNaturalClass);
}

bool Form1::Satisfies(std::string_view MyPhoneme, std::string_view MyDescription) const {
  return velmora::Satisfies(classes, MyPhoneme, MyDescription);
}

// ---- Validation ----------------------------------------------------------------

bool Form1::ValidateInput() {
  for (int b = 1; b <= 5; ++b) platform_.SetText(TextBox(b), Trim(platform_.Text(TextBox(b))));
  std::string items[6];
  bool any = false;
  for (int b = 1; b <= 5; ++b) {
    items[b] = platform_.Text(TextBox(b));
    any = any || !items[b].empty();
  }
  if (!any) {
    platform_.MsgBox("Please type segments or natural classes in row of five boxes.");
    return false;
  }
  for (bool moved = true; moved;) {
    moved = false;
    for (int i = 1; i <= 4; ++i) {
      if (items[i].empty() && !items[i + 1].empty()) {
        items[i] = std::move(items[i + 1]);
        items[i + 1].clear();
        moved = true;
        break;
      }
    }
  }
  for (int b = 1; b <= 5; ++b) platform_.SetText(TextBox(b), items[b]);
  platform_.DoEvents();
  for (int p = 1; p <= 5; ++p) {
    if (items[p].empty()) continue;
    const std::string item = Lower(items[p]);
    bool legal = false;
    for (int32_t j = 1; j <= NumberOfPhonemes && !legal; ++j) legal = Lower(Phonemes[j]) == item;
    for (int32_t k = 1; k <= classes.NumberOfNaturalClasses && !legal; ++k) {
      legal = Lower(classes.NaturalClassNames[k]) == item;
    }
    if (!legal) {
      platform_.MsgBox("The item in Box # " + std::to_string(p) +
                       " is neither a legal phoneme nor a legal natural class name.  Please fix this and click on "
                       "the search button again.");
      return false;
    }
  }
  return true;
}

// ---- Result files ----------------------------------------------------------------

template <typename Step>
bool Form1::FileStep(const std::string& path, Step&& step) {
  for (;;) {
    FileStatus status = step();
    if (status.ok()) return true;
    if (status.kind == FileStatus::kInUse) {
      platform_.MsgBox(kFileInUseMessage);
      continue;
    }
    GeneralFileError(path, status.reason);
    return false;
  }
}

void Form1::GeneralFileError(const std::string& path, const std::string& reason) {
  // The description names the file, so that the user knows which one failed.
  platform_.MsgBox("Error.  Description is " + path + ": " + reason + ".  Please report to " + kMaintainerName + " at " +
                   kMaintainerEmail + ", specifying code number 73468.");
}

std::string Form1::SearchStringDisplay() {
  std::string s = platform_.Text(Control::Text1);
  for (int b = 2; b <= 5; ++b) {
    s += ' ';
    s += platform_.Text(TextBox(b));
  }
  return Trim(s);
}

bool Form1::OpenFiles() {
  const std::string fullPath = ProgramFolder + "/FullOutput.txt";
  const std::string resultsPath = ProgramFolder + "/ResultsOfSearchInInputFormat.txt";
  if (!FileStep(fullPath, [&] { return fullChannel_.Open(fullPath); })) return false;
  if (!FileStep(resultsPath, [&] { return resultsChannel_.Open(resultsPath); })) return false;
  fullChannel_.WriteLine(kFullOutputHeader);
  return true;
}

void Form1::CloseAllFiles() {
  fullChannel_.Abandon();
  resultsChannel_.Abandon();
}

bool Form1::FinishPreparingOutputFiles() {
  fullChannel_.WriteLine("zzz Search string was:  " + SearchStringDisplay());
  if (!FileStep(ProgramFolder + "/FullOutput.txt", [&] { return fullChannel_.Close(); })) return false;
  if (!FileStep(ProgramFolder + "/ResultsOfSearchInInputFormat.txt", [&] { return resultsChannel_.Close(); })) {
    return false;
  }
  if (NumberOfHits == 0) {
    platform_.MsgBox("No examples were found.");
    return true;
  }
  const std::string display = SearchStringDisplay();
  // Opens, writes and closes one file, each step retried or reported on its own.
  auto writeFile = [&](const std::string& name, auto&& write) {
    const std::string path = ProgramFolder + "/" + name;
    OutputFile file;
    if (!FileStep(path, [&] { return file.Open(path); })) return false;
    write(file);
    return FileStep(path, [&] { return file.Close(); });
  };
  if (!writeFile("SmallOutput.txt", [&](OutputFile& file) {
        if (HitWordList.size() >= 2) HitWordList.erase(0, 2);
        file.WriteLine(display);
        file.WriteLine(HitWordList);
      })) {
    return false;
  }
  if (!writeFile("MediumOutput.txt", [&](OutputFile& file) { WriteMediumOutput(file, display, hitTable); })) {
    return false;
  }
  // Hits.txt and Misses.txt are open at once.
  const std::string hitsPath = ProgramFolder + "/Hits.txt";
  const std::string missesPath = ProgramFolder + "/Misses.txt";
  OutputFile hits, misses;
  if (!FileStep(hitsPath, [&] { return hits.Open(hitsPath); })) return false;
  if (!FileStep(missesPath, [&] { return misses.Open(missesPath); })) return false;
  WriteHitFlags(hits, misses, dictionary);
  if (!FileStep(hitsPath, [&] { return hits.Close(); })) return false;
  if (!FileStep(missesPath, [&] { return misses.Close(); })) return false;

  displayOptions.Open();
  return true;
}

}  // namespace velmora
