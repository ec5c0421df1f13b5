// The large-file reader against the plain one, and what an output file does
// to the kind of file its name already is.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/temp_dir.h"

namespace velmora {
namespace {
namespace fs = std::filesystem;

TEST(Files, ReadLargeFileGivesWhatReadWholeFileGives) {
  ScopedTempDir dir;
  std::string big;
  for (int i = 0; big.size() < (3u << 20) + 17; ++i) big += "word" + std::to_string(i) + "\tW ER1 D\r\n";
  ASSERT_TRUE(WriteFile(dir.Path("empty.txt"), "") && WriteFile(dir.Path("small.txt"), "a\tA\r\n"));
  ASSERT_TRUE(WriteFile(dir.Path("big.txt"), big));  // read in two halves
  ASSERT_TRUE(WriteFile(dir.Path("odd.txt"), big.substr(0, (1u << 20) + 1)));
  ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0644), 0);  // refused, not waited for
  for (const char* name : {"empty.txt", "small.txt", "big.txt", "odd.txt", "folder", "missing.txt", "pipe"}) {
    const std::string path = dir.Path(name);
    std::string plain;
    FileBytes large;
    const Status plainStatus = ReadWholeFile(path, &plain), largeStatus = ReadLargeFile(path, &large);
    EXPECT_EQ(largeStatus.kind, plainStatus.kind) << name;
    EXPECT_EQ(largeStatus.reason, plainStatus.reason) << name;
    EXPECT_EQ(largeStatus.path, plainStatus.ok() ? "" : path) << name;
    EXPECT_TRUE(large.view() == plain) << name;
  }
}

// The new text has no name until it is put in place, and then takes the place
// of what the name was: a file keeps its mode, a link stays a link (a dangling
// one's target is made), a hard link is split, a device is written as it is.
TEST(Files, OutputFileReplacesWhatTheNameIs) {
  ScopedTempDir dir;
  const std::string file = dir.Path("file.txt"), target = dir.Path("target.txt");
  const struct {
    const char* what;
    std::function<void()> make;
    std::string written;  // the file that holds the new text ("": none)
    mode_t mode;          // its mode then
    const char* target;   // what target.txt holds then
  } cases[] = {
      {"a private file", [&] { WriteFile(file, "earlier"), ::chmod(file.c_str(), 0600); }, file, 0600, nullptr},
      {"a new file", [] {}, file, 0644, nullptr},
      {"a link to a private file",
       [&] { WriteFile(target, "earlier"), ::chmod(target.c_str(), 0640), ::symlink("target.txt", file.c_str()); },
       target, 0640, "new\r\n"},
      {"a dangling link", [&] { ::symlink("target.txt", file.c_str()); }, target, 0644, "new\r\n"},
      {"a hard link", [&] { WriteFile(target, "earlier"), ::link(target.c_str(), file.c_str()); }, file, 0644,
       "earlier"},
      {"a link to /dev/null", [&] { ::symlink("/dev/null", file.c_str()); }, "", 0, nullptr},
  };
  ::umask(022);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(file.c_str());
    ::unlink(target.c_str());
    c.make();
    const bool link = fs::is_symlink(file);
    auto names = [&] { return std::distance(fs::directory_iterator(dir.path()), {}); };
    const auto earlier = names();
    OutputFile out;
    ASSERT_TRUE(out.Open(file).ok());
    out.WriteLine("new");
    ASSERT_TRUE(out.Flush().ok());
    EXPECT_EQ(names(), earlier);  // no other run can open the new text
    ASSERT_TRUE(out.Close().ok());
    EXPECT_EQ(fs::is_symlink(file), link);
    if (c.target) { EXPECT_EQ(ReadFile(target), c.target); }
    if (c.written.empty()) continue;
    EXPECT_EQ(ReadFile(c.written), "new\r\n");
    EXPECT_EQ(static_cast<mode_t>(fs::status(c.written).permissions()), c.mode);
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace velmora
