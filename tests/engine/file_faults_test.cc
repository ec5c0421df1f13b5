// What the file system's failures do to a search, run in-process over a disk
// that fails any one step: each row checks the status (kind and file) and
// that every earlier file is as it was, or that the search's whole set of
// files is in place; nothing else is left in the folder.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/label.h"
#include "app/settings.h"
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

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(dir)) names.insert(e->d_name);
    ::closedir(dir);
  }
  return names;
}

Status Fault(int err) { return Status::FromErrno(err, ""); }
Status InUse() {
  Status s = Fault(EACCES);
  s.kind = Status::kInUse;
  return s;
}

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
    ASSERT_TRUE(engine.lexicon.LoadInventory(dir.Path("AllSegments.txt")).ok());
    ASSERT_TRUE(LoadKeyAndClasses(dir.path(), false, &engine.lexicon.classes).classes.ok());
    ASSERT_TRUE(engine.Prepare("in.txt", false, events).ok());
  }
  // Saves the settings when file is UserSettings.txt, else runs the reference
  // search.
  Status RunFor(const std::string& file) {
    if (file == "UserSettings.txt") {
      Settings settings;
      settings.boxes[0] = "AY1";
      settings.boxes[1] = "CONSONANT";
      return WriteSettingsFile(dir.path(), settings);
    }
    Query query;
    query.items[0] = "AY1";
    query.items[1] = query.items[2] = "CONSONANT";
    query.items[3] = "]";
    int32_t hits = 0;
    return engine.Run(query, dir.path(), events, &hits);
  }

 public:  // for the rows of a table
  ScopedTempDir dir;
  Engine engine{dir.path()};
  Events events;
  FaultyDisk disk;
};

struct WriteCase {
  std::string name;
  std::function<void(FaultyDisk&, const ScopedTempDir&)> fault;
  std::string file;  // the file the status names
  Status::Kind kind;
  std::string reason;
  int retries = 0;
};

std::vector<WriteCase> WriteCases() {
  std::vector<WriteCase> cases;
  for (const std::string& file : kFiles) {
    const std::string stem = file.substr(0, file.find('.'));
    cases.push_back({stem + "CannotBeMade", [=](FaultyDisk& d, auto&) { d.Fail(d.kCreate, file, Fault(EIO)); },
                     file, Status::kFailed, "Input/output error"});
    cases.push_back({stem + "FailsMidWrite", [=](FaultyDisk& d, auto&) { d.Fail(d.kWrite, file, Fault(EIO)); },
                     file, Status::kFailed, "Input/output error"});
    cases.push_back({stem + "FillsTheDisk", [=](FaultyDisk& d, auto&) { d.Fail(d.kWrite, file, Fault(ENOSPC)); },
                     file, Status::kNoSpace, "No space left on device"});
    cases.push_back({stem + "InUseGivenUp", [=](FaultyDisk& d, auto&) { d.Fail(d.kCreate, file, InUse()); }, file,
                     Status::kInUse, "Permission denied"});
  }
  cases.push_back({"NoRoomToNameTheFiles",
                   [](FaultyDisk& d, auto&) { d.Fail(d.kPutInPlace, "Hits.txt", Fault(ENOSPC)); }, "Hits.txt",
                   Status::kNoSpace, "No space left on device"});
  cases.push_back({"HitsIsAPipe", [](auto&, const ScopedTempDir& dir) {
                     ::unlink(dir.Path("Hits.txt").c_str());
                     ASSERT_EQ(::mkfifo(dir.Path("Hits.txt").c_str(), 0644), 0);
                   },
                   "Hits.txt", Status::kFailed, "Not a regular file"});
  cases.push_back({"MediumIsAFolder", [](auto&, const ScopedTempDir& dir) {
                     ::unlink(dir.Path("MediumOutput.txt").c_str());
                     ASSERT_EQ(::mkdir(dir.Path("MediumOutput.txt").c_str(), 0755), 0);
                   },
                   "MediumOutput.txt", Status::kFailed, "Is a directory"});
  cases.push_back({"SettingsIsAPipe", [](auto&, const ScopedTempDir& dir) {
                     ::unlink(dir.Path("UserSettings.txt").c_str());
                     ASSERT_EQ(::mkfifo(dir.Path("UserSettings.txt").c_str(), 0644), 0);
                   },
                   "UserSettings.txt", Status::kFailed, "Not a regular file"});
  // Nothing can be made in a read-only folder (root may, so the disk says it).
  for (const char* file : {"FullOutput.txt", "UserSettings.txt"}) {
    cases.push_back({std::string("ReadOnlyFolderFor") + file,
                     [](FaultyDisk& d, auto&) { d.Fail(d.kCreate, "", Fault(EACCES)); }, file, Status::kFailed,
                     "Permission denied"});
  }
  // The user closes the file twice; the third try works and the search ends whole.
  cases.push_back({"InUseClosedByTheUser",
                   [](FaultyDisk& d, auto&) { d.Fail(d.kCreate, "MediumOutput.txt", InUse(), 2); },
                   "MediumOutput.txt", Status::kOk, "", 2});
  return cases;
}

class WriteFaults : public FileFaults, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteFaults, LeaveEveryEarlierFileOrTheWholeNewSet) {
  const WriteCase& c = GetParam();
  for (const std::string& file : kFiles) {
    ASSERT_TRUE(WriteFile(dir.Path(file), file == "UserSettings.txt" ? kSettings : "earlier " + file));
  }
  c.fault(disk, dir);
  const std::set<std::string> before = Names(dir.path());
  events.retries = c.retries;
  Status status;
  {
    ScopedDisk scoped(disk);
    status = RunFor(c.file);
  }
  EXPECT_EQ(status.kind, c.kind);
  EXPECT_EQ(status.reason, c.reason);
  EXPECT_EQ(Names(dir.path()), before);  // no file of the failed step is left
  if (c.kind == Status::kOk) {
    EXPECT_REFERENCE_SEARCH_FILES(dir.path());
    EXPECT_EQ(events.inUse, std::vector<std::string>(2, dir.Path(c.file)));
    return;
  }
  EXPECT_EQ(status.path, dir.Path(c.file));
  EXPECT_EQ(events.inUse.size(), c.kind == Status::kInUse && c.file != "UserSettings.txt" ? 1u : 0u);
  for (const std::string& file : kFiles) {
    struct stat info;
    if (::stat(dir.Path(file).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;  // the pipe or folder
    EXPECT_EQ(ReadFile(dir.Path(file)), file == "UserSettings.txt" ? kSettings : "earlier " + file) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Each, WriteFaults, ::testing::ValuesIn(WriteCases()),
                         [](const ::testing::TestParamInfo<WriteCase>& info) {
                           std::string name = info.param.name;
                           std::erase(name, '.');
                           return name;
                         });

// A file that cannot be read, or is no regular file (a pipe with no writer
// would hang the run), is refused by name, whichever reader reads it.
TEST_F(FileFaults, AFileThatCannotBeReadIsRefusedByName) {
  struct Case {
    const char* file;
    bool pipe;  // else the disk refuses to read it
    std::function<Status(FileFaults&)> read;
  } cases[] = {
      {"in.txt", true, [](FileFaults& t) { return Engine(t.dir.path()).Prepare("in.txt", false, t.events); }},
      {"in.txt", false, [](FileFaults& t) { return Engine(t.dir.path()).Prepare("in.txt", false, t.events); }},
      {"NaturalClasses/VOWEL.txt", false,
       [](FileFaults& t) { return LoadKeyAndClasses(t.dir.path(), false, &t.engine.lexicon.classes).classes; }},
      {"UserSettings.txt", true,
       [](FileFaults& t) {
         Settings settings;
         ReadSettingsFile(t.dir.path(), &settings);  // reads nothing, says nothing
         EXPECT_EQ(settings.boxes[0], "");
         std::string contents;
         return ReadWholeFile(t.dir.Path("UserSettings.txt"), &contents);
       }},
      {"Features.txt", true,
       [](FileFaults& t) {
         FeatureTable table;
         std::string error;
         EXPECT_FALSE(LoadFeatureTable(t.dir.Path("Features.txt"), &table, &error));
         EXPECT_NE(error.find(t.dir.Path("Features.txt")), std::string::npos) << error;
         std::string contents;
         return ReadWholeFile(t.dir.Path("Features.txt"), &contents);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + (c.pipe ? " pipe" : " unreadable"));
    FaultyDisk faulty;
    const std::string path = dir.Path(c.file);
    if (c.pipe) {
      ::unlink(path.c_str());
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    } else {
      faulty.Fail(faulty.kRead, c.file, Fault(EACCES));
    }
    ScopedDisk scoped(faulty);
    const Status status = c.read(*this);
    EXPECT_EQ(status.kind, Status::kFailed);
    EXPECT_EQ(status.path, path);
    EXPECT_EQ(status.reason, c.pipe ? "Not a regular file" : "Permission denied");
    ::unlink(path.c_str());
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
  }
}

}  // namespace
}  // namespace velmora
