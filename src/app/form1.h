// Form1: the main window's logic and the owner of everything a run knows (the
// dictionary and its segment tables, the natural classes, the phoneme
// inventory, the hit table and the counters). Its two search commands drive one
// search from the click to the finished result files. It reaches the screen
// only through the Platform, so the Qt window, the batch tool and the tests all
// run this same code.
#ifndef VELMORA_APP_FORM1_H_
#define VELMORA_APP_FORM1_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classes/natural_classes.h"
#include "lexicon/dictionary.h"
#include "lexicon/segmentation.h"
#include "output/result_layout.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "search/hit_table.h"
#include "ui/display_options.h"
#include "ui/help_window.h"

namespace velmora {

class Form1 {
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
  // "Ex&it", and closing the main window through its frame: closes every open
  // file and ends the program.
  [[noreturn]] void cmdExit_Click();
  void mnuHelp_Click();
  void mnuAbout_Click();
  void mnuViewResult_Click();
  void chkIgnore_Click();

  // ---- Procedures ---------------------------------------------------------
  // Reads the dictionary and divides it when needed: the dictionary is read
  // again whenever the input-file box names another file than the one loaded,
  // and divided again whenever it was read again or "Search syllabified data"
  // differs from the choice of the last division. False when the dictionary
  // could not be read (the user has been told; nothing stays loaded).
  bool DoOnceOnlyTasks();

  void ReadSettings();
  void SaveSettings();
  bool ValidateInput();

  void ReadPhonemeInventory();
  void PostTheUserLabel();
  // Load every class of a folder. The plain folder passes failures on (false
  // with *error); the syllabified one ends its loading silently.
  bool ReadNaturalClassesShell(std::string* error);
  void ReadSyllabifiedNaturalClassesShell();
  bool ReadNaturalClasses(const std::string& MyNaturalClassName, const std::string& AmISyllabified,
                          std::string* error);

  bool ReadDictionary();
  void DivideWordsIntoPhonemes();
  // Makes the vowel tier of the last division, once per division.
  void MakeVowelTier();
  void VetWordForLegalPhonemes(const std::string& MyPhoneme, std::string_view MyWord, bool UseSyllables);

  bool IsInNaturalClass(std::string_view MySegment, std::string_view MyNaturalClass) const;
  bool Satisfies(std::string_view MyPhoneme, std::string_view MyDescription) const;

  void FindInTranscriptions(const SegmentTable& MyTranscriptions, const std::vector<int32_t>& MyLengths);
  int32_t SetSearchStringLength();
  void FindInOrthography();
  void InstallANewEntry(int32_t MyWordIndex, std::string_view MyFocusString);
  // Records one hit that the exclusion let through. row: the hit-table row
  // of the focus string when the caller knows it, else 0; set to the row.
  void RecordHit(int32_t MyWordIndex, std::string_view MyFocusString, int32_t& row);

  // False when the files could not be opened (the general error was shown).
  bool OpenFiles();
  // False when a failure stopped it (the general error was shown).
  bool FinishPreparingOutputFiles();
  std::string SearchStringDisplay();

  // Abandons the two running result files of a search that did not finish:
  // the earlier files stay as they were.
  void CloseAllFiles();

  // ---- Members ------------------------------------------------------------
  std::string mSpreadsheetLocation;
  std::string mWordProcessorLocation;

  // NumberOfWords, Spellings, TranscriptionStrings,
  // SyllabifiedTranscriptionStrings, Annotations, Frequencies,
  // SixthFieldNumbers and HitFlags.
  Dictionary dictionary;

  SymbolTable Symbols;  // every segment symbol of the three tables
  // A dictionary of this many entries or more is divided in two threads.
  int32_t ParallelDivisionFrom = 4096;
  SegmentTable Transcriptions;
  SegmentTable SyllabifiedTranscriptions;
  SegmentTable VowelTranscriptions;
  std::vector<int32_t> TranscriptionLengths{0};
  std::vector<int32_t> VowelTranscriptionLengths{0};

  // NumberOfNaturalClasses, NaturalClassNames, NaturalClassSizes,
  // NaturalClassMembers.
  ClassTable classes;

  int32_t NumberOfPhonemes = 0;
  std::vector<std::string> Phonemes{1};

  // NumberOfFocusStrings, FocusStrings, FocusStringCounts, FocusStringExamples.
  HitTable hitTable;

  bool OnceOnlyTasksDone = false;
  int32_t NumberOfHits = 0;
  int32_t ExampleLengthLimit = 100;
  std::string HitWordList;

  const std::string ProgramFolder;

  frmDisplayOptions displayOptions;
  frmHelp help;

  // How the last search command ended (for the batch tool's exit status).
  enum class Outcome { kNone, kRefused, kHits, kNoHits, kFailed };
  Outcome lastOutcome = Outcome::kNone;
  bool searchRunning() const { return searchRunning_; }

  Platform& platform() { return platform_; }

 private:
  // Runs a search command's common road: reset, settings, dictionary, files,
  // the search itself, finish. Returns false when a failure stopped it.
  template <typename SearchFn>
  bool RunSearch(Control button, SearchFn&& search);
  void ResetSearchState();
  // Runs one step of writing the result files; on a file held by another
  // program tells the user and tries again; on another failure shows the
  // general error and returns false.
  template <typename Step>
  bool FileStep(const std::string& path, Step&& step);
  void GeneralFileError(const std::string& path, const std::string& reason);

  Platform& platform_;
  bool searchRunning_ = false;
  OutputFile fullChannel_;
  OutputFile resultsChannel_;
  HitRowWriter hitRows_;
  bool loaded_ = false;             // a dictionary is loaded
  std::string loadedFileName_;      // the input-file box text it was read from
  bool divided_ = false;
  bool dividedSyllabified_ = false;  // the choice of the last division
  std::vector<uint8_t> vowelTierKeeps_;  // by symbol id: kept in the vowel tier
  std::string currentClassFile_;     // the listed file ReadNaturalClasses opens
  std::string labelText_;            // the key label as it is being built
};

// The about message.
std::string AboutMessage();

}  // namespace velmora

#endif  // VELMORA_APP_FORM1_H_
