// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-batch on fixture folders: tables of runs in-process, the executable where the process matters.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "batch/batch_run.h"
#include "batch/batch_stats.h"
#include "platform/text.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
const std::string kDone = "Done!  You can re-click here for another search.\n";
const std::string kReclick = "You can re-click here for another search.\n";
const std::string kNone = "No examples were found.\n";

struct ProcessResult {
  int status;  // -1: the process did not exit
  std::string out, err;
  bool operator==(const ProcessResult&) const = default;
};
std::ostream& operator<<(std::ostream& o, const ProcessResult& r) {
  return o << "status " << r.status << "\nstdout: " << r.out << "\nstderr: " << r.err;
}

ProcessResult RunProcess(const Args& argv) {
  ScopedTempDir capture;
  std::string command;
  for (const std::string& a : argv) command += "'" + a + "' ";
  const int w = std::system((command + "</dev/null >" + capture.Path("1") + " 2>" + capture.Path("2")).c_str());
  return {WIFEXITED(w) ? WEXITSTATUS(w) : -1, ReadFile(capture.Path("1")), ReadFile(capture.Path("2"))};
}

ProcessResult Batch(const std::string& folder, const Args& args) {
  BatchOptions options;
  EXPECT_TRUE(ParseBatchOptions(args, &options).ok());
  std::ostringstream out, messages;
  BatchSession session(folder, out, messages);
  return {RunBatch(options, session), out.str(), messages.str()};  // in this order
}

std::string Saved(const std::string& folder) {  // UserSettings.txt's values, each followed by |; "-": no file
  if (!fs::exists(folder + "/UserSettings.txt")) return "-";
  std::istringstream in(ReadFile(folder + "/UserSettings.txt"));
  std::string values;
  for (std::string label, value; std::getline(in, label) && std::getline(in, value);) values += value + "|";
  std::erase(values, '\r');
  return values;
}

// Runs one after another in one folder; saved: Saved() afterwards; file: a file holding holds ("": no check).
struct Row { Args args; int status; std::string out, err, saved = "", file = "", holds = ""; };

class BatchRun : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFixtureFolder(dir.path())); }
  std::string Read(const std::string& name) { return ReadFile(dir.Path(name)); }
  void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(::testing::PrintToString(row.args));
      EXPECT_EQ(Batch(dir.path(), row.args), (ProcessResult{row.status, row.out, row.err}));
      EXPECT_EQ(row.saved.empty() ? "" : Saved(dir.path()), row.saved);
      EXPECT_NE((row.file.empty() ? "" : Read(row.file)).find(row.holds), std::string::npos) << row.file;
      EXPECT_EQ(fs::exists(dir.Path("FullOutput.txt")), row.status < 2);  // refused or failed: nothing written
      fs::remove(dir.Path("FullOutput.txt"));
    }
  }
  ScopedTempDir dir;
};

std::string Searched(const std::string& what, const std::string& hits, const std::string& of = "5 entries of in.txt",
                     const std::string& k = "") {  // k: a query's prefix
  return k + "Searched " + of + " for " + what + ": " + hits + ".\n" + k + (hits == "no hits" ? kReclick : kDone);
}

TEST_F(BatchRun, EachRunEndsWithItsStatusCaptionAndMessagesAndSavesItsChoices) {
  const std::string kRefused = "Search transcriptions\n", kMedium = "MediumOutput.txt";
  const std::string kIllegal2 = "The item in Box # 2 is neither a legal phoneme nor a legal natural class name.  "
                                "Please fix this and click on the search button again.\n";
  ASSERT_TRUE(WriteFile(dir.Path("other.txt"), kFixtureDictionary));
  RunRows({
      {{}, 2, kRefused, "Please type segments or natural classes in row of five boxes.\n", "-"},
      {{"ay1", "FOO"}, 2, kRefused, kIllegal2, "-"},
      {{"]", "B"}, 1, Searched("] B", "no hits"), kNone, "in.txt|]|B||||no|no|no|no|no||no|||no|100|no|"},
      // The orthography search does not check the boxes.
      {{"--no-vowels", "--orthography", "in", "AY1", "FOO"}, 0,
       Searched("\"in\"", "2 hits", "5 spellings of in.txt"), ""},
      // The switch chooses the class folder before the boxes are checked (CODA is syllabified only).
      {{"--syllabified", "AY1", "CODA", "CODA", "]"}, 0, Searched("AY1 CODA CODA ]", "3 hits"), ""},
      {{"--plain"}, 2, kRefused, kIllegal2},  // the saved boxes stand
      {{"--input", "missing.txt", "AY1"}, 3, kReclick,
       "The input file " + dir.Path("missing.txt") + " could not be read: No such file or directory.\n"},
      {{"--input", "NaturalClasses", "AY1"}, 3, kReclick,
       "The input file " + dir.Path("NaturalClasses") + " could not be read: Is a directory.\n"},
      {{"--input", "in.txt", "--exclude", "--ignore", "1", "[", "B", "L"}, 0, Searched("[ B L", "1 hit"), "", "",
       "SmallOutput.txt", "[ B L\r\nblind\r\n"},
      {{}, 0, Searched("[ B L", "1 hit"), "", "in.txt|[|B|L|||yes|no|no|no|no|in|yes|||yes|100|no|", kMedium,
       "\r\nB\tL\t1\tblind\r\n"},
      // Items fill Box 1..3 and empty the rest; --ignore unticks the boxes it does not name.
      {{"--no-exclude", "--ignore", "3", "[", "B", "L"}, 0, Searched("[ B L", "2 hits"), "",
       "in.txt|[|B|L|||no|no|yes|no|no|in|yes|||no|100|no|", kMedium, "\r\n[\tB\t2\tblind blackbird\r\n"},
      {{"--input", "other.txt", "--syllabified", "--vowels", "--exclude", "--ignore", "1", "--ignore", "5", "--limit",
        "42", "--orthography", "ll", "[", "vowel", "]"}, 1, Searched("\"ll\"", "no hits", "5 spellings of other.txt"),
       kNone, "other.txt|[|vowel|]|||yes|no|no|no|yes|ll|yes|||yes|42|yes|"},
      {{"--input", "in.txt", "--plain", "--no-vowels", "--no-exclude", "--ignore", "2", "--limit", "5", "AY1"}, 0,
       Searched("AY1", "3 hits"), "", "in.txt|AY1|||||no|yes|no|no|no|ll|no|||no|5|no|", kMedium,
       "\tblind child ...\r"},
      {{"AY1"}, 0, Searched("AY1", "3 hits"), "", "", kMedium, "\r\nAY1\t3\tblind child ...\r\n"},
      // A negative limit counts as 0.
      {{"--limit", "-3", "AY1"}, 0, Searched("AY1", "3 hits"), "", "in.txt|AY1|||||no|yes|no|no|no|ll|no|||no|0|no|",
       kMedium, "\r\nAY1\t3\tblind ...\r\n"},
      // A search-language item and the filters pass through; a filter is saved until an empty value clears it.
      {{"N|L", "D", "]"}, 0, Searched("N|L D ]", "2 hits"), "", "", "Hits.txt", "1\r\n1\r\n0\r\n0\r\n0\r\n"},
      {{"--min-frequency", "30", "--max-frequency", "40", "AY1"}, 0,
       Searched("AY1 (filters: min frequency 30, max frequency 40)", "2 hits"), "", "", "SmallOutput.txt",
       "AY1 (filters: min frequency 30, max frequency 40)\r\nchild, pint\r\n"},
      {{"--min-frequency", "", "--orthography", "b"}, 0, Searched("\"b\" (filters: max frequency 40)", "3 hits",
       "5 spellings of in.txt"), "", "", "UserSettings.txt",
       "Filter: lowest frequency\r\n\r\nFilter: highest frequency\r\n40\r\n"},
      {{"--max-frequency", "", "--syllabified", "--segments", "4-5", "[", "!VOWEL"}, 0,
       Searched("[ !VOWEL (filters: segments 4-5)", "3 hits"), "", "", "Misses.txt", "0\r\n0\r\n0\r\n1\r\n1\r\n"},
      {{"--plain", "--segments", "", "--syllables", "3-", "[", "CONSONANT"}, 1,
       Searched("[ CONSONANT (filters: syllables 3-)", "no hits"), kNone},
      // The filters on the lexical statistics: blind shares B L with blackbird; their labels are saved while set.
      {{"--syllables", "", "--neighbours", "0", "--uniqueness-point", "3-", "AY1"}, 0,
       Searched("AY1 (filters: neighbours 0, uniqueness point 3-)", "1 hit"), "",
       "in.txt|AY1|||||no|yes|no|no|no|b|no|||no|0|no||||||0|3-|", "SmallOutput.txt", "\r\nblind\r\n"},
      {{"--uniqueness-point", "", "AY1"}, 0, Searched("AY1 (filters: neighbours 0)", "3 hits"), ""},
      {{"--neighbours", "", "AY1"}, 0, Searched("AY1", "3 hits"), "", "in.txt|AY1|||||no|yes|no|no|no|b|no|||no|0|no|"},
  });
}

// --data: a bundled set by name or a folder gives the inventory, the classes and in.txt; other input files lie in
// the program folder. The choice is saved, and English ("en", the default) writes no pair for it.
TEST_F(BatchRun, ADataSetGivesTheInventoryClassesAndDictionaryAndIsSaved) {
  ScopedTempDir own;  // a folder of the user's own
  ASSERT_TRUE(WriteFixtureDataSet(dir.path()));
  ASSERT_TRUE(WriteFile(own.Path("in.txt"), "mo\tm o0\n") && WriteFile(own.Path("AllSegments.txt"), "[\n]\nm\no0\n") &&
              WriteFile(own.Path("SegmentKey.txt"), ""));
  const std::string kEnglish = "in.txt|AY1|||||no|no|no|no|no||no|||no|100|no|";
  const std::string kUsage = "velmora-batch: the data set ";
  const std::string kNoSet = " is neither a bundled one (en, xx) nor a folder that holds in.txt and AllSegments.txt";
  RunRows({
      {{"--data", "xx", "a1", "CONS"}, 0, Searched("a1 CONS", "2 hits", "2 entries of in.txt"), "",
       "in.txt|a1|CONS||||no|no|no|no|no||no|||no|100|no|xx|", "SmallOutput.txt", "gatto, mare"},
      {{"AY1"}, 2, "Search transcriptions\n", "The item in Box # 1 is neither a legal phoneme nor a legal natural "
       "class name.  Please fix this and click on the search button again.\n"},  // the saved set stands
      {{"--input", "xx.txt", "e0"}, 0, Searched("e0", "1 hit", "1 entries of xx.txt"), ""},
      {{"--data", "en", "--input", "in.txt", "AY1"}, 0, Searched("AY1", "3 hits"), "", kEnglish},
      {{"--data", own.path(), "m"}, 0, Searched("m", "1 hit", "1 entries of in.txt"), "",
       "in.txt|m|||||no|no|no|no|no||no|||no|100|no|" + own.path() + "|"},
      {{"--data", "nope", "AY1"}, 2, "", kUsage + "'nope'" + kNoSet + " (see velmora-batch --help)\n"},
      {{"--data", dir.Path("xx/NaturalClasses"), "AY1"}, 2, "",
       kUsage + "'" + dir.Path("xx/NaturalClasses") + "'" + kNoSet + " (see velmora-batch --help)\n"},
      {{"--data", "en", "AY1"}, 0, Searched("AY1", "3 hits"), "", kEnglish},
  });
  EXPECT_EQ(Batch(dir.path(), {"--statistics", "--data", "xx"}),
            (ProcessResult{0, "Statistics of 2 entries of in.txt written.\n", ""}));
  EXPECT_EQ(Batch(dir.path(), {"--export", "csv", "--data", "xx", "--out", dir.Path("x.csv")}),
            (ProcessResult{0, "Export of 2 entries of in.txt written to " + dir.Path("x.csv") + ".\n", ""}));
  EXPECT_EQ(ReadFile(dir.Path("x.csv")), "spelling,transcription,frequency\r\ngatto,g.a1.t.o0,10\r\nmare,m.a1.r.e0,5\r\n");
  // Each line of --queries searches its own set; the dictionary of each is read once.
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "--data xx a1 CONS\nAY1 ]\n--data xx a1\n--data nope a1\n"));
  EXPECT_EQ(Batch(dir.path(), {"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}),
            (ProcessResult{2, "", "velmora-batch: " + dir.Path("q.txt") + ", line 4: the data set 'nope'" + kNoSet +
                                      "\n"}));
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "--data xx a1 CONS\nAY1 ]\n--data xx a1\n"));
  EXPECT_EQ(Batch(dir.path(), {"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}),
            (ProcessResult{0, Searched("a1 CONS", "2 hits", "2 entries of in.txt", "1: ") +
                                  Searched("AY1 ]", "no hits", "5 entries of in.txt", "2: ") +
                                  Searched("a1", "2 hits", "2 entries of in.txt", "3: "), "2: " + kNone}));
}

// What only the process shows: main's exit status and stderr line, --help, the executable's own folder.
TEST_F(BatchRun, TheProcess) {
  EXPECT_EQ(RunProcess({VELMORA_BATCH_EXE, "--folder", dir.path(), "AY1", "--limit"}),
            (ProcessResult{2, "", "velmora-batch: --limit needs a value (see velmora-batch --help)\n"}));
  EXPECT_EQ(RunProcess({VELMORA_BATCH_EXE, "--folder", dir.Path("in.txt"), "AY1"}),
            (ProcessResult{2, "", "velmora-batch: " + dir.Path("in.txt") + " is not a folder\n"}));
  ASSERT_TRUE(fs::copy_file(VELMORA_BATCH_EXE, dir.Path("velmora-batch")));
  for (const Args& help : {Args{dir.Path("velmora-batch"), "--help", "AY1"},
                           Args{VELMORA_BATCH_EXE, "--folder", dir.path(), "-h"}}) {
    const ProcessResult r = RunProcess(help);
    EXPECT_EQ(std::to_string(r.status) + r.err, "0");
    EXPECT_EQ(r.out.rfind("Usage: velmora-batch [--folder DIR]", 0), 0u);
    EXPECT_NE(r.out.find("\n  --answer yes|no "), std::string::npos);
    EXPECT_NE(r.out.find("Program folder: " + dir.path()), std::string::npos) << r.out;
  }
  EXPECT_EQ(Saved(dir.path()), "-");
  EXPECT_EQ(RunProcess({dir.Path("velmora-batch"), "AY1", "CONSONANT", "CONSONANT", "]"}),
            (ProcessResult{0, Searched("AY1 CONSONANT CONSONANT ]", "3 hits"), ""}));
  EXPECT_REFERENCE_SEARCH_FILES(dir.path());
  EXPECT_EQ(Saved(dir.path()), "in.txt|AY1|CONSONANT|CONSONANT|]||no|no|no|no|no||no|||no|100|no|");  // initial values
}

// --statistics writes its files whole and together, or nothing; no search file and no setting changes.
TEST_F(BatchRun, StatisticsWriteTheFilesAskedForOrNone) {
  const std::string kHead = std::string(kStatisticsHeader) + "\r\n";
  const std::string kCat = "cat\tK AE1 T\t3\t12\t0\t2\t1\t1\t0\t3\t1\t0\t2\t2.649150\t1.649150\r\n";
  const std::string kAll = kHead + kCat + "bat\tB AE1 T\t3\t3\t0\t2\t1\t1\t0\t12\t1\t0\t2\t2.350850\t1.350850\r\n"
                           "at\tAE1 T\t2\t0\t0\t2\t0\t0\t2\t15\t1\t0\t2\t0.000000\t0.000000\r\n";
  const std::string kWritten = "Statistics of 3 entries of s.txt written.\n";
  ASSERT_TRUE(WriteFile(dir.Path("s.txt"), "cat\tK AE1 T\t\t\t12\r\nbat\tB AE1 T\t\t\t3\r\nat\tAE1 T\t\t\tx7\r\n") &&
              WriteFile(dir.Path("w.txt"), "CAT\nnope\nbad\tK AY1 Q1\n\nnew\tB AE1 T N\n") &&
              WriteFile(dir.Path("empty.txt"), ""));
  const Args kStats = {"--statistics", "--input", "s.txt"};
  auto with = [&](Args more) { more.insert(more.begin(), kStats.begin(), kStats.end()); return more; };
  struct StatsRow { Args args; int status; std::string out, err; std::vector<std::pair<std::string, std::string>> files; };
  const StatsRow rows[] = {
      {with({"--neighbour-lists", "--minimal-pairs", "K", "B", "--functional-load"}), 0, kWritten, "",
       {{"Statistics.txt", kAll},
        {"Neighbours.txt", "Word\tNeighbour\tKind\r\ncat\tbat\tS\r\ncat\tat\tD\r\nbat\tcat\tS\r\nbat\tat\tD\r\n"
                           "at\tcat\tA\r\nat\tbat\tA\r\n"},
        {"MinimalPairs.txt", "Word with K\tWord with B\tPosition\r\ncat\tbat\t1\r\n"},
        {"FunctionalLoad.txt", "Segment\tSegment\tMinimal pairs\r\nB\tK\t1\r\n"}}},
      // A failure touches none of the files of the run before.
      {{"--statistics", "--input", "missing.txt"}, 3, "",
       "The input file " + dir.Path("missing.txt") + " could not be read: No such file or directory.\n",
       {{"Statistics.txt", kAll}, {"Neighbours.txt", "Word"}}},
      {with({"--words", dir.Path("nothing.txt")}), 3, "",
       "The word list " + dir.Path("nothing.txt") + " could not be read: No such file or directory.\n",
       {{"Statistics.txt", kAll}}},
      // A word list: the lines that give no row are reported and the others written.
      {with({"--words", dir.Path("w.txt"), "--neighbour-lists", "--minimal-pairs", "B", "K"}), 1, kWritten,
       "velmora-batch: " + dir.Path("w.txt") + ", line 2: 'nope' is not in the dictionary\nvelmora-batch: " +
           dir.Path("w.txt") + ", line 3: the symbol 'Q1' is not in AllSegments.txt\n",
       {{"Statistics.txt", kHead + kCat + "new\tB AE1 T N\t4\t0\t0\t1\t0\t1\t0\t3\t4\t1\t0\t2.350850\t1.350850\r\n"},
        {"Neighbours.txt", "Word\tNeighbour\tKind\r\ncat\tbat\tS\r\ncat\tat\tD\r\nnew\tbat\tD\r\n"},
        {"MinimalPairs.txt", "Word with B\tWord with K\tPosition\r\nbat\tcat\t1\r\n"}}},
      {{"--statistics", "--input", "empty.txt", "--keep-stress"}, 0, "Statistics of 0 entries of empty.txt written.\n",
       "", {{"Statistics.txt", kHead}}},
  };
  for (const StatsRow& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    EXPECT_EQ(Batch(dir.path(), row.args), (ProcessResult{row.status, row.out, row.err}));
    for (const auto& [name, contents] : row.files) EXPECT_EQ(Read(name).substr(0, contents.size()), contents) << name;
  }
  EXPECT_FALSE(fs::exists(dir.Path("FullOutput.txt")) || fs::exists(dir.Path("UserSettings.txt")));
}

// ---- --queries: each DIR/k holds what a run of its own writes (the second run of a dictionary reuses its load).
TEST_F(BatchRun, EachQueryWritesWhatARunOfItsOwnWrites) {
  const Args lines = {"AY1 CONSONANT CONSONANT ']'", "--syllabified --exclude --ignore 1 --limit 4 AY1 CODA",
                      "--plain ']' B", "--vowels '[' VOWEL ']'", "--orthography 'in'  # a comment",
                      "--input other.txt \"CONSONANT\" VOWEL", "", "B ']'"};  // "" is no query
  const char* const kFiles[] = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                                "MediumOutput.txt", "Hits.txt", "Misses.txt"};
  std::string file;
  for (const std::string& line : lines) file += line + "\n";
  fs::create_directories(dir.Path("out/3"));  // query 3 finds nothing; an earlier run's files there go
  for (const char* name : kFiles) ASSERT_TRUE(WriteFile(dir.Path("out/3/") + name, "earlier"));
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), file) && WriteFile(dir.Path("UserSettings.txt"), "Box 1\r\nAY1\r\n"));
  ASSERT_TRUE(WriteFile(dir.Path("other.txt"), Read("in.txt").substr(0, Read("in.txt").find("pint"))));
  const ProcessResult all = Batch(dir.path(), {"--queries", dir.Path("q.txt"), "--out", dir.Path("out")});
  EXPECT_EQ(all, (ProcessResult{0, all.out, "3: " + kNone}));
  EXPECT_EQ(Read("UserSettings.txt"), "Box 1\r\nAY1\r\n");  // not rewritten
  int k = 0;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    const std::string out = dir.Path("out/" + std::to_string(++k) + "/");
    ScopedTempDir single;
    fs::copy(dir.path(), single.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const ProcessResult one = Batch(single.path(), SplitShellWords(line));
    EXPECT_NE(all.out.find(std::to_string(k) + ": " + one.out.substr(one.out.rfind('\n', one.out.size() - 2) + 1)),
              std::string::npos) << line;
    for (const char* name : kFiles) {
      EXPECT_EQ(fs::exists(out + name), fs::exists(single.Path(name))) << line << ": " << name;
      if (fs::exists(out + name)) { EXPECT_EQ(ReadFile(out + name), ReadFile(single.Path(name))) << line << name; }
    }
  }
}

// A line that is no query stops everything before anything runs or is made.
TEST(Queries, ALineThatIsNoQueryIsAUsageErrorNamingIt) {
  const std::string kFix = "  Please fix this and click on the search button again.";
  const std::pair<std::string, std::string> cases[] = {
      {"AY1\n\n--ignore 9 AY1\n--folder x AY1\n", "line 3: --ignore takes a box number from 1 to 5, not '9'"},
      {"AY1 \"CONSONANT\n", "line 1: a quote is never closed"},
      {"# a b c d e f\n\t\n--bogus\n", "line 3: unknown option '--bogus'"},
      {"\xEF\xBB\xBF--bogus\n", "line 1: unknown option '--bogus'"},  // a byte-order mark is no part of it
      {"AY1\n--folder x AY1\n", "line 2: --folder is not allowed in a query"},
      {"--queries q.txt\n", "line 1: --queries is not allowed in a query"},
      {"--out elsewhere AY1\n", "line 1: --out is for --queries"},
      {"AY1\n--plain NOSUCH\n", "line 2: The item in Box # 1 is neither a legal phoneme nor a legal natural class "
                                 "name." + kFix},
      {"AY1\n\n{+voice\n", "line 3: Box 1: \"{+voice\" has no closing }." + kFix},
      {"\"--x\x01" + std::string(90, 'y') + "\"\n", "line 1: unknown option '--x\\x01" + std::string(76, 'y') + "...'"},
  };
  for (const auto& [file, error] : cases) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFixtureFolder(dir.path()) && WriteFile(dir.Path("q.txt"), file));
    EXPECT_EQ(Batch(dir.path(), {"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}),
              (ProcessResult{kExitRefused, "", "velmora-batch: " + dir.Path("q.txt") + ", " + error + "\n"}));
    EXPECT_FALSE(fs::exists(dir.Path("out")));
  }
}

// Each query stands alone: a folder that cannot be made fails only its own. A caution is one message line, asked
// again for each query: answered yes (the default) the search goes on, no stops it before any result file.
TEST_F(BatchRun, AFailedQueryIsReportedWithItsNumberAndTheOthersRun) {
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "--input odd.txt T\nAY1 ]\n--input missing.txt AY1\nAY1\n"
                                           "--answer no --input odd.txt T\n"));
  ASSERT_TRUE(WriteFile(dir.Path("odd.txt"), "tq\tT Q\r\n") && fs::create_directory(dir.Path("out")));
  ASSERT_TRUE(WriteFile(dir.Path("out/2"), "a file where the folder of query 2 should be"));
  const ProcessResult r = Batch(dir.path(), {"--queries", dir.Path("q.txt"), "--out", dir.Path("out")});
  const std::string caution = "Caution:  the word Q ] contains the sound [Q], which is not on the list of phonemes "
      "AllSegments.txt.  You may want to adjust either in.txt or AllSegments.txt before continuing.  Click Yes to "
      "continue, No to exit program.\n";
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "1: " + caution + "2: The folder " + dir.Path("out/2") + " could not be made: File "
                   "exists.\n3: The input file " + dir.Path("missing.txt") + " could not be read: No such file or "
                   "directory.\n5: " + caution);
  EXPECT_EQ(r.out, Searched("T", "1 hit", "1 entries of odd.txt", "1: ") + "3: " + kReclick +
                   Searched("AY1", "3 hits", "5 entries of in.txt", "4: ") + "5: Preparing search ...\n");
  EXPECT_TRUE(fs::exists(dir.Path("out/4/MediumOutput.txt")) && !fs::exists(dir.Path("out/5/FullOutput.txt")));
}

}  // namespace
}  // namespace velmora
