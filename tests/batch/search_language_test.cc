// The search language and the lexical filters through velmora-batch, run as
// a process on the fixture folder: one search per kind of item, the filters
// at their edges, and the refusals that leave every file as it was.
//
// The fixture's entries, with their frequency, segments and stress:
//   1 blind      [ B L AY1 N D ]           50  5  1
//   2 child      [ CH AY1 L D ]            40  4  1
//   3 pint       [ P AY1 N T ]             30  4  1
//   4 tab        [ T AE1 B ]               20  3  1
//   5 blackbird  [ B L AE1 K B ER0 D ]      5  7  10   (annotated)
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "batch/batch_process.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

// voice and sonorant of the fixture's symbols; the boundaries have 0s.
const char* const kFeatures =
    "Symbol\tvoice\tsonorant\r\n"
    "[\t0\t0\r\n]\t0\t0\r\n"
    "B\t+\t-\r\nD\t+\t-\r\nT\t-\t-\r\nP\t-\t-\r\nK\t-\t-\r\nCH\t-\t-\r\n"
    "L\t+\t+\r\nN\t+\t+\r\nAY1\t+\t+\r\nAE1\t+\t+\r\nER0\t+\t+\r\n";

class SearchLanguage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFixtureFolder(dir.path())); }

  void Write(const std::string& name, const std::string& bytes) { ASSERT_TRUE(WriteFile(dir.Path(name), bytes)); }
  std::string Read(const std::string& name) { return ReadFile(dir.Path(name)); }
  bool Exists(const std::string& name) { return ::access(dir.Path(name).c_str(), F_OK) == 0; }

  ProcessResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {VELMORA_BATCH_EXE, "--folder", dir.path()});
    return RunProcess(args);
  }
  // MediumOutput.txt's rows after its two heading lines.
  std::string Rows() {
    const std::string medium = Read("MediumOutput.txt");
    size_t p = medium.find("\r\n");
    p = medium.find("\r\n", p + 2);
    return p == std::string::npos ? medium : medium.substr(p + 2);
  }

  ScopedTempDir dir;
};

// ---- One search per kind of item ---------------------------------------------------

TEST_F(SearchLanguage, AnAlternationMatchesAnyOfItsNamesInOneSegment) {
  const ProcessResult r = Run({"--plain", "N|L", "D", "]"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Rows(), "N\tD\t]\t1\tblind\r\nL\tD\t]\t1\tchild\r\n");
  EXPECT_EQ(Read("Hits.txt"), "1\r\n1\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(Read("SmallOutput.txt"), "N|L D ]\r\nblind, child\r\n");
}

TEST_F(SearchLanguage, ANegationMatchesAnyOtherSegmentButNeverABoundary) {
  EXPECT_EQ(Run({"--plain", "!N", "D", "]"}).status, 0);
  EXPECT_EQ(Rows(), "L\tD\t]\t1\tchild\r\nER0\tD\t]\t1\tblackbird\r\n");
  // Before CH stands only the boundary, which !AY1 does not match.
  const ProcessResult r = Run({"--plain", "!AY1", "CH"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "No examples were found.\n");
}

TEST_F(SearchLanguage, ABundleMatchesTheSymbolsOfTheFeatureTable) {
  Write("Features.txt", kFeatures);
  const ProcessResult r = Run({"--plain", "{+voice -sonorant}", "]"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Searched 5 entries of in.txt for {+voice -sonorant} ]: 4 hits.\n"
                   "Done!  You can re-click here for another search.\n");
  EXPECT_EQ(Rows(), "D\t]\t3\tblind child blackbird\r\nB\t]\t1\ttab\r\n");
  EXPECT_EQ(Read("UserSettings.txt").find("{+voice -sonorant}") != std::string::npos, true);
}

TEST_F(SearchLanguage, AnOptionalItemThatMatchesNothingLeavesItsColumnEmpty) {
  EXPECT_EQ(Run({"--plain", "AE1", "K?", "B"}).status, 0);
  EXPECT_EQ(Rows(), "AE1\t\tB\t1\ttab\r\nAE1\tK\tB\t1\tblackbird\r\n");
}

TEST_F(SearchLanguage, OneOrMoreJoinsItsSegmentsWithABlankAndIgnoringDropsTheColumn) {
  EXPECT_EQ(Run({"--plain", "[", "CONSONANT+", "AY1"}).status, 0);
  EXPECT_EQ(Rows(), "[\tB L\tAY1\t1\tblind\r\n[\tCH\tAY1\t1\tchild\r\n[\tP\tAY1\t1\tpint\r\n");
  EXPECT_EQ(Run({"--plain", "--ignore", "1", "--ignore", "3", "[", "CONSONANT+", "AY1"}).status, 0);
  EXPECT_EQ(Rows(), "B L\t1\tblind\r\nCH\t1\tchild\r\nP\t1\tpint\r\n");
}

TEST_F(SearchLanguage, ASingleBoxKeepsItsColumnWhenIgnored) {
  EXPECT_EQ(Run({"--plain", "--ignore", "1", "CONSONANT+"}).status, 0);
  EXPECT_EQ(Rows().substr(0, Rows().find("\r\n")), "B L\t2\tblind blackbird");
}

TEST_F(SearchLanguage, ZeroOrMoreGivesOneHitAtEachStartPositionThatMatches) {
  // In blind both L (taking L) and AY1 (taking nothing) start a match.
  EXPECT_EQ(Run({"--plain", "L*", "AY1", "N"}).status, 0);
  EXPECT_EQ(Rows(), "L\tAY1\tN\t1\tblind\r\n\tAY1\tN\t2\tblind pint\r\n");
  EXPECT_EQ(Read("Hits.txt"), "1\r\n0\r\n1\r\n0\r\n0\r\n");
}

TEST_F(SearchLanguage, AnySegmentsStopBeforeAWordBoundary) {
  EXPECT_EQ(Run({"--plain", "[", "...", "D", "]"}).status, 0);
  EXPECT_EQ(Rows(),
            "[\tB L AY1 N\tD\t]\t1\tblind\r\n[\tCH AY1 L\tD\t]\t1\tchild\r\n"
            "[\tB L AE1 K B ER0\tD\t]\t1\tblackbird\r\n");
  // ... never takes the boundary, so nothing lies between the two [.
  EXPECT_EQ(Run({"--plain", "]", "...", "["}).status, 1);
}

TEST_F(SearchLanguage, TheSyllabifiedAndVowelTiersTakeTheNewItemsToo) {
  EXPECT_EQ(Run({"--syllabified", "AY1", "LCoda|NCoda", "DCoda"}).status, 0);
  EXPECT_EQ(Rows(), "AY1\tNCoda\tDCoda\t1\tblind\r\nAY1\tLCoda\tDCoda\t1\tchild\r\n");
  EXPECT_EQ(Run({"--plain", "--vowels", "AE1", "...", "]"}).status, 0);
  EXPECT_EQ(Rows(), "AE1\t\t]\t1\ttab\r\nAE1\tER0\t]\t1\tblackbird\r\n");
}

// ---- Refusals ------------------------------------------------------------------------

TEST_F(SearchLanguage, AMalformedBoxIsRefusedByNameAndNothingIsTouched) {
  Write("SmallOutput.txt", "earlier");
  const ProcessResult r = Run({"AY1", "T|", "{+voice"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Box 2: \"T|\" has an empty alternative.  Please fix this and click on the search button again.\n");
  EXPECT_EQ(Read("SmallOutput.txt"), "earlier");
  EXPECT_FALSE(Exists("FullOutput.txt"));
  EXPECT_FALSE(Exists("UserSettings.txt"));
}

TEST_F(SearchLanguage, AnUnknownPlainNameKeepsTodaysMessage) {
  const ProcessResult r = Run({"AY1", "voiced"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "The item in Box # 2 is neither a legal phoneme nor a legal natural class name.  Please fix this and "
            "click on the search button again.\n");
}

TEST_F(SearchLanguage, AMissingOrDamagedFeatureTableRefusesOnlyTheBundle) {
  ProcessResult r = Run({"{+voice}", "]"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("Box 1: the feature table " + dir.Path("Features.txt") + " could not be read: ", 0), 0u)
      << r.err;
  EXPECT_FALSE(Exists("FullOutput.txt"));
  // A search without a bundle does not read the table.
  EXPECT_EQ(Run({"AY1|AE1", "]"}).status, 1);

  Write("Features.txt", "Symbol\tvoice\r\nB\t+\t-\r\n");
  r = Run({"AY1", "{+voice}"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Box 2: the feature table"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;

  Write("Features.txt", kFeatures);
  r = Run({"{+voiced}"});
  EXPECT_EQ(r.err, "Box 1: unknown feature \"voiced\".  Please fix this and click on the search button again.\n");
}

// ---- Filters -------------------------------------------------------------------------

TEST_F(SearchLanguage, FrequencyBoundsAreInclusiveAndAFilteredEntryIsAMiss) {
  const ProcessResult r = Run({"--min-frequency", "30", "--max-frequency", "40", "AY1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Searched 5 entries of in.txt for AY1 (filters: min frequency 30, max frequency 40): 2 hits.\n"
                   "Done!  You can re-click here for another search.\n");
  EXPECT_EQ(Read("Hits.txt"), "0\r\n1\r\n1\r\n0\r\n0\r\n");
  EXPECT_EQ(Read("Misses.txt"), "1\r\n0\r\n0\r\n1\r\n1\r\n");
  EXPECT_EQ(Read("SmallOutput.txt"), "AY1 (filters: min frequency 30, max frequency 40)\r\nchild, pint\r\n");
  EXPECT_EQ(Read("MediumOutput.txt").substr(0, 71),
            "Search string was:  AY1 (filters: min frequency 30, max frequency 40)\r\n");
  const std::string full = Read("FullOutput.txt");
  EXPECT_EQ(full.substr(full.rfind("zzz")),
            "zzz Search string was:  AY1 (filters: min frequency 30, max frequency 40)\r\n");
  EXPECT_EQ(Read("ResultsOfSearchInInputFormat.txt").find("blind"), std::string::npos);
}

// The counting rules are the filters' own tests; here, that a syllabified
// search counts the plain transcription, and an empty value clears a range.
TEST_F(SearchLanguage, SegmentRangesCountThePlainTranscription) {
  EXPECT_EQ(Run({"--syllabified", "--segments", "4-5", "[", "!VOWEL"}).status, 0);
  EXPECT_EQ(Read("Hits.txt"), "1\r\n1\r\n1\r\n0\r\n0\r\n");
  EXPECT_EQ(Run({"--plain", "--segments", "", "--syllables", "3-", "[", "CONSONANT"}).status, 1);
}

TEST_F(SearchLanguage, FiltersApplyToTheOrthographySearchAndAreSavedUntilCleared) {
  EXPECT_EQ(Run({"--max-frequency", "20", "--orthography", "b"}).status, 0);
  EXPECT_EQ(Read("Hits.txt"), "0\r\n0\r\n0\r\n1\r\n1\r\n");
  const std::string settings = Read("UserSettings.txt");
  EXPECT_NE(settings.find("Search vowels only\r\nno\r\n"
                          "Filter: lowest frequency\r\n\r\n"
                          "Filter: highest frequency\r\n20\r\n"),
            std::string::npos)
      << settings;
  // The saved filter stands for the next run, until an empty value clears it.
  EXPECT_EQ(Run({"--orthography", "b"}).status, 0);
  EXPECT_EQ(Read("Hits.txt"), "0\r\n0\r\n0\r\n1\r\n1\r\n");
  EXPECT_EQ(Run({"--max-frequency", "", "--orthography", "b"}).status, 0);
  EXPECT_EQ(Read("Hits.txt"), "1\r\n0\r\n0\r\n1\r\n1\r\n");
  EXPECT_EQ(Read("UserSettings.txt").find("Filter:"), std::string::npos);
}

TEST_F(SearchLanguage, FilterValuesNotOfTheirFormAreUsageErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--segments", "5-3"}, {"--segments", "x"}, {"--syllables", "-"},
        {"--min-frequency", "-1"}, {"--max-frequency", "1.5"}, {"--stress", "13"}}) {
    std::vector<std::string> line = args;
    line.push_back("AY1");
    const ProcessResult r = Run(line);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args[1];
    EXPECT_NE(r.err.find(args[0]), std::string::npos) << r.err;
  }
  EXPECT_FALSE(Exists("UserSettings.txt"));
}

}  // namespace
}  // namespace velmora
