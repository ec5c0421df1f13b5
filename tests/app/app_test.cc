// SPDX-License-Identifier: GPL-3.0-or-later
// What the window adds to the engine: the message each outcome shows, the
// search buttons' captions, the key label and the classes read again, the
// boxes shown after the validation, clicks while a search runs; and the
// settings file the window writes and reads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "app/messages.h"
#include "app/statistics_job.h"
#include "engine/settings.h"
#include "platform/text.h"
#include "support/faulty_disk.h"
#include "support/fixture_folder.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

using V = std::vector<std::string>;
const char* kFix = ".  Please fix this and click on the search button again.";
const char* kAgain = "You can re-click here for another search.";

struct FormTest : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(WriteFixtureFolder(dir.path())); }
  void TestBody() override {}
  void Write(const std::string& name, std::string_view bytes) { ASSERT_TRUE(WriteFile(dir.Path(name), bytes)); }
  std::string Read(const std::string& name) { return ReadFile(dir.Path(name)); }
  void Start() {
    form = std::make_unique<Form1>(platform, dir.path());
    form->Form_Load();
  }
  // Types the boxes ('|' between them); the boxes as the window then shows them.
  std::string Boxes(std::string items = "", bool type = true) {
    std::string shown;
    for (int b = 1; b <= 5; ++b) {
      if (type) platform.SetText(TextBox(b), items.substr(0, items.find('|')));
      items = items.find('|') == std::string::npos ? "" : items.substr(items.find('|') + 1);
      shown += (b > 1 ? "|" : "") + platform.Text(TextBox(b));
    }
    return shown;
  }
  std::string Caption(Control c) { return platform.Text(c); }
  bool Validates() {
    form->cmdSearchTranscriptions_Click();
    return form->lastOutcome != Form1::Outcome::kRefused;
  }
  ScopedTempDir dir;
  RecordingPlatform platform;
  std::unique_ptr<Form1> form;
};

// One click of the transcription search per row, in a folder of its own.
TEST(Form1, EachOutcomeShowsItsMessage) {
  using O = Form1::Outcome;
  struct Row {
    const char* boxes;
    std::function<void(FormTest&, FaultyDisk&)> setUp;
    std::string message;  // "$": the folder
    O outcome;
    const char* shown = nullptr;  // the boxes after the click
  };
  Status inUse = Status::FromErrno(EACCES, "");
  inUse.kind = Status::kInUse;
  const std::string kInUse = "It looks like you have one of the output files already open in some other program. "
                             "Please close this application, then click Ok to continue.";
  const Row rows[] = {
      {"  | | ", {}, "Please type segments or natural classes in row of five boxes.", O::kRefused, "||||"},
      {"AY1|||bogus", {}, "The item in Box # 2 is neither a legal phoneme nor a legal natural class name" + std::string(kFix),
       O::kRefused, "AY1|bogus|||"},
      {"|AY1|!{+voice|XYZ|", {}, "Box 2: \"!{+voice\" has no closing }" + std::string(kFix), O::kRefused},
      {"{+voice}|]", {}, "Box 1: the feature table $/Features.txt could not be read: No such file or directory" + std::string(kFix),
       O::kRefused},
      {"{+voice}|]", [](FormTest& w, FaultyDisk&) { w.Write("Features.txt", "Symbol\tvoice\r\nD\t+\r\nT\t-\r\n]\t0\r\n"); },
       "Box 1: the feature table $/Features.txt is damaged: it has no line for the symbols \"B\", \"L\", \"AY1\", \"N\", "
       "\"CH\" and 4 more of the searched transcriptions" + std::string(kFix),
       O::kRefused},
      {"AY1", [](FormTest& w, FaultyDisk&) { w.platform.SetText(Control::txtInputFileName, "missing.txt"); },
       "The input file $/missing.txt could not be read: No such file or directory.", O::kFailed},
      {"]|B", {}, "No examples were found.", O::kNoHits},
      {"AY1", [&](FormTest&, FaultyDisk& disk) { disk.Fail(FaultyDisk::kCreate, "MediumOutput.txt", inUse, 2); },
       kInUse + "\n" + kInUse, O::kHits},
      {"AY1", [](FormTest&, FaultyDisk& disk) { disk.Fail(FaultyDisk::kWrite, "Hits.txt", Status::FromErrno(ENOSPC, "")); },
       "Error.  Description is $/Hits.txt: No space left on device.  Please report to the Velmora maintainers at "
       "velmora@example.org, specifying code number 73468.",
       O::kFailed},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.boxes);
    FormTest w;
    w.SetUp();
    FaultyDisk disk;
    w.Start();
    if (row.setUp) row.setUp(w, disk);
    w.Boxes(row.boxes);
    {
      ScopedDisk scoped(disk);
      w.form->cmdSearchTranscriptions_Click();
    }
    std::string said;
    for (const std::string& m : w.platform.messages) said += (said.empty() ? "" : "\n") + m;
    std::string message = row.message;
    for (size_t at; (at = message.find('$')) != std::string::npos;) message.replace(at, 1, w.dir.path());
    EXPECT_EQ(said, message);
    EXPECT_EQ(w.form->lastOutcome, row.outcome);
    const bool refused = row.outcome == O::kRefused, hits = row.outcome == O::kHits;
    EXPECT_EQ(w.Caption(Control::cmdSearchTranscriptions),
              refused ? "Search transcriptions" : hits ? std::string("Done!  ") + kAgain : kAgain);
    EXPECT_EQ(FileExists(w.dir.Path("UserSettings.txt")), !refused);
    EXPECT_EQ(w.platform.visible.count(Window::frmDisplayOptions), hits ? 1u : 0u);
    EXPECT_EQ(w.Boxes("", false), row.shown ? row.shown : w.Boxes("", false));
  }
}

TEST_F(FormTest, AHitShowsTheViewerInTheWindowsPlaceAndANoToACautionEndsTheProgram) {
  Start();
  Boxes("AY1|CONSONANT|CONSONANT|]");
  form->cmdSearchTranscriptions_Click();
  EXPECT_REFERENCE_SEARCH_FILES(dir.path());
  EXPECT_EQ(platform.captions[static_cast<int>(Control::cmdSearchTranscriptions)].at(1), "Preparing search ...");
  EXPECT_TRUE(platform.messages.empty() && platform.questions.empty());
  EXPECT_FALSE(platform.visible.count(Window::Form1));
  EXPECT_EQ(form->NumberOfHits, 3);
  Write("AllSegments.txt", "[\r\n]\r\nB\r\n");
  ASSERT_EQ(std::remove(dir.Path("FullOutput.txt").c_str()), 0);
  Start();
  Boxes("B");
  platform.answers = {false};
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.questions.size(), 1u);
  EXPECT_TRUE(platform.quitRequested);
  EXPECT_FALSE(FileExists(dir.Path("FullOutput.txt")));
}

// Both buttons show the progress; while a search runs a second start is
// refused, and a small box clicked meanwhile counts from the next search on.
TEST_F(FormTest, ProgressAndClicksDuringTheSearch) {
  std::string dict;
  for (int i = 0; i < 250; ++i) dict += "tab\tT AE1 B\tT AE1 BCoda\t\t1\t1\r\n";
  Write("in.txt", dict);
  Start();
  Boxes("T|AE1");
  platform.SetText(Control::txtOrthography, "zzz");
  static Form1* running;
  running = form.get();
  platform.onDoEvents.push_back([](RecordingPlatform& p) {
    if (running->searchRunning()) {
      running->cmdSearchTranscriptions_Click();
      running->cmdSearchOrthography_Click();
      running->cmdRereadClasses_Click();
    }
    if (p.Text(Control::cmdSearchTranscriptions).rfind("Searching", 0) == 0) p.SetValue(Control::chkIgnore1, 1);
  });
  const int before = platform.doEventsCount;
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.doEventsCount - before, 3);  // validation once, progress twice
  EXPECT_EQ(form->NumberOfHits, 250);
  EXPECT_NE(Read("MediumOutput.txt").find("\r\nT\tAE1\t250\t"), std::string::npos);
  platform.onDoEvents.clear();
  form->cmdSearchTranscriptions_Click();
  EXPECT_NE(Read("MediumOutput.txt").find("\r\nAE1\t250\t"), std::string::npos);
  form->cmdSearchOrthography_Click();
  for (Control button : {Control::cmdSearchTranscriptions, Control::cmdSearchOrthography}) {
    V progress;
    for (const auto& c : platform.captions[static_cast<int>(button)]) {
      if (c.rfind("Searching", 0) == 0) progress.push_back(c);
    }
    EXPECT_EQ(progress.at(1), "Searching the dictionary; completed 200/250");
    EXPECT_EQ(progress.size(), button == Control::cmdSearchOrthography ? 2u : 4u);
  }
  EXPECT_EQ(Caption(Control::cmdSearchOrthography), kAgain);
}

TEST_F(FormTest, TheLabelShowsTheKeyAndTheClassesReadAgainOnReset) {
  Write("NaturalClasses/Nasal.TXT", " N \r\n\r\nm\r\n");
  Write("NaturalClasses/notes.md", "x");
  ::mkdir(dir.Path("NaturalClasses/sub.txt").c_str(), 0755);
  Start();
  const std::string tail = "Word boundaries are [ and ].\r\rYou can make new natural classes by adding files in the ";
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses),
            "AY1 as in bite\r\rAE1 as in bat\r\r" + tail +
                "NaturalClasses folder.  \r\rThe natural classes currently available are, CONSONANT, Nasal, VOWEL");
  EXPECT_EQ(form->engine.classes().NaturalClassMembers[2], (V{"", "N", "", "m"}));
  EXPECT_EQ(platform.doEventsCount, 1);
  // The classes of the other folder count only once they are read again.
  Boxes("CODA");
  platform.SetValue(Control::chkSyllabified, 1);
  EXPECT_FALSE(Validates());
  form->cmdRereadClasses_Click();
  EXPECT_TRUE(Validates());
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses),
            "AY1 as in bite\r\rAE1 as in bat\r\rAppend Coda to a consonant symbol to denote a coda segment.\r\r" + tail +
                "SyllabifiedNaturalClasses folder.  \r\rThe natural classes currently available are, CODA, VOWEL");
  platform.SetValue(Control::chkSyllabified, 0);
  Write("SegmentKey.txt", "only");
  form->cmdRereadClasses_Click();
  form->cmdRereadClasses_Click();
  EXPECT_EQ(form->engine.classes().NaturalClassNames, (V{"", "CONSONANT", "Nasal", "VOWEL"}));
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("only\r\rWord", 0), 0u);
  Write("SegmentKey.txt", "");
  // The reset takes the example length from its box, at least 0; typing alone changes nothing.
  platform.SetText(Control::txtExampleLength, " -4.5 ");
  EXPECT_EQ(form->ExampleLengthLimit, 100);
  form->cmdRereadClasses_Click();
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("\r\rWord", 0), 0u);
  EXPECT_EQ(form->ExampleLengthLimit, 0);
}

TEST_F(FormTest, WhatCannotBeReadIsReportedAndTheProgramGoesOn) {
  ASSERT_EQ(std::remove(dir.Path("SegmentKey.txt").c_str()), 0);
  ASSERT_EQ(std::remove(dir.Path("AllSegments.txt").c_str()), 0);
  Start();
  EXPECT_EQ(platform.messages,
            (V{"The phoneme inventory " + dir.path() + "/AllSegments.txt could not be read: No such file or directory.",
               " 2 " + dir.path() + "/SegmentKey.txt: No such file or directory"}));
  EXPECT_EQ(form->engine.phonemes().size(), 1u);
  EXPECT_EQ(form->engine.classes().NumberOfNaturalClasses, 0);
  Boxes("[|AY1");  // without an inventory even a boundary is no item
  EXPECT_FALSE(Validates());
  // A missing class folder is silent; one that is a file is reported, for the plain folder only.
  Write("SegmentKey.txt", "");
  Write("AllSegments.txt", " AY1 \r\n\r\n\tT\r\n");
  std::filesystem::remove_all(dir.Path("SyllabifiedNaturalClasses"));
  std::filesystem::remove_all(dir.Path("NaturalClasses"));
  platform.messages.clear();
  form->cmdRereadClasses_Click();
  EXPECT_TRUE(platform.messages.empty());
  Write("NaturalClasses", "not a folder");
  Write("SyllabifiedNaturalClasses", "not a folder");
  const int yields = platform.doEventsCount;
  form->cmdRereadClasses_Click();
  EXPECT_EQ(platform.messages, V{" 20 " + dir.path() + "/NaturalClasses: Not a directory"});
  EXPECT_EQ(platform.doEventsCount, yields);  // the label posting stopped there
  platform.SetValue(Control::chkSyllabified, 1);
  form->cmdRereadClasses_Click();
  EXPECT_EQ(platform.messages.size(), 1u);
  Start();  // inventory lines are trimmed of spaces only
  EXPECT_EQ(form->engine.phonemes(), (V{"", "AY1", "", "\tT"}));
}

TEST_F(FormTest, TheSearchLanguageMenuAndTheFilterTexts) {
  Start();
  form->mnuSearchLanguage_Click();
  EXPECT_NE(platform.messages.at(0).find("{+voice -sonorant}"), std::string::npos);
  EXPECT_NE(ItemBoxToolTip(3).find("Box 3"), std::string::npos);
  // The Filters dialog's texts are trimmed; one wrong field changes nothing and names itself.
  using A = std::array<std::string, Form1::kFilterFields>;
  EXPECT_TRUE(form->SetFilterTexts({" 10 ", "", "3-5", "2", ".1", "20-", "-3"}));
  EXPECT_FALSE(form->SetFilterTexts({"", "", "", "5-2", "", "", ""}));
  EXPECT_EQ(form->FilterTexts(), (A{"10", "", "3-5", "2", ".1", "20-", "-3"}));
  EXPECT_EQ(platform.messages.at(1).rfind("The filter \"syllables\" cannot be \"5-2\"", 0), 0u);
}

// View > Data set: the set's key, inventory and in.txt from then on, saved with the settings and taken at the next
// start; a name that chooses none, or a saved set that is gone, leaves the set in use and says why.
TEST_F(FormTest, TheDataSetMenu) {
  ASSERT_TRUE(WriteFixtureDataSet(dir.path()));
  const std::string kNone = " is neither a bundled one (en, xx) nor a folder that holds in.txt and AllSegments.txt.";
  Start();
  EXPECT_EQ(form->DataSets(), (V{"en", "xx"}));
  EXPECT_TRUE(form->mnuDataSet_Click("xx"));
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("a1 as in gatto\r\r", 0), 0u);
  Boxes("a1|t");
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(Read("SmallOutput.txt"), "a1 t\r\ngatto\r\n");
  Start();
  EXPECT_EQ(form->DataSet, "xx");
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("a1 as in gatto\r\r", 0), 0u);
  EXPECT_FALSE(form->mnuDataSet_Click("nope"));
  EXPECT_EQ(form->DataSet, "xx");
  EXPECT_TRUE(form->mnuDataSet_Click("en"));
  EXPECT_EQ(Read("UserSettings.txt").find("Data set"), std::string::npos);  // English is not written
  Write("UserSettings.txt", "Data set\r\nxx\r\n");
  std::filesystem::remove_all(dir.Path("xx"));
  Start();
  EXPECT_EQ(form->DataSet, "");
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("AY1 as in bite\r\r", 0), 0u);
  EXPECT_EQ(platform.messages, (V{"The data set 'nope'" + kNone,
                                  "The data set 'xx' saved in UserSettings.txt is neither a bundled one (en) nor a "
                                  "folder that holds in.txt and AllSegments.txt."}));
}

// The window's run of the statistics says what it wrote, or why it wrote
// nothing: an unreadable dictionary or word list, or a file it could not make.
TEST(StatisticsJob, SaysWhatItWroteOrWhyNot) {
  ScopedTempDir dir;
  ASSERT_TRUE(WriteFixtureFolder(dir.path()) && WriteFile(dir.Path("w.txt"), "tab\nnope\n"));
  StatisticsJob job{dir.path(), "in.txt", "", dir.Path("w.txt"), {"", "T", "AE1", "B"}, {}};
  StatisticsOutcome outcome = RunStatisticsJob(job);
  EXPECT_TRUE(outcome.written);
  EXPECT_EQ(outcome.message, "Statistics of 5 entries of in.txt written to " + dir.Path("Statistics.txt") + ".\n" +
                                 dir.Path("w.txt") + ", line 2: 'nope' is not in the dictionary");
  const std::string rows = ReadFile(dir.Path("Statistics.txt"));
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2);  // the header and tab's row
  job.words = dir.Path("missing.txt");
  EXPECT_EQ(RunStatisticsJob(job).message,
            "The word list " + dir.Path("missing.txt") + " could not be read: No such file or directory.");
  job.words.clear();
  ASSERT_TRUE(WriteFile(dir.Path("set.txt"), "gatto\tg a1 t o0\nmare\tm a1 r e0\n"));
  job.dictionary = dir.Path("set.txt");  // in.txt of the data set in use
  EXPECT_EQ(RunStatisticsJob(job).message.substr(0, 33), "Statistics of 2 entries of in.txt");
  FaultyDisk disk;
  disk.Fail(FaultyDisk::kWrite, "Statistics.txt", Status::FromErrno(ENOSPC, ""));
  ScopedDisk scoped(disk);
  outcome = RunStatisticsJob(job);
  EXPECT_FALSE(outcome.written);
  EXPECT_NE(outcome.message.find("No space left on device"), std::string::npos) << outcome.message;
}

// UserSettings.txt: what is written, how each pair is read back, and what the
// reading makes of files written by hand or by older versions.
constexpr const char* kLimitLabel =
    "Example lists in Medium output files should be no longer than this number (in characters)";

// The controls to the file and back: every pair in order, the limit in
// force (not its box's text), the filters after the other settings; read
// back at the next start, the texts are trimmed of spaces.
TEST_F(FormTest, SettingsWriteEveryPairInOrderAndReadThemBack) {
  ASSERT_TRUE(WriteFixtureDataSet(dir.path()));
  Start();
  platform.SetText(Control::txtInputFileName, "  my dict.txt ");
  Boxes(" [ |AY1|  CONSONANT||]");
  platform.SetValue(Control::chkIgnore1, 1);
  platform.SetValue(Control::chkIgnore5, 2);  // any value but 0 ticks a small box
  platform.SetText(Control::txtOrthography, "  ation] ");
  platform.SetValue(Control::chkSyllabified, 1);
  platform.SetValue(Control::chkExclude, 1);
  platform.SetValue(Control::chkVowels, 1);
  form->mSpreadsheetLocation = "  /opt/Office Suite/calc ";
  form->mWordProcessorLocation = "'/opt/My Editor/edit' -n";
  form->ExampleLengthLimit = 37;
  form->filters.minFrequency = 30;
  ASSERT_TRUE(ParseCountRange("4-", &form->filters.segments));
  form->filters.stress = "1";
  form->DataSet = "xx";
  form->SaveSettings();

  const std::pair<const char*, const char*> pairs[] = {
      {"Input file name:", "my dict.txt"}, {"Box 1", " [ "}, {"Box 2", "AY1"}, {"Box 3", "  CONSONANT"},
      {"Box 4", ""}, {"Box 5", "]"}, {"Ignore Box 1 in sorting", "yes"}, {"Ignore Box 2 in sorting", "no"},
      {"Ignore Box 3 in sorting", "no"}, {"Ignore Box 4 in sorting", "no"}, {"Ignore Box 5 in sorting", "yes"},
      {"Orthography search box", "  ation] "}, {"Search syllabified data", "yes"},
      {"Location (full path) of your spreadsheet program:", "/opt/Office Suite/calc"},
      {"Location (full path) of your word processor or text editor:", "'/opt/My Editor/edit' -n"},
      {"Exclude from counts all forms marked with annotations in the dictionary", "yes"}, {kLimitLabel, "37"},
      {"Search vowels only", "yes"}, {"Filter: lowest frequency", "30"}, {"Filter: highest frequency", ""},
      {"Filter: number of segments (MIN-MAX)", "4-"}, {"Filter: number of syllables (MIN-MAX)", ""},
      {"Filter: stress pattern (0, 1, 2 and . for any vowel)", "1"}, {"Data set", "xx"}};
  std::string expected;
  for (const auto& [label, value] : pairs) expected += std::string(label) + "\r\n" + value + "\r\n";
  EXPECT_EQ(Read("UserSettings.txt"), expected);

  Start();  // reads them into the controls, and saves them again trimmed
  EXPECT_EQ(Caption(Control::txtExampleLength), "37");
  form->SaveSettings();
  for (const char* untrimmed : {" [ ", "  CONSONANT", "  ation] "}) {
    const size_t at = expected.find(std::string("\r\n") + untrimmed + "\r\n") + 2;
    expected.replace(at, std::strlen(untrimmed), Trim(untrimmed));
  }
  EXPECT_EQ(Read("UserSettings.txt"), expected);
  EXPECT_TRUE(platform.messages.empty());
  // Only a 1 ticks the exclusion.
  platform.SetValue(Control::chkExclude, 2);
  form->SaveSettings();
  EXPECT_NE(Read("UserSettings.txt").find("in the dictionary\r\nno\r\n"), std::string::npos);
}

// What reading left: Box 1..4, the ignore boxes, syllabified, exclude,
// vowels, the limit, the filters and the filters returned as unreadable.
std::string Summary(const Settings& s, const std::vector<Status>& lost) {
  std::string text = s.boxes[0] + "|" + s.boxes[1] + "|" + s.boxes[2] + "|" + s.boxes[3] + " ";
  for (bool ignored : s.ignore) text += ignored ? "1" : "0";
  text += std::string(" s") + "01"[s.syllabified] + " e" + "01"[s.exclude] + " v" + "01"[s.vowels] + " " +
          std::to_string(s.exampleLength) + FiltersSuffix(s.filters) + (s.dataSet.empty() ? "" : " set " + s.dataSet);
  for (const Status& status : lost) text += " lost " + status.detail + "@" + std::to_string(status.line);
  return text;
}

// Which lines count: labels match exactly, the line after one of the 18
// older labels is always its value, other lines are skipped one at a time, a
// later repeat stands, a label on the last line is absent, and any line end
// ends a line; each check box has its rule for yes. The filters are read by
// label: one whose value line is missing does not take the next label as its
// value, and each filter that cannot be read is off and returned once.
TEST(ReadSettingsFile, WhichLinesAreLabelsAndWhichAreValues) {
  const std::string kKeep = "keep|keep|keep|keep ", kRest = "00000 s1 e0 v0 100";
  const std::string kMin = "Filter: lowest frequency\r\n", kMax = "Filter: highest frequency\r\n";
  const std::string kSegments = "Filter: number of segments (MIN-MAX)\r\n";
  const std::string kSyllabified = "Search syllabified data\r\n";
  const std::string kVowels = "Search vowels only\r\n", kIgnore2 = "Ignore Box 2 in sorting\r\n";
  const std::string kExclude = "Exclude from counts all forms marked with annotations in the dictionary\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"Box 1\r\nAY1\r\n", "AY1|keep|keep|keep " + kRest},
      // "Box 1 " and "box 2" are no labels: "Box 1 " is skipped and the line after it is a label.
      {"Box 1 \r\nBox 3\r\nthird\r\n\r\nsome note\r\nbox 2\r\nsecond\r\n Box 4\r\nfourth\r\n",
       "keep|keep|third|keep " + kRest},
      {"Box 1\r\nBox 2\r\nZ\r\n", "Box 2|keep|keep|keep " + kRest},
      {"Box 1\r\nfirst\r\nBox 1\r\nsecond\r\nBox 2", "second|keep|keep|keep " + kRest},
      {"Box 2\r\n\r\n", "keep||keep|keep " + kRest},  // an empty line after a label is a value
      {"Box 3\nT\nBox 4\r\nK\nBox 1\rG\r\n", "G|keep|T|K " + kRest},
      {"Box 1\r\n   AY1\r\nBox 2\r\n\tT \r\n", "AY1|\tT|keep|keep " + kRest},  // spaces only are trimmed
      {kSyllabified + "NO\r\n", kKeep + "00000 s0 e0 v0 100"},
      {kSyllabified + "no\r\n" + kSyllabified + "Yes\r\n", kKeep + kRest},
      {kSyllabified + "no\r\n" + kSyllabified + " yes\r\n", kKeep + "00000 s0 e0 v0 100"},
      {kSyllabified + "maybe\r\n", kKeep + kRest},
      {kVowels + "yes\r\n" + kIgnore2 + "  yes  \r\n" + kExclude + "  yes  \r\n", kKeep + "01000 s1 e1 v1 100"},
      {kVowels + "yes\r\n" + kVowels + "yes \r\n" + kIgnore2 + "yes\r\n" + kIgnore2 + "\tyes\r\n" + kExclude +
           "yes\r\n" + kExclude + "Yes\r\n",
       kKeep + kRest},
      {kVowels + "yes\r\n" + kVowels + "Yes\r\n" + kLimitLabel + "\r\n-5\r\n", kKeep + "00000 s1 e0 v0 0"},
      {std::string(kLimitLabel) + "\r\n  12.5abc \r\n", kKeep + "00000 s1 e0 v0 12"},
      {"Box 1\r\n" + kMin + "5\r\n", "Filter: lowest frequency|keep|keep|keep " + kRest},
      {kMin + "5\r\n" + kMax + "\r\n", kKeep + kRest + " (filters: min frequency 5)"},
      {kMin + kMax + "10\r\n", kKeep + kRest + " (filters: max frequency 10) lost Filter: lowest frequency@1"},
      {kMin + "1OO\r\n" + kMax + "-5\r\n",
       kKeep + kRest + " lost Filter: lowest frequency@1 lost Filter: highest frequency@3"},
      {kMin + "99999999999999999999\r\n" + kSegments + "9-1\r\n" + kMin + "x\r\n",
       kKeep + kRest + " lost Filter: lowest frequency@5 lost Filter: number of segments (MIN-MAX)@3"},
      {kMin + "x\r\n" + kMin + "3\r\n", kKeep + kRest + " (filters: min frequency 3)"},  // the later one stands
      {kSegments + "2-4\r\n" + kSegments, kKeep + kRest + " lost Filter: number of segments (MIN-MAX)@3"},
      {"Data set\r\n it \r\n", kKeep + kRest + " set it"},
      {kMin + "5\r\nData set", kKeep + kRest + " (filters: min frequency 5)"},  // no filter, so not lost
  };
  for (const auto& [file, summary] : cases) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFile(dir.Path("UserSettings.txt"), file));
    Settings s;
    s.boxes.fill("keep");
    s.syllabified = true;
    const std::vector<Status> lost = ReadSettingsFile(dir.path(), &s);
    EXPECT_EQ(Summary(s, lost), summary) << file;
    EXPECT_FALSE(s.read.test(kInputFileName)) << file;
    for (const Status& status : lost) EXPECT_EQ(status.path, dir.Path("UserSettings.txt"));
  }
  EXPECT_EQ(UnreadableFiltersMessage({Status::Malformed("U.txt", 3, "Filter: lowest frequency"),
                                      Status::Malformed("U.txt", 7, "Filter: stress pattern")}),
            "The saved filters \"Filter: lowest frequency\" (line 3) and \"Filter: stress pattern\" (line 7) of "
            "U.txt could not be read, so they are off.");
}

}  // namespace
}  // namespace velmora
