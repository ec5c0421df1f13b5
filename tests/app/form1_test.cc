// What the window adds to the engine: the message each outcome shows, the
// search buttons' captions, the key label and the classes read again, the
// boxes shown after the validation, and clicks while a search runs.
#include "app/form1.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/messages.h"
#include "support/faulty_disk.h"
#include "support/fixture_folder.h"
#include "support/recording_platform.h"

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
  EXPECT_EQ(form->engine.classes().NaturalClassSizes[1] + form->engine.classes().NaturalClassSizes[2], 8 + 3);
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
  // The reset takes the example length from its box; typing alone changes nothing.
  platform.SetText(Control::txtExampleLength, " 12.5 ");
  EXPECT_EQ(form->ExampleLengthLimit, 100);
  form->cmdRereadClasses_Click();
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("\r\rWord", 0), 0u);
  EXPECT_EQ(form->ExampleLengthLimit, 12);
  platform.SetText(Control::txtExampleLength, "-4");
  form->cmdRereadClasses_Click();
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

TEST_F(FormTest, TheMenuAndTheFiltersDialog) {
  Start();
  form->mnuSearchLanguage_Click();
  EXPECT_NE(platform.messages.at(0).find("{+voice -sonorant}"), std::string::npos);
  EXPECT_NE(ItemBoxToolTip(3).find("Box 3"), std::string::npos);
  platform.messages.clear();
  using A = std::array<std::string, 5>;
  EXPECT_EQ(form->FilterTexts(), (A{"", "", "", "", ""}));
  EXPECT_TRUE(form->SetFilterTexts({" 10 ", "", "3-5", "2", ".1"}));
  EXPECT_EQ(form->FilterTexts(), (A{"10", "", "3-5", "2", ".1"}));
  // One wrong field changes nothing and names itself.
  EXPECT_FALSE(form->SetFilterTexts({"", "", "", "5-2", ""}));
  EXPECT_EQ(form->FilterTexts(), (A{"10", "", "3-5", "2", ".1"}));
  EXPECT_EQ(platform.messages.at(0).rfind("The filter \"syllables\" cannot be \"5-2\"", 0), 0u);
  EXPECT_TRUE(form->SetFilterTexts({"", "", "", "", ""}));
  EXPECT_FALSE(form->filters.any());
}

}  // namespace
}  // namespace velmora
