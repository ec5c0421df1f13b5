// velmora-batch --queries: many searches over one load, each writing exactly
// the files a run of its own with the same words writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_process.h"
#include "batch/batch_run.h"
#include "platform/text.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

const char* const kResultFiles[] = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                                    "MediumOutput.txt", "Hits.txt", "Misses.txt"};

// The bundled data, and a second, smaller dictionary cut from it. (The
// searches here write less than the 1 MiB a test's process may write.)
void CopyData(const std::string& folder) {
  for (const char* name : {"in.txt", "AllSegments.txt", "SegmentKey.txt"}) {
    fs::copy_file(fs::path(VELMORA_DATA_DIR) / name, fs::path(folder) / name);
  }
  for (const char* name : {"NaturalClasses", "SyllabifiedNaturalClasses"}) {
    fs::copy(fs::path(VELMORA_DATA_DIR) / name, fs::path(folder) / name);
  }
  const std::string all = ReadFile(folder + "/in.txt");
  ASSERT_TRUE(WriteFile(folder + "/small.txt", all.substr(0, all.find("\r\nb") + 2)));
  ASSERT_TRUE(WriteFile(folder + "/UserSettings.txt",
                        "Box 1\r\nAY1\r\nSearch syllabified data\r\nno\r\nExample lists in Medium output files "
                        "should be no longer than this number (in characters)\r\n30\r\n"));
}

class Queries : public ::testing::Test {
 protected:
  void SetUp() override { CopyData(dir.path()); }
  ProcessResult Run(std::vector<std::string> args, const std::string& folder) {
    args.insert(args.begin(), {VELMORA_BATCH_EXE, "--folder", folder});
    return RunProcess(args);
  }
  ScopedTempDir dir;
};

TEST_F(Queries, EachQueryWritesWhatARunOfItsOwnWrites) {
  const std::vector<std::string> lines = {
      "AY1 CONSONANT CONSONANT ']'",
      "--syllabified --exclude --ignore 1 --limit 40 '[' STOP LIQUID",
      "--plain '[' NG",
      "--vowels '[' VOWEL ']'",
      "--orthography 'ation]'",
      "--input small.txt \"CONSONANT\" VOWEL",
      "",  // an empty line is no query
      "NG ']'",  // the first dictionary again, kept from the first query
  };
  std::string file;
  for (const std::string& line : lines) file += line + "\n";
  // An earlier run's files in the folder of query 3, which finds nothing, go.
  fs::create_directories(dir.Path("out/3"));
  for (const char* name : kResultFiles) ASSERT_TRUE(WriteFile(dir.Path("out/3/") + name, "earlier"));
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), file));
  const std::string settings = ReadFile(dir.Path("UserSettings.txt"));
  const ProcessResult all = Run({"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}, dir.path());
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.err, "3: No examples were found.\n");
  EXPECT_EQ(ReadFile(dir.Path("UserSettings.txt")), settings);  // not rewritten

  int k = 0;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    ++k;
    // A run of its own in a fresh copy of the folder.
    ScopedTempDir single;
    CopyData(single.path());
    std::vector<std::string> args = SplitShellWords(line);
    const ProcessResult one = Run(args, single.path());
    const std::string prefix = std::to_string(k) + ": ";
    std::string lastCaption = one.out.substr(one.out.rfind('\n', one.out.size() - 2) + 1);
    EXPECT_NE(all.out.find(prefix + lastCaption), std::string::npos) << line;
    for (const char* name : kResultFiles) {
      const std::string mine = dir.Path("out/" + std::to_string(k) + "/" + name);
      const std::string own = single.Path(name);
      EXPECT_EQ(::access(mine.c_str(), F_OK) == 0, ::access(own.c_str(), F_OK) == 0) << line << ": " << name;
      if (::access(own.c_str(), F_OK) == 0) {
        EXPECT_EQ(ReadFile(mine), ReadFile(own)) << line << ": " << name;
      }
    }
  }
  EXPECT_EQ(k, 7);
}

// A line that is no query stops everything before anything runs or is made.
TEST(QueryLines, ALineThatIsNoQueryIsAUsageErrorNamingIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"AY1\n\n--ignore 9 AY1\n--folder x AY1\n", "line 3: --ignore takes a box number from 1 to 5, not '9'"},
      {"AY1 \"CONSONANT\n", "line 1: a quote is never closed"},
      {"# a b c d e f\n\t\n--bogus\n", "line 3: unknown option '--bogus'"},
      {"\xEF\xBB\xBF--bogus\n", "line 1: unknown option '--bogus'"},  // a byte-order mark is no part of it
      {"AY1\n--folder x AY1\n", "line 2: --folder is not allowed in a query"},
      {"--queries q.txt\n", "line 1: --queries is not allowed in a query"},
      {"--out elsewhere AY1\n", "line 1: --out is for --queries"},
      {"AY1\n--plain NOSUCH\n", "line 2: The item in Box # 1 is neither a legal phoneme nor a legal natural class "
                                 "name.  Please fix this and click on the search button again."},
      {"AY1\n\n{+voice\n", "line 3: Box 1: \"{+voice\" has no closing }.  Please fix this and click on the search button again."},
      {"\"--x\x01" + std::string(90, 'y') + "\"\n", "line 1: unknown option '--x\\x01" + std::string(76, 'y') + "...'"},
  };
  for (const auto& [file, error] : cases) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
    ASSERT_TRUE(WriteFile(dir.Path("q.txt"), file));
    BatchOptions options;
    ASSERT_TRUE(ParseBatchOptions({"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}, &options).ok());
    std::ostringstream out, messages;
    BatchSession session(dir.path(), out, messages);
    EXPECT_EQ(RunBatch(options, session), kExitRefused) << file;
    EXPECT_EQ(messages.str(), "velmora-batch: " + dir.Path("q.txt") + ", " + error + "\n") << file;
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(fs::exists(dir.Path("out")));
  }
}

// Each query stands alone: a folder that cannot be made fails only its own.
TEST_F(Queries, AFailedQueryIsReportedWithItsNumberAndTheOthersRun) {
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "--input odd.txt T\nAY1 ]\n--input missing.txt AY1\nAY1\n"
                                           "--answer no --input odd.txt T\n"));
  ASSERT_TRUE(WriteFile(dir.Path("odd.txt"), "tq\tT Q\r\n"));
  fs::create_directory(dir.Path("out"));
  ASSERT_TRUE(WriteFile(dir.Path("out/2"), "a file where the folder of query 2 should be"));
  const ProcessResult r = Run({"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}, dir.path());
  EXPECT_EQ(r.status, 3);
  // A dictionary's cautions are answered again by every query that searches it.
  const std::string caution =
      "Caution:  the word Q ] contains the sound [Q], which is not on the list of phonemes AllSegments.txt.  You "
      "may want to adjust either in.txt or AllSegments.txt before continuing.  Click Yes to continue, No to exit "
      "program.\n";
  EXPECT_EQ(r.err, "1: " + caution + "2: The folder " + dir.Path("out/2") + " could not be made: File exists.\n" +
                       "3: The input file " + dir.Path("missing.txt") +
                       " could not be read: No such file or directory.\n" + "5: " + caution);
  EXPECT_FALSE(fs::exists(dir.Path("out/5/FullOutput.txt")));
  EXPECT_NE(r.out.find("4: Done!  You can re-click here for another search.\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir.Path("out/4/MediumOutput.txt")));
}

}  // namespace
}  // namespace velmora
