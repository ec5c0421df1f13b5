// The transcription search command from the click to the six result files,
// run through the recording platform. Expected files are written out by hand.
#include <gtest/gtest.h>

#include "app/fixture.h"

namespace velmora {
namespace {

using SearchCommand = AppFixture;

TEST_F(SearchCommand, FindsWordFinalClustersAfterAY1AndWritesTheSixFiles) {
  Write("SmallOutput.txt", "old");
  Start();
  Boxes({"AY1", "CONSONANT", "CONSONANT", "]"});
  form->cmdSearchTranscriptions_Click();

  EXPECT_REFERENCE_SEARCH_FILES(dir.path());

  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "Done!  You can re-click here for another search.");
  EXPECT_EQ(platform.captions[static_cast<int>(Control::cmdSearchTranscriptions)].at(1), "Preparing search ...");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.questions.empty());
  // The viewer takes the main window's place.
  EXPECT_TRUE(platform.visible.count(Window::frmDisplayOptions));
  EXPECT_FALSE(platform.visible.count(Window::Form1));
  EXPECT_EQ(form->NumberOfHits, 3);
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kHits);
}

TEST_F(SearchCommand, IgnoreBoxesLeaveTheirSegmentsOutOfTheFocusString) {
  Start();
  Boxes({"AY1", "CONSONANT", "CONSONANT", "]"});
  platform.SetValue(Control::chkIgnore1, 1);
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  AY1 CONSONANT CONSONANT ]\r\n"
            "Focus string\tNumber in corpus\tExamples\r\n"
            "N\tD\t]\t1\tblind\r\n"
            "L\tD\t]\t1\tchild\r\n"
            "N\tT\t]\t1\tpint\r\n");

  platform.SetValue(Control::chkIgnore1, 0);
  platform.SetValue(Control::chkIgnore4, 7);  // any value but 0 ticks a small box
  form->cmdSearchTranscriptions_Click();
  EXPECT_NE(Read("FullOutput.txt").find("blind\tdnilb\tB L AY1 N D\tAY1\tN\tD\t50\t\r\n"), std::string::npos);

  for (int b = 1; b <= 4; ++b) platform.SetValue(IgnoreBox(b), 1);
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  AY1 CONSONANT CONSONANT ]\r\n"
            "Focus string\tNumber in corpus\tExamples\r\n"
            "\t3\tblind child pint\r\n");

  // One item is never ignored; its focus string is the segment as it stands
  // in the table, not the box text.
  Boxes({"ay1"});
  form->cmdSearchTranscriptions_Click();
  EXPECT_NE(Read("MediumOutput.txt").find("AY1\t3\tblind child pint\r\n"), std::string::npos);
}

TEST_F(SearchCommand, OverlappingMatchesAreEachReported) {
  Start();
  Boxes({"CONSONANT", "CONSONANT"});
  form->cmdSearchTranscriptions_Click();
  // blind: B L and N D; child: L D; pint: N T; blackbird: B L and K B.
  EXPECT_EQ(Read("SmallOutput.txt"), "CONSONANT CONSONANT\r\nblind, blind, child, pint, blackbird, blackbird\r\n");
  EXPECT_EQ(Read("Hits.txt"), "1\r\n1\r\n1\r\n0\r\n1\r\n");
  EXPECT_NE(Read("MediumOutput.txt").find("B\tL\t2\tblind blackbird\r\n"), std::string::npos);
}

TEST_F(SearchCommand, ExcludedEntriesAreNotRecordedButStillFlagged) {
  Start();
  Boxes({"[", "B", "L"});
  platform.SetValue(Control::chkExclude, 1);
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(Read("SmallOutput.txt"), "[ B L\r\nblind\r\n");
  EXPECT_EQ(Read("Hits.txt"), "1\r\n0\r\n0\r\n0\r\n1\r\n");
  EXPECT_TRUE(platform.messages.empty());
  // Every hit excluded is a search without hits.
  Boxes({"AE1", "K"});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{"No examples were found."});
}

TEST_F(SearchCommand, ANoHitSearchLeavesTheLaterFilesAlone) {
  const char* later[] = {"SmallOutput.txt", "MediumOutput.txt", "Hits.txt", "Misses.txt"};
  for (const char* name : later) Write(name, std::string("earlier ") + name);
  Start();
  Boxes({"]", "B"});
  platform.SetValue(Control::chkExclude, 1);
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{"No examples were found."});
  EXPECT_EQ(Read("FullOutput.txt"),
            "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation\r\n"
            "zzz Search string was:  ] B\r\n");
  EXPECT_EQ(Read("ResultsOfSearchInInputFormat.txt"), "");
  for (const char* name : later) EXPECT_EQ(Read(name), std::string("earlier ") + name);
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "You can re-click here for another search.");
  EXPECT_FALSE(platform.loaded.count(Window::frmDisplayOptions));
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kNoHits);
}

TEST_F(SearchCommand, VowelTierFindsMonosyllables) {
  Start();
  Boxes({"[", "vowel", "]"});
  platform.SetValue(Control::chkVowels, 1);
  platform.SetValue(Control::chkSyllabified, 1);  // vowels only wins
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(Read("SmallOutput.txt"), "[ vowel ]\r\nblind, child, pint, tab\r\n");
  EXPECT_NE(Read("MediumOutput.txt").find("[\tAY1\t]\t3\tblind child pint\r\n"), std::string::npos);
}

TEST_F(SearchCommand, SyllabifiedDataAfterAPlainSearchFindsWhatAFreshRunFinds) {
  Start();
  Boxes({"AY1", "CONSONANT"});
  form->cmdSearchTranscriptions_Click();
  ASSERT_EQ(Read("SmallOutput.txt"), "AY1 CONSONANT\r\nblind, child, pint\r\n");

  platform.SetValue(Control::chkSyllabified, 1);
  form->cmdRereadClasses_Click();  // the syllabified classes
  Boxes({"AY1", "CODA", "CODA", "]"});
  form->cmdSearchTranscriptions_Click();
  const std::string afterPlain = Read("FullOutput.txt");
  EXPECT_NE(afterPlain.find("blind\tdnilb\tB L AY1 N D\tAY1\tNCoda\tDCoda\t]\t50\t\r\n"), std::string::npos);

  RecordingPlatform fresh;
  Form1 other(fresh, dir.path());
  other.Form_Load();  // reads the saved settings: syllabified, the four boxes
  other.cmdSearchTranscriptions_Click();
  EXPECT_EQ(Read("FullOutput.txt"), afterPlain);
}

TEST_F(SearchCommand, TheInputFileIsReadAgainWhenItsNameChanges) {
  Start();
  Boxes({"AY1"});
  form->cmdSearchTranscriptions_Click();
  ASSERT_EQ(form->lexicon()->dictionary().NumberOfWords, 5);
  // An iterated search: the results of the first search, searched in turn.
  platform.SetText(Control::txtInputFileName, "ResultsOfSearchInInputFormat.txt");
  Boxes({"P"});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(form->lexicon()->dictionary().NumberOfWords, 3);
  EXPECT_EQ(Read("SmallOutput.txt"), "P\r\npint\r\n");
  EXPECT_EQ(Read("ResultsOfSearchInInputFormat.txt"), "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t 30 \t 3 \r\n");
  EXPECT_EQ(Read("Hits.txt"), "0\r\n0\r\n1\r\n");
}

TEST_F(SearchCommand, AnUnreadableInputFileStopsBeforeAnyOutputFile) {
  Write("FullOutput.txt", "earlier full");
  Start();
  platform.SetText(Control::txtInputFileName, "missing.txt");
  Boxes({"AY1"});
  form->cmdSearchTranscriptions_Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "The input file " + dir.path() + "/missing.txt could not be read: No such file or "
                                  "directory.");
  EXPECT_EQ(Read("FullOutput.txt"), "earlier full");
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "You can re-click here for another search.");
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kFailed);
  // Nothing stays loaded: the next search tries again.
  platform.SetText(Control::txtInputFileName, "in.txt");
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(form->NumberOfHits, 3);
}

// Both search buttons show the progress in their caption.
TEST_F(SearchCommand, ProgressIsShownEveryHundredEntries) {
  std::string dict;
  for (int i = 0; i < 250; ++i) dict += "tab\tT AE1 B\tT AE1 BCoda\t\t1\t1\r\n";
  Write("in.txt", dict);
  Start();
  Boxes({"T"});
  platform.SetText(Control::txtOrthography, "zzz");
  const int before = platform.doEventsCount;
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.doEventsCount - before, 3);  // validation once, progress twice
  form->cmdSearchOrthography_Click();
  for (Control button : {Control::cmdSearchTranscriptions, Control::cmdSearchOrthography}) {
    std::vector<std::string> progress;
    for (const auto& c : platform.captions[static_cast<int>(button)]) {
      if (c.rfind("Searching", 0) == 0) progress.push_back(c);
    }
    EXPECT_EQ(progress, (std::vector<std::string>{"Searching the dictionary; completed 100/250",
                                                   "Searching the dictionary; completed 200/250"}));
  }
  EXPECT_EQ(Caption(Control::cmdSearchOrthography), "You can re-click here for another search.");
}

// While a search runs a second start is refused, and the query is made at the
// click: a small box clicked meanwhile counts from the next search on.
TEST_F(SearchCommand, ClicksDuringTheSearchStartNothingAndCountFromTheNextSearch) {
  std::string dict;
  for (int i = 0; i < 150; ++i) dict += "tab\tT AE1 B\tT AE1 BCoda\t\t1\t1\r\n";
  Write("in.txt", dict);
  Start();
  Boxes({"T", "AE1"});
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
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(form->NumberOfHits, 150);
  EXPECT_EQ(Read("Hits.txt").size(), 150u * 3);
  EXPECT_NE(Read("MediumOutput.txt").find("\r\nT\tAE1\t150\t"), std::string::npos);
  platform.onDoEvents.clear();
  form->cmdSearchTranscriptions_Click();
  EXPECT_NE(Read("MediumOutput.txt").find("\r\nAE1\t150\t"), std::string::npos);
}

}  // namespace
}  // namespace velmora
