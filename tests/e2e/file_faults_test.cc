// velmora-batch run as a process while the file system fails it: a result file
// that may not be written while the others may, a read-only program folder, a
// full disk (a limit on the size of files), input files that are huge or hold
// NUL bytes, a class folder that is a file and a class file that cannot be
// read. Each test checks the message, the exit status and what is left on
// disk: nothing that was there before may be lost to a failed step that could
// have been checked first.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/messages.h"
#include "batch/batch_process.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

constexpr unsigned kNobody = 65534;

const std::string kInUse = std::string(kFileInUseMessage) + "\n";
const std::string kDone = std::string(kDoneCaption) + "\n";
const std::string kReclick = std::string(kReclickCaption) + "\n";

// In the order a search writes them.
const std::vector<std::string> kResultFiles = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt",
                                               "SmallOutput.txt", "MediumOutput.txt",
                                               "Hits.txt",       "Misses.txt"};

// The general error for the file at path.
std::string GeneralError(const std::string& path, const std::string& reason) {
  return "Error.  Description is " + path + ": " + reason + ".  Please report to " + kMaintainerName + " at " + kMaintainerEmail +
         ", specifying code number 73468.\n";
}

// A program folder with a small data set, and velmora-batch run on it; as the
// user nobody where file modes must stop it (root writes whatever they say).
class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = dir.path();
    WriteData();
  }

  std::string At(const std::string& name) const { return folder_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) { ASSERT_TRUE(WriteFile(At(name), bytes)); }

  void WriteData() { ASSERT_TRUE(WriteFixtureFolder(folder_)); }

  // Every result file holding a text of an earlier search.
  void WriteEarlierResults() {
    for (const std::string& name : kResultFiles) Write(name, "earlier " + name);
  }
  bool Earlier(const std::string& name) const { return ReadFile(At(name)) == "earlier " + name; }

  ProcessResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {VELMORA_BATCH_EXE, "--folder", folder_});
    return RunProcess(args);
  }

  // True when file modes can stop the tool: not root, or root able to become
  // nobody; the program folder then belongs to nobody.
  bool CanRunAsNobody() {
    if (::geteuid() != 0) return true;
    setpriv_ = FindInPath("setpriv");
    if (setpriv_.empty()) return false;
    if (!CopyFile(VELMORA_BATCH_EXE, exeDir_.Path("velmora-batch"), 0755)) return false;
    ::chmod(exeDir_.path().c_str(), 0755);
    ::chmod(dir.path().c_str(), 0755);
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ec)) {
      if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return false;
    }
    return ::lchown(folder_.c_str(), kNobody, kNobody) == 0;
  }

  ProcessResult RunAsNobody(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {VELMORA_BATCH_EXE};
    if (!setpriv_.empty()) {
      argv = {setpriv_, "--reuid=65534", "--regid=65534", "--clear-groups", exeDir_.Path("velmora-batch")};
    }
    argv.insert(argv.end(), {"--folder", folder_});
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
  }

  ScopedTempDir dir;
  std::string folder_;
  std::string setpriv_;
  ScopedTempDir exeDir_;
};

// ---- One result file that may not be written -------------------------------------

class OneReadOnlyResultFile : public Faults, public ::testing::WithParamInterface<size_t> {};

// The batch tool cannot wait for the user to close the file: it says so, as
// the window would, and ends with status 3. The files a search writes before
// the held one are the new search's; the held one and those after it keep the
// earlier search's text. A file may be created anew only once every file that
// its step needs is known to be writable: the step that opens the Full and
// Results files, and the one that opens Hits and Misses, must not empty the
// first of the pair when the second cannot be opened.
TEST_P(OneReadOnlyResultFile, EndsWithTheInUseMessageAndLosesNoEarlierResult) {
  WriteEarlierResults();
  if (!CanRunAsNobody()) GTEST_SKIP() << "root without setpriv: file modes would not stop a write";
  const size_t held = GetParam();
  ASSERT_EQ(::chmod(At(kResultFiles[held]).c_str(), 0444), 0);

  const ProcessResult r = RunAsNobody({"AY1", "CONSONANT"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, kInUse);
  EXPECT_EQ(r.out, "Preparing search ...\n");
  // The steps: Full and Results opened together, then Small, Medium, and
  // Hits with Misses.
  const size_t firstOfStep = held <= 1 ? 0 : held >= 4 ? 4 : held;
  for (size_t k = 0; k < kResultFiles.size(); ++k) {
    if (k < firstOfStep) {
      EXPECT_FALSE(Earlier(kResultFiles[k])) << kResultFiles[k] << " was not written";
    } else {
      EXPECT_TRUE(Earlier(kResultFiles[k])) << kResultFiles[k] << " lost its earlier text: \""
                                            << ReadFile(At(kResultFiles[k])) << "\"";
    }
  }
  if (firstOfStep >= 3) {
    EXPECT_EQ(ReadFile(At("SmallOutput.txt")), "AY1 CONSONANT\r\nblind, child, pint\r\n");
  }
  // The settings were saved before any result file was touched.
  EXPECT_NE(ReadFile(At("UserSettings.txt")).find("Box 2\r\nCONSONANT\r\n"), std::string::npos);

  // Once the file may be written again, the same search succeeds.
  ASSERT_EQ(::chmod(At(kResultFiles[held]).c_str(), 0644), 0);
  const ProcessResult again = RunAsNobody({"AY1", "CONSONANT"});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "Searched 5 entries of in.txt for AY1 CONSONANT: 3 hits.\n" + kDone);
  for (const std::string& name : kResultFiles) EXPECT_FALSE(Earlier(name)) << name;
  EXPECT_EQ(ReadFile(At("Hits.txt")), "1\r\n1\r\n1\r\n0\r\n0\r\n");
}

INSTANTIATE_TEST_SUITE_P(EachFile, OneReadOnlyResultFile, ::testing::Range<size_t>(0, 6),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           std::string name = kResultFiles[info.param];
                           return name.substr(0, name.size() - 4);
                         });

// A read-only program folder: the settings are not saved, no result file
// can be created, and both are said.
TEST_F(Faults, AReadOnlyFolderSavesNothingAndCreatesNoResultFile) {
  if (!CanRunAsNobody()) GTEST_SKIP() << "root without setpriv: file modes would not stop a write";
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  const ProcessResult r = RunAsNobody({"AY1"});
  ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "The settings could not be saved to " + At("UserSettings.txt") + ": Permission denied.\n" +
                       GeneralError(At("FullOutput.txt"), "Permission denied"));
  EXPECT_EQ(r.out, kReclick);
  EXPECT_NE(::access(At("UserSettings.txt").c_str(), F_OK), 0);
  EXPECT_NE(::access(At("FullOutput.txt").c_str(), F_OK), 0);
}

// ---- A full disk -------------------------------------------------------------------

// A file-system layer that fails writes without privileges: a limit on the
// size of any file the tool writes (with SIGXFSZ ignored, a write past it fails
// with EFBIG, "File too large"), as a disk fills up part-way through a file.
class FileSizeLimit : public Faults {
 protected:
  ProcessResult RunLimited(size_t bytes, const std::vector<std::string>& args) {
    const std::string prlimit = FindInPath("prlimit");
    if (prlimit.empty()) return {};
    std::vector<std::string> argv = {"/bin/sh", "-c", "trap '' XFSZ; exec \"$@\"", "sh", prlimit,
                                     "--fsize=" + std::to_string(bytes), VELMORA_BATCH_EXE, "--folder", folder_};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
  }
};

// A dictionary of `entries` words, each with a spelling of `spellingLength`
// letters; "AY1" matches every one.
std::string Dictionary(int entries, size_t spellingLength) {
  std::string text = "p\tP AY1\tP AY1\t\t1\t1\r\n";
  for (int i = 1; i < entries; ++i) {
    std::string spelling = "w" + std::to_string(i);
    spelling.resize(std::max(spelling.size(), spellingLength), 'x');
    text += spelling + "\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t5\t1\r\n";
  }
  return text;
}

// FullOutput.txt (57 KB here) does not fit, ResultsOfSearchInInputFormat.txt
// (41 KB) would: the search failed, so the Results file must not be replaced
// by this search's rows while FullOutput.txt keeps the earlier search's (the
// two would no longer belong to one search), and the files the search never
// reached keep theirs too.
TEST_F(FileSizeLimit, FullOutputCutShortKeepsEveryEarlierResultFile) {
  if (FindInPath("prlimit").empty()) GTEST_SKIP() << "prlimit is not installed";
  Write("in.txt", Dictionary(400, 60));
  WriteEarlierResults();
  const ProcessResult r = RunLimited(48 * 1024, {"AY1"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, GeneralError(At("FullOutput.txt"), "File too large"));
  EXPECT_EQ(r.out, kReclick);
  for (const std::string& name : kResultFiles) {
    EXPECT_TRUE(Earlier(name)) << name << " lost its earlier text; it holds " << ReadFile(At(name)).size() << " bytes";
  }
  EXPECT_NE(ReadFile(At("UserSettings.txt")).find("Box 1\r\nAY1\r\n"), std::string::npos);
}

// Saving the settings over the earlier file must not leave a torn file
// behind when the disk fills: either the new settings are saved whole, or the
// earlier ones stay as they were. An orthography text of 6,000 letters makes
// the new settings larger than a file may grow here.
TEST_F(FileSizeLimit, SettingsThatDoNotFitLeaveTheEarlierSettingsWhole) {
  if (FindInPath("prlimit").empty()) GTEST_SKIP() << "prlimit is not installed";
  const std::string settings = "Input file name:\r\nin.txt\r\nBox 1\r\nAY1\r\n";
  Write("UserSettings.txt", settings);
  const ProcessResult r = RunLimited(4096, {"--orthography", std::string(6000, 'q'), "AY1"});
  EXPECT_EQ(r.status, 1);  // the search runs on, and finds nothing
  EXPECT_EQ(r.err, "The settings could not be saved to " + At("UserSettings.txt") + ": File too large.\n" +
                       kNoExamplesMessage + "\n");
  const std::string saved = ReadFile(At("UserSettings.txt"));
  EXPECT_EQ(saved, settings) << "the earlier settings were lost; " << saved.size() << " bytes are left";
}

// ---- Input files -----------------------------------------------------------------

// 200 MB in one line without a TAB: one entry whose spelling is the whole
// line and whose transcription is empty. It is read and searched in bounded
// time (the run is stopped after a minute) and without a crash.
TEST_F(Faults, AnInputFileOf200MegabytesInOneLineIsOneEntry) {
  {
    const int fd = ::open(At("huge.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(1 << 20, 'a');
    for (int i = 0; i < 200; ++i) ASSERT_EQ(::write(fd, block.data(), block.size()), ssize_t{1} << 20);
    ::close(fd);
  }
  const ProcessResult r = Run({"--input", "huge.txt", "AY1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "No examples were found.\n");
  EXPECT_EQ(r.out, "Searched 1 entries of huge.txt for AY1: no hits.\n" + kReclick);

  const ProcessResult spelling = Run({"--input", "huge.txt", "--orthography", "ab"});
  EXPECT_EQ(spelling.status, 1);
  EXPECT_EQ(spelling.out, "Searched 1 spellings of huge.txt for \"ab\": no hits.\n" + kReclick);
  ::unlink(At("huge.txt").c_str());
}

// NUL bytes are bytes like any other: the line goes on after them, the
// entries after it are read, and a spelling that holds one is written back
// whole.
TEST_F(Faults, NulBytesDoNotEndALineOrTheFile) {
  const std::string nul(1, '\0');
  Write("nul.txt", "bl" + nul + "ind\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t50\t1\r\n" + nul + nul +
                       "\r\n"
                       "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t30\t3\r\n");
  const ProcessResult r = Run({"--input", "nul.txt", "AY1", "N"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Searched 3 entries of nul.txt for AY1 N: 2 hits.\n" + kDone);
  EXPECT_EQ(ReadFile(At("SmallOutput.txt")), "AY1 N\r\nbl" + nul + "ind, pint\r\n");
  EXPECT_EQ(ReadFile(At("Hits.txt")), "1\r\n0\r\n1\r\n");
  EXPECT_EQ(ReadFile(At("ResultsOfSearchInInputFormat.txt")),
            "bl" + nul + "ind\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t 50 \t 1 \r\n"
            "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t 30 \t 3 \r\n");

}

// ---- Class folders and class files ---------------------------------------------

TEST_F(Faults, AClassFolderThatIsAFileIsReportedAndPhonemesStillWork) {
  std::filesystem::remove_all(At("NaturalClasses"));
  Write("NaturalClasses", "not a folder");
  const ProcessResult r = Run({"AY1", "N"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, " 20 " + At("NaturalClasses") + ": Not a directory\n");
  EXPECT_EQ(ReadFile(At("SmallOutput.txt")), "AY1 N\r\nblind, pint\r\n");

  const ProcessResult classes = Run({"AY1", "CONSONANT"});
  EXPECT_EQ(classes.status, 2);
  EXPECT_EQ(classes.err,
            " 20 " + At("NaturalClasses") + ": Not a directory\nThe item in Box # 2 is neither a legal phoneme nor a legal natural class name.  "
            "Please fix this and click on the search button again.\n");
  EXPECT_EQ(ReadFile(At("NaturalClasses")), "not a folder");
}

// A class file that cannot be read: the message, and the classes listed
// before it still work.
TEST_F(Faults, AClassFileThatCannotBeReadIsReported) {
  Write("NaturalClasses/NASAL.txt", "N\r\n");
  if (!CanRunAsNobody()) GTEST_SKIP() << "root without setpriv: file modes would not stop a read";
  ASSERT_EQ(::chmod(At("NaturalClasses/NASAL.txt").c_str(), 0), 0);
  const ProcessResult r = RunAsNobody({"AY1", "CONSONANT"});
  EXPECT_EQ(r.err, " 13 " + At("NaturalClasses/NASAL.txt") + ": Permission denied\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadFile(At("SmallOutput.txt")), "AY1 CONSONANT\r\nblind, child, pint\r\n");
  EXPECT_EQ(ReadFile(At("NaturalClasses/NASAL.txt")), "N\r\n");
}

}  // namespace
}  // namespace velmora
