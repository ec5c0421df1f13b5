// velmora-batch run as a process on fixture folders: its exit status, the
// message lines on stderr, the caption line on stdout, the result files and
// UserSettings.txt afterwards. Expected texts are written out by hand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/messages.h"
#include "batch/batch_process.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

const char* const kDone = "Done!  You can re-click here for another search.\n";
const char* const kReclick = "You can re-click here for another search.\n";
const char* const kNoExamples = "No examples were found.\n";

// UserSettings.txt holding these 18 values in the order of the file.
std::string Settings(const std::vector<std::string>& values) {
  static const char* const kLabels[] = {
      "Input file name:",
      "Box 1", "Box 2", "Box 3", "Box 4", "Box 5",
      "Ignore Box 1 in sorting", "Ignore Box 2 in sorting", "Ignore Box 3 in sorting",
      "Ignore Box 4 in sorting", "Ignore Box 5 in sorting",
      "Orthography search box",
      "Search syllabified data",
      "Location (full path) of your spreadsheet program:",
      "Location (full path) of your word processor or text editor:",
      "Exclude from counts all forms marked with annotations in the dictionary",
      "Example lists in Medium output files should be no longer than this number (in characters)",
      "Search vowels only",
  };
  EXPECT_EQ(values.size(), 18u);
  std::string text;
  for (size_t i = 0; i < values.size() && i < 18; ++i) text += std::string(kLabels[i]) + "\r\n" + values[i] + "\r\n";
  return text;
}

class BatchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
  }

  void Write(const std::string& name, const std::string& bytes) { ASSERT_TRUE(WriteFile(dir.Path(name), bytes)); }
  std::string Read(const std::string& name) { return ReadFile(dir.Path(name)); }
  bool Exists(const std::string& name) { return ::access(dir.Path(name).c_str(), F_OK) == 0; }

  // velmora-batch --folder <fixture> args...
  ProcessResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {VELMORA_BATCH_EXE, "--folder", dir.path()});
    return RunProcess(args);
  }

  ScopedTempDir dir;
};

// ---- Finished searches ----------------------------------------------------------

TEST_F(BatchRun, ASearchWithHitsWritesTheSixFilesSavesTheSettingsAndExitsZero) {
  const ProcessResult r = Run({"AY1", "CONSONANT", "CONSONANT", "]"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, std::string("Searched 5 entries of in.txt for AY1 CONSONANT CONSONANT ]: 3 hits.\n") + kDone);

  EXPECT_REFERENCE_SEARCH_FILES(dir.path());
  // Without a settings file the run started from the window's initial values.
  EXPECT_EQ(Read("UserSettings.txt"), Settings({"in.txt", "AY1", "CONSONANT", "CONSONANT", "]", "", "no", "no",
                                                "no", "no", "no", "", "no", "", "", "no", "100", "no"}));
}

// One run after another in the same folder, each saving its choices for the
// next: the exit status, the caption line and the message lines of each.
TEST_F(BatchRun, EachRunEndsWithItsStatusCaptionAndMessages) {
  const char* kIllegal2 =
      "The item in Box # 2 is neither a legal phoneme nor a legal natural class name.  Please fix this and click on "
      "the search button again.\n";
  const std::string kRefused = "Search transcriptions\n";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{}, 2, kRefused, "Please type segments or natural classes in row of five boxes.\n"},
      {{"ay1", "FOO"}, 2, kRefused, kIllegal2},
      {{"]", "B"}, 1, std::string("Searched 5 entries of in.txt for ] B: no hits.\n") + kReclick, kNoExamples},
      {{"", "P", "", "AY1"}, 0, std::string("Searched 5 entries of in.txt for P AY1: 1 hit.\n") + kDone, ""},
      {{"--vowels", "[", "VOWEL", "]"}, 0, std::string("Searched 5 entries of in.txt for [ VOWEL ]: 4 hits.\n") + kDone, ""},
      // The orthography search does not check the boxes.
      {{"--no-vowels", "--orthography", "in", "AY1", "FOO"}, 0,
       std::string("Searched 5 spellings of in.txt for \"in\": 2 hits.\n") + kDone, ""},
      // The switch chooses the class folder before the boxes are checked:
      // CODA is a class of the syllabified folder only.
      {{"--syllabified", "AY1", "CODA", "CODA", "]"}, 0,
       std::string("Searched 5 entries of in.txt for AY1 CODA CODA ]: 3 hits.\n") + kDone, ""},
      {{"--plain"}, 2, kRefused, kIllegal2},
      {{"--input", "missing.txt", "AY1"}, 3, kReclick,
       "The input file " + dir.Path("missing.txt") + " could not be read: No such file or directory.\n"},
      {{"--input", "NaturalClasses", "AY1"}, 3, kReclick,
       "The input file " + dir.Path("NaturalClasses") + " could not be read: Is a directory.\n"},
  };
  for (const Case& c : cases) {
    const ProcessResult r = Run(c.args);
    const std::string name = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(r.status, c.status) << name;
    EXPECT_EQ(r.out, c.out) << name;
    EXPECT_EQ(r.err, c.err) << name;
    // Refused, or stopped at the input file, before any result file is written.
    EXPECT_EQ(Exists("FullOutput.txt"), c.status < 2) << name;
    if (c.args.empty()) {
      EXPECT_FALSE(Exists("UserSettings.txt"));
    }
    ::unlink(dir.Path("FullOutput.txt").c_str());
  }
}

// ---- Saved settings and options ----------------------------------------------------

TEST_F(BatchRun, WithoutOptionsTheSavedChoicesStand) {
  // Saved: boxes "[ B L", Box 1 ignored, annotated forms excluded, limit 100.
  Write("UserSettings.txt", Settings({"in.txt", "[", "B", "L", "", "", "yes", "no", "no", "no", "no", "", "no",
                                      "/usr/bin/sc", "", "yes", "100", "no"}));
  const ProcessResult r = Run({});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Read("SmallOutput.txt"), "[ B L\r\nblind\r\n");  // blackbird is annotated
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  [ B L\r\nFocus string\tNumber in corpus\tExamples\r\nB\tL\t1\tblind\r\n");
  // Saved back as read.
  EXPECT_EQ(Read("UserSettings.txt"), Settings({"in.txt", "[", "B", "L", "", "", "yes", "no", "no", "no", "no", "",
                                                "no", "/usr/bin/sc", "", "yes", "100", "no"}));
}

TEST_F(BatchRun, OptionsOverrideTheSavedChoicesAndAreSaved) {
  Write("UserSettings.txt", Settings({"in.txt", "AY1", "N", "D", "]", "CH", "yes", "yes", "no", "no", "no", "", "no",
                                      "", "", "yes", "100", "no"}));
  const ProcessResult r = Run({"--no-exclude", "--ignore", "3", "[", "B", "L"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Read("SmallOutput.txt"), "[ B L\r\nblind, blackbird\r\n");
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  [ B L\r\nFocus string\tNumber in corpus\tExamples\r\n[\tB\t2\tblind blackbird\r\n");
  // The items fill Box 1..3 and empty Box 4 and 5; --ignore unticks the boxes it does not name.
  EXPECT_EQ(Read("UserSettings.txt"), Settings({"in.txt", "[", "B", "L", "", "", "no", "no", "yes", "no", "no", "",
                                                "no", "", "", "no", "100", "no"}));
}

TEST_F(BatchRun, EverySwitchReachesItsBox) {
  Write("other.txt", kFixtureDictionary);
  const ProcessResult r = Run({"--input", "other.txt", "--syllabified", "--vowels", "--exclude", "--ignore", "1",
                               "--ignore", "5", "--limit", "42", "--orthography", "ll", "[", "vowel", "]"});
  EXPECT_EQ(r.status, 1);  // the orthography search: no spelling holds "ll"
  EXPECT_EQ(r.out, std::string("Searched 5 spellings of other.txt for \"ll\": no hits.\n") + kReclick);
  EXPECT_EQ(Read("UserSettings.txt"), Settings({"other.txt", "[", "vowel", "]", "", "", "yes", "no", "no", "no",
                                                "yes", "ll", "yes", "", "", "yes", "42", "yes"}));

  const ProcessResult back = Run({"--input", "in.txt", "--plain", "--no-vowels", "--no-exclude", "--ignore", "2",
                                  "--limit", "100", "AY1", "CONSONANT"});
  EXPECT_EQ(back.status, 0);
  EXPECT_EQ(Read("UserSettings.txt"), Settings({"in.txt", "AY1", "CONSONANT", "", "", "", "no", "yes", "no", "no",
                                                "no", "ll", "no", "", "", "no", "100", "no"}));
}

TEST_F(BatchRun, LimitClosesExampleListsAndIsSaved) {
  Run({"--limit", "5", "AY1"});
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  AY1\r\nFocus string\tNumber in corpus\tExamples\r\nAY1\t3\tblind child ...\r\n");
  EXPECT_NE(Read("UserSettings.txt").find("(in characters)\r\n5\r\n"), std::string::npos);
  // Without --limit the saved limit stands; a negative one counts and is saved as 0.
  Run({"AY1"});
  EXPECT_NE(Read("MediumOutput.txt").find("AY1\t3\tblind child ...\r\n"), std::string::npos);
  Run({"--limit", "-3", "AY1"});
  EXPECT_NE(Read("MediumOutput.txt").find("AY1\t3\tblind ...\r\n"), std::string::npos);
  EXPECT_NE(Read("UserSettings.txt").find("(in characters)\r\n0\r\n"), std::string::npos);
}

// ---- Cautions ---------------------------------------------------------------------

class BatchCaution : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    // ZH is not in the inventory.
    Write("in.txt", std::string(kFixtureDictionary) +
                        "azure\tAE1 ZH ER0\tAE1 ZH ER0\t\t3\t6\r\n"
                        "beige\tB AE1 ZH\tB AE1 ZH\t\t2\t7\r\n");
  }
  static std::string Caution(const std::string& word) {
    return "Caution:  the word " + word +
           " contains the sound [ZH], which is not on the list of phonemes AllSegments.txt.  You may want to "
           "adjust either in.txt or AllSegments.txt before continuing.  Click Yes to continue, No to exit "
           "program.\n";
  }
};

TEST_F(BatchCaution, AnsweredYesTheSearchGoesOn) {
  for (const std::vector<std::string>& answer : {std::vector<std::string>{"--answer", "yes"},
                                                  std::vector<std::string>{}}) {
    std::vector<std::string> args = answer;
    args.push_back("AE1");
    const ProcessResult r = Run(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, Caution("ZH ER0 ]") + Caution("ZH ]"));
    EXPECT_EQ(r.out, std::string("Searched 7 entries of in.txt for AE1: 4 hits.\n") + kDone);
    EXPECT_EQ(Read("SmallOutput.txt"), "AE1\r\ntab, blackbird, azure, beige\r\n");
  }
}

TEST_F(BatchCaution, AnsweredNoTheRunEndsWithTheCaptionAsItStood) {
  Write("FullOutput.txt", "earlier");
  const ProcessResult r = Run({"--answer", "no", "AE1"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, Caution("ZH ER0 ]"));
  EXPECT_EQ(r.out, "Preparing search ...\n");
  // The dictionary is read before any result file is created.
  EXPECT_EQ(Read("FullOutput.txt"), "earlier");
  EXPECT_FALSE(Exists("SmallOutput.txt"));
  // The settings were saved before the dictionary was read.
  EXPECT_NE(Read("UserSettings.txt").find("Box 1\r\nAE1\r\n"), std::string::npos);
}

// ---- The program folder and the command line -----------------------------------------

TEST_F(BatchRun, WithoutFolderTheExecutablesOwnFolderIsTheProgramFolder) {
  ASSERT_TRUE(CopyFile(VELMORA_BATCH_EXE, dir.Path("velmora-batch"), 0755));
  const ProcessResult r = RunProcess({dir.Path("velmora-batch"), "T", "AE1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Read("SmallOutput.txt"), "T AE1\r\ntab\r\n");
}

TEST_F(BatchRun, UsageErrorsPrintOneLineAndTouchNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus", "AY1"}, {"a", "b", "c", "d", "e", "f"}, {"--ignore", "6", "AY1"}, {"AY1", "--limit"},
      {"--answer", "perhaps", "AY1"}};
  for (const auto& args : cases) {
    const ProcessResult r = Run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    ASSERT_FALSE(r.err.empty()) << args[0];
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.err.rfind("velmora-batch: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(Run({"--limit"}).err, "velmora-batch: --limit needs a value (see velmora-batch --help)\n");
  const ProcessResult notAFolder = RunProcess({VELMORA_BATCH_EXE, "--folder", dir.Path("in.txt"), "AY1"});
  EXPECT_EQ(notAFolder.status, 2);
  EXPECT_EQ(notAFolder.err, "velmora-batch: " + dir.Path("in.txt") + " is not a folder\n");
  EXPECT_EQ(notAFolder.out, "");
  EXPECT_FALSE(Exists("UserSettings.txt"));
  EXPECT_FALSE(Exists("FullOutput.txt"));
}

TEST_F(BatchRun, HelpPrintsTheUsageAndSearchesNothing) {
  const ProcessResult r = Run({"--help", "AY1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Usage: velmora-batch [--folder DIR]", 0), 0u);
  EXPECT_NE(r.out.find("\n  --answer yes|no "), std::string::npos);
  EXPECT_FALSE(Exists("UserSettings.txt"));
}

}  // namespace
}  // namespace velmora
