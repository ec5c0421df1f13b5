// SPDX-License-Identifier: GPL-3.0-or-later
// What the file system's failures do to a search, run in-process over a disk
// that fails any one step: each row checks the status (kind and file) and
// that every earlier file is as it was, or that the search's whole set of
// files is in place; nothing else is left in the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/settings.h"
#include "engine/engine.h"
#include "features/feature_table.h"
#include "support/faulty_disk.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

const std::vector<std::string> kFiles = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                                         "MediumOutput.txt", "Hits.txt", "Misses.txt", "UserSettings.txt"};
const std::string kSettings = "Input file name:\r\nin.txt\r\nBox 1\r\nAY1\r\n";

// Lets the user close a file in use as often as retries says, then gives up.
class Events : public SearchEvents {
 public:
  bool Continue(const Caution&) override { return true; }
  bool RetryInUse(const Status& status) override {
    inUse.push_back(status.path);
    return retries-- > 0;
  }
  int retries = 0;
  std::vector<std::string> inUse;
};

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
    ASSERT_TRUE(engine.LoadInventory().ok());
    ASSERT_TRUE(engine.LoadClasses(false).classes.ok());
  }
  // Saves the settings when file is UserSettings.txt, else runs the reference search.
  Status RunFor(const std::string& file) {
    Settings settings;
    settings.boxes = {"AY1", "CONSONANT", "CONSONANT", "]", ""};
    if (file == "UserSettings.txt") return WriteSettingsFile(dir.path(), settings);
    Query query;
    EXPECT_FALSE(engine.Compile(settings, Query::Kind::kTranscriptions, &query).refused());
    return engine.Run(query, dir.path(), events).status;
  }

  ScopedTempDir dir;
  Engine engine{dir.path()};
  Events events;
  FaultyDisk disk;
};

// A row breaks a file in one way; the status names `file`. broken: the file
// broken when not `file` ("/": every file); closes: how often the user closes
// a file in use.
struct WriteCase {
  std::string name;
  enum How { kCreate, kWrite, kPutInPlace, kInUse, kPipe, kFolder } how;
  std::string file;
  int err = 0;
  std::string broken = {};
  int closes = 0;
};

std::vector<WriteCase> WriteCases() {
  using C = WriteCase;
  std::vector<C> cases;
  for (const std::string& file : kFiles) {
    const std::string stem = file.substr(0, file.find('.'));
    cases.push_back({stem + "CannotBeMade", C::kCreate, file, EIO});
    cases.push_back({stem + "FailsMidWrite", C::kWrite, file, EIO});
    cases.push_back({stem + "FillsTheDisk", C::kWrite, file, ENOSPC});
    cases.push_back({stem + "InUseGivenUp", C::kInUse, file, EACCES});
  }
  cases.push_back({"NoRoomToNameTheFiles", C::kPutInPlace, "Hits.txt", ENOSPC});
  cases.push_back({"HitsIsAPipe", C::kPipe, "Hits.txt"});
  cases.push_back({"SettingsIsAPipe", C::kPipe, "UserSettings.txt"});
  cases.push_back({"MediumIsAFolder", C::kFolder, "MediumOutput.txt", EISDIR});
  // Nothing can be made in a read-only folder (root may, so the disk says so).
  cases.push_back({"ReadOnlyFolderForResults", C::kCreate, "FullOutput.txt", EACCES, "/"});
  cases.push_back({"ReadOnlyFolderForSettings", C::kCreate, "UserSettings.txt", EACCES, "/"});
  // The user closes the file twice; the third try works and the search ends whole.
  cases.push_back({"InUseClosedByTheUser", C::kInUse, "MediumOutput.txt", EACCES, "", 2});
  return cases;
}

class WriteFaults : public FileFaults, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteFaults, LeaveEveryEarlierFileOrTheWholeNewSet) {
  const WriteCase& c = GetParam();
  for (const std::string& file : kFiles) {
    ASSERT_TRUE(WriteFile(dir.Path(file), file == "UserSettings.txt" ? kSettings : "earlier " + file));
  }
  const std::string broken = c.broken == "/" ? "" : c.broken.empty() ? c.file : c.broken;
  Status expected = Status::FromErrno(c.err, dir.Path(c.file));
  if (c.how == c.kPipe || c.how == c.kFolder) {
    ASSERT_EQ(::unlink(dir.Path(c.file).c_str()), 0);
    ASSERT_EQ(c.how == c.kPipe ? ::mkfifo(dir.Path(c.file).c_str(), 0644) : ::mkdir(dir.Path(c.file).c_str(), 0755), 0);
    if (c.how == c.kPipe) expected = Status::Make(Status::kFailed, "Not a regular file", dir.Path(c.file));
  } else if (c.how == c.kInUse) {
    expected.kind = Status::kInUse;
    disk.Fail(FaultyDisk::kCreate, broken, expected, c.closes > 0 ? c.closes : -1);
    if (c.closes > 0) expected = Status::Ok();
  } else {
    disk.Fail(static_cast<FaultyDisk::Step>(FaultyDisk::kCreate + static_cast<int>(c.how)), broken, expected);
  }
  const std::set<std::string> before = Names(dir.path());
  events.retries = c.closes;
  Status status;
  {
    ScopedDisk scoped(disk);
    status = RunFor(c.file);
  }
  EXPECT_EQ(status.kind, expected.kind);
  EXPECT_EQ(status.reason + status.path, expected.reason + expected.path);
  EXPECT_EQ(Names(dir.path()), before);  // no file of the failed step is left
  const bool asked = c.how == c.kInUse && c.file != "UserSettings.txt";
  EXPECT_EQ(events.inUse, std::vector<std::string>(asked ? std::max(c.closes, 1) : 0, dir.Path(c.file)));
  if (expected.ok()) {
    EXPECT_REFERENCE_SEARCH_FILES(dir.path());
    return;
  }
  for (const std::string& file : kFiles) {
    if (file == broken && (c.how == c.kPipe || c.how == c.kFolder)) continue;
    EXPECT_EQ(ReadFile(dir.Path(file)), file == "UserSettings.txt" ? kSettings : "earlier " + file) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Each, WriteFaults, ::testing::ValuesIn(WriteCases()),
                         [](const auto& info) { return info.param.name; });

// A file that cannot be read, or is no regular file (a pipe with no writer
// would hang the run), is refused by name, whichever reader reads it; the
// settings are read silently.
TEST_F(FileFaults, AFileThatCannotBeReadIsRefusedByName) {
  // Everything a run reads, and what is said of each failure.
  auto readAll = [&] {
    std::string said;
    auto say = [&](const Status& s) { said += s.ok() ? "" : s.path + ": " + s.reason; };
    Engine fresh(dir.path());
    Query query;
    query.items[0] = "AY1";
    say(fresh.Run(query, dir.path(), events).status);
    say(fresh.LoadClasses(false).classes);
    FeatureTable table;
    say(LoadFeatureTable(dir.Path("Features.txt"), &table));
    Settings settings;
    ReadSettingsFile(dir.path(), &settings);
    return said;
  };
  const struct {
    const char* file;
    bool pipe;  // else the disk refuses to read it
    std::string said;
  } cases[] = {
      {"in.txt", true, dir.Path("in.txt") + ": Not a regular file"},
      {"in.txt", false, dir.Path("in.txt") + ": Permission denied"},
      {"NaturalClasses/VOWEL.txt", false, dir.Path("NaturalClasses/VOWEL.txt") + ": Permission denied"},
      {"Features.txt", true, dir.Path("Features.txt") + ": Not a regular file"},
      {"UserSettings.txt", true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(WriteFile(dir.Path("Features.txt"), "Symbol\tvoice\r\n"));
    FaultyDisk faulty;
    if (c.pipe) {
      ::unlink(dir.Path(c.file).c_str());
      ASSERT_EQ(::mkfifo(dir.Path(c.file).c_str(), 0644), 0);
    } else {
      faulty.Fail(faulty.kRead, c.file, Status::FromErrno(EACCES, ""));
    }
    ScopedDisk scoped(faulty);
    EXPECT_EQ(readAll(), c.said);
    ::unlink(dir.Path(c.file).c_str());
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
  }
}

}  // namespace
}  // namespace velmora
