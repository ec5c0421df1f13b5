// Result files that cannot be written, as the window shows it: the file-in-use
// message and its retry, and the general error that stops the search. (What
// each failure leaves on disk is checked on the real file system in
// tests/e2e/file_faults_test.cc.)
#include <gtest/gtest.h>

#include <cerrno>

#include "app/fixture.h"

namespace velmora {
namespace {

const char* kInUse =
    "It looks like you have one of the output files already open in some other program. Please close this "
    "application, then click Ok to continue.";

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class OutputFailure : public AppFixture {
 protected:
  void TearDown() override { SetFileFaultsForTesting({}); }
};

TEST_F(OutputFailure, AFileInUseIsRetriedAfterTheMessageAndTheRestFollows) {
  Start();
  Boxes({"AY1"});
  static int refusals;
  refusals = 2;
  SetFileFaultsForTesting({[](const std::string& path) {
                             if (EndsWith(path, "/MediumOutput.txt") && refusals-- > 0) {
                               return Status::Make(Status::kInUse, "Permission denied");
                             }
                             return Status::Ok();
                           },
                           nullptr});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, (std::vector<std::string>{kInUse, kInUse}));
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  AY1\r\nFocus string\tNumber in corpus\tExamples\r\nAY1\t3\tblind child pint\r\n");
  EXPECT_EQ(Read("Misses.txt"), "0\r\n0\r\n0\r\n1\r\n1\r\n");
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kHits);
  EXPECT_TRUE(platform.visible.count(Window::frmDisplayOptions));
}

// A failure while opening, a full disk while writing, a result file that is a
// folder: one message naming the file, no viewer, the earlier file whole;
// the next search, with the fault gone, works.
TEST_F(OutputFailure, AFailedResultFileEndsTheSearchWithTheGeneralError) {
  static const char* file;
  struct Case {
    const char* file;
    FileFaults faults;
    const char* reason;
  } cases[] = {
      {"ResultsOfSearchInInputFormat.txt",
       {[](const std::string& path) {
          return EndsWith(path, std::string("/") + file) ? Status::Make(Status::kFailed, "No space left on device")
                                                         : Status::Ok();
        },
        nullptr},
       "No space left on device"},
      {"MediumOutput.txt",
       {nullptr, [](const std::string& path) { return EndsWith(path, std::string("/") + file) ? ENOSPC : 0; }},
       "No space left on device"},
      {"FullOutput.txt", {}, "Is a directory"},
  };
  Start();
  Boxes({"AY1"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    file = c.file;
    platform.messages.clear();
    if (!c.faults.open && !c.faults.write) {
      std::remove(dir.Path(c.file).c_str());
      ASSERT_EQ(::mkdir(dir.Path(c.file).c_str(), 0755), 0);
    } else {
      Write(c.file, "earlier");
    }
    SetFileFaultsForTesting(c.faults);
    form->cmdSearchTranscriptions_Click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"Error.  Description is " + dir.Path(c.file) + ": " +
                                                          c.reason +
                                                          ".  Please report to the Velmora maintainers at "
                                                          "velmora@example.org, specifying code number 73468."});
    EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "You can re-click here for another search.");
    EXPECT_EQ(form->lastOutcome, Form1::Outcome::kFailed);
    EXPECT_FALSE(platform.loaded.count(Window::frmDisplayOptions));
    if (c.faults.open || c.faults.write) {
      EXPECT_EQ(Read(c.file), "earlier");
      EXPECT_FALSE(FileExists(dir.Path(std::string(c.file) + ".part")));
    }
    SetFileFaultsForTesting({});
  }
  ASSERT_EQ(::rmdir(dir.Path("FullOutput.txt").c_str()), 0);
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kHits);
}

}  // namespace
}  // namespace velmora
