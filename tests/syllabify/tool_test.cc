// velmora-syllabify as a user runs it: files in, files out, exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "test_files.h"

namespace velmora::syllabify {
namespace {

class ToolTest : public ::testing::Test {
 protected:
  ToolTest() {
    testing::WriteFile(folder_.Path("VOWEL.txt"), "AE0\r\nAE1\r\nAE2\r\nAH0\r\nAH1\r\nEH1\r\n");
    testing::WriteFile(folder_.Path("onsets.txt"), "T\r\nS\r\nS T R\r\nT R\r\nR\r\nB\r\n");
  }

  // Runs the tool with `arguments` and returns its exit status.
  int Run(const std::string& arguments) {
    const std::string command = std::string(VELMORA_SYLLABIFY_TOOL) + " " + arguments + " 2>" +
                                folder_.Path("stderr.txt");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Path(const std::string& name) { return folder_.Path(name); }
  std::string Read(const std::string& name) { return testing::ReadFile(folder_.Path(name)); }

  testing::TempFolder folder_;
};

TEST_F(ToolTest, FillsFieldThreeOfADictionaryWithAnyLineEnds) {
  testing::WriteFile(Path("in.txt"),
                     "tab\tT AE1 B\t\t\t12\t1\n"
                     "extra\tEH1 K S T R AH0\tstale\tnote\t3\t2\r"
                     "hmm\tHH M\r\n");
  ASSERT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --onsets " + Path("onsets.txt") + " " +
                Path("in.txt") + " " + Path("out.txt")),
            0)
      << Read("stderr.txt");
  EXPECT_EQ(Read("out.txt"),
            "tab\tT AE1 B\tT AE1 BCoda\t\t12\t1\r\n"
            "extra\tEH1 K S T R AH0\tEH1 KCoda S T R AH0\tnote\t3\t2\r\n"
            "hmm\tHH M\tHH M\t\t\t\r\n");
  EXPECT_NE(Read("stderr.txt").find("1 without a vowel"), std::string::npos);
}

TEST_F(ToolTest, ReadsStandardInputAndWritesStandardOutput) {
  testing::WriteFile(Path("in.txt"), "tab\tT AE1 B\n");
  ASSERT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --onsets " + Path("onsets.txt") + " < " +
                Path("in.txt") + " > " + Path("out.txt")),
            0);
  EXPECT_EQ(Read("out.txt"), "tab\tT AE1 B\tT AE1 BCoda\t\t\t\r\n");
}

TEST_F(ToolTest, DerivesOnsetsFromTheDictionaryItself) {
  // S T begins two words, S T R one: with a threshold of 2 only S T and T
  // are onsets, so the R of "astra" closes no cluster it could open.
  testing::WriteFile(Path("in.txt"),
                     "stab\tS T AE1 B\nstack\tS T AE1 K\nstrap\tS T R AE1 P\n"
                     "tab\tT AE1 B\ntap\tT AE1 P\nastra\tAE1 S T R AH0\n");
  ASSERT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --derive-onsets 2 --save-onsets " +
                Path("derived.txt") + " " + Path("in.txt") + " " + Path("out.txt")),
            0)
      << Read("stderr.txt");
  EXPECT_EQ(Read("derived.txt"), "S T\r\nT\r\n");
  EXPECT_NE(Read("out.txt").find("astra\tAE1 S T R AH0\tAE1 SCoda TCoda RCoda AH0\t"),
            std::string::npos)
      << Read("out.txt");
}

TEST_F(ToolTest, WrongUsageExitsWithTwoAndUnreadableFilesWithThree) {
  EXPECT_EQ(Run("--onsets " + Path("onsets.txt")), 2);
  EXPECT_NE(Read("stderr.txt").find("--vowels is required"), std::string::npos);
  EXPECT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --onsets " + Path("onsets.txt") +
                " --derive-onsets 3"),
            2);
  EXPECT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --derive-onsets zero"), 2);
  EXPECT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --onsets " + Path("onsets.txt") +
                " --frobnicate"),
            2);
  EXPECT_EQ(Run("--vowels " + Path("VOWEL.txt") + " --onsets " + Path("onsets.txt") + " " +
                Path("missing.txt") + " " + Path("out.txt")),
            3);
  EXPECT_NE(Read("stderr.txt").find("missing.txt"), std::string::npos);
  testing::WriteFile(Path("empty.txt"), "\r\n");
  EXPECT_EQ(Run("--vowels " + Path("empty.txt") + " --onsets " + Path("onsets.txt")), 3);
  EXPECT_EQ(Run("--help > " + Path("help.txt")), 0);
  EXPECT_NE(Read("help.txt").find("Maximal Onset"), std::string::npos);
}

}  // namespace
}  // namespace velmora::syllabify
