// Result files that cannot be written, as the window shows it: the file-in-use
// message and its retry, and the general error that names the file and stops
// the search. (What each failure leaves on disk: tests/engine/file_faults_test.cc.)
#include <gtest/gtest.h>

#include <cerrno>

#include "app/fixture.h"
#include "support/faulty_disk.h"

namespace velmora {
namespace {

const char* kInUse =
    "It looks like you have one of the output files already open in some other program. Please close this "
    "application, then click Ok to continue.";

using OutputFailure = AppFixture;

TEST_F(OutputFailure, AFileInUseIsRetriedAfterTheMessageAndAFailedFileStopsTheSearch) {
  Start();
  Boxes({"AY1"});
  FaultyDisk disk;
  ScopedDisk scoped(disk);
  Status inUse = Status::FromErrno(EACCES, "");
  inUse.kind = Status::kInUse;
  disk.Fail(FaultyDisk::kCreate, "MediumOutput.txt", inUse, 2);
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, (std::vector<std::string>{kInUse, kInUse}));
  EXPECT_EQ(Read("Misses.txt"), "0\r\n0\r\n0\r\n1\r\n1\r\n");
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kHits);
  EXPECT_TRUE(platform.visible.count(Window::frmDisplayOptions));

  platform.messages.clear();
  disk.Fail(FaultyDisk::kWrite, "Hits.txt", Status::FromErrno(ENOSPC, ""));
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{"Error.  Description is " + dir.Path("Hits.txt") +
                                                        ": No space left on device.  Please report to the Velmora "
                                                        "maintainers at velmora@example.org, specifying code number "
                                                        "73468."});
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "You can re-click here for another search.");
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kFailed);
}

}  // namespace
}  // namespace velmora
