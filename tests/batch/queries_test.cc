// velmora-batch --queries: many searches over one load, each writing exactly
// the files a run of its own with the same words writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_process.h"
#include "lexicon/text.h"
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

TEST_F(Queries, ALineThatIsNoQueryStopsEverythingBeforeItRuns) {
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "AY1\n\n--ignore 9 AY1\n--folder x AY1\n"));
  const ProcessResult r = Run({"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "velmora-batch: " + dir.Path("q.txt") + ", line 3: --ignore takes a box number from 1 to 5, not '9'\n");
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(fs::exists(dir.Path("out")));
}

TEST_F(Queries, AFailedQueryIsReportedWithItsNumberAndTheOthersRun) {
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "NOSUCH\n--input missing.txt AY1\nAY1\n"));
  const ProcessResult r = Run({"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}, dir.path());
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err,
            "1: The item in Box # 1 is neither a legal phoneme nor a legal natural class name.  Please fix this and "
            "click on the search button again.\n"
            "2: The input file " + dir.Path("missing.txt") + " could not be read: No such file or directory.\n");
  EXPECT_NE(r.out.find("3: Done!  You can re-click here for another search.\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir.Path("out/3/MediumOutput.txt")));
}

TEST_F(Queries, OptionsThatBelongToTheRunAreRefusedInALineOrBesideQueries) {
  ASSERT_TRUE(WriteFile(dir.Path("q.txt"), "--out elsewhere AY1\n"));
  ProcessResult r = Run({"--queries", dir.Path("q.txt"), "--out", dir.Path("out")}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("line 1: --out is for --queries"), std::string::npos) << r.err;
  r = Run({"--queries", dir.Path("q.txt"), "--out", dir.Path("out"), "AY1"}, dir.path());
  EXPECT_EQ(r.status, 2);
  r = Run({"--out", dir.Path("out"), "AY1"}, dir.path());
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace velmora
