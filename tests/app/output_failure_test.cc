// Result files that cannot be written: the file-in-use message and its retry,
// and the general error that stops the search.
#include <gtest/gtest.h>

#include <cerrno>

#include "app/fixture.h"

namespace velmora {
namespace {

const char* kInUse =
    "It looks like you have one of the output files already open in some other program. Please close this "
    "application, then click Ok to continue.";
// The general error for a file of the program folder.
std::string General(const std::string& folder, const std::string& file) {
  return "Error.  Description is " + folder + "/" + file +
         ": No space left on device.  Please report to the Velmora maintainers at velmora@example.org, specifying "
         "code number 73468.";
}

class OutputFailure : public AppFixture {
 protected:
  void TearDown() override { SetFileFaultsForTesting({}); }
  static bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
  }
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

TEST_F(OutputFailure, AFailureWhileOpeningStopsTheSearch) {
  Write("SmallOutput.txt", "earlier");
  Start();
  Boxes({"AY1"});
  SetFileFaultsForTesting({[](const std::string& path) {
                             if (EndsWith(path, "/ResultsOfSearchInInputFormat.txt")) {
                               return Status::Make(Status::kFailed, "No space left on device");
                             }
                             return Status::Ok();
                           },
                           nullptr});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{General(dir.path(), "ResultsOfSearchInInputFormat.txt")});
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "You can re-click here for another search.");
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kFailed);
  EXPECT_EQ(Read("SmallOutput.txt"), "earlier");
  EXPECT_FALSE(platform.loaded.count(Window::frmDisplayOptions));
}

TEST_F(OutputFailure, AFullDiskWhileWritingIsReportedNotCalledDone) {
  Start();
  Boxes({"AY1"});
  SetFileFaultsForTesting(
      {nullptr, [](const std::string& path) { return EndsWith(path, "/FullOutput.txt") ? ENOSPC : 0; }});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{General(dir.path(), "FullOutput.txt")});
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "You can re-click here for another search.");
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kFailed);
  EXPECT_FALSE(platform.loaded.count(Window::frmDisplayOptions));
  // The next search, with room again, works.
  SetFileFaultsForTesting({});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kHits);
}

TEST_F(OutputFailure, AFailedWriteLeavesTheEarlierFileWholeAndNoPartBehind) {
  Write("SmallOutput.txt", "earlier small");
  Write("MediumOutput.txt", "earlier medium");
  Start();
  Boxes({"AY1"});
  SetFileFaultsForTesting(
      {nullptr, [](const std::string& path) { return EndsWith(path, "/MediumOutput.txt") ? ENOSPC : 0; }});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{General(dir.path(), "MediumOutput.txt")});
  EXPECT_EQ(Read("SmallOutput.txt"), "AY1\r\nblind, child, pint\r\n");  // written before the failure
  EXPECT_EQ(Read("MediumOutput.txt"), "earlier medium");
  EXPECT_FALSE(FileExists(dir.Path("MediumOutput.txt.part")));
  EXPECT_FALSE(FileExists(dir.Path("Hits.txt")));  // the later files are not written
}

TEST_F(OutputFailure, AResultFileThatIsAFolderIsAnOrdinaryFailure) {
  ASSERT_EQ(::mkdir(dir.Path("FullOutput.txt").c_str(), 0755), 0);
  Start();
  Boxes({"AY1"});
  form->cmdSearchTranscriptions_Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].find("Description is " + dir.path() + "/FullOutput.txt: Is a directory."), std::string::npos);
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kFailed);
}

}  // namespace
}  // namespace velmora
