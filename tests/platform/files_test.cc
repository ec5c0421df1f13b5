// Reading a file whole: the large-file reader gives what the plain reader
// gives, for every kind of file it may be pointed at; and what an output file
// does to the kind of file it replaces.
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

TEST(ReadLargeFile, GivesWhatReadWholeFileGives) {
  ScopedTempDir dir;
  std::string big;
  for (int i = 0; big.size() < (3u << 20) + 17; ++i) big += "word" + std::to_string(i) + "\tW ER1 D\r\n";
  ASSERT_TRUE(WriteFile(dir.Path("empty.txt"), ""));
  ASSERT_TRUE(WriteFile(dir.Path("small.txt"), "a\tA\r\n"));
  ASSERT_TRUE(WriteFile(dir.Path("big.txt"), big));  // read in two halves
  ASSERT_TRUE(WriteFile(dir.Path("odd.txt"), big.substr(0, (1u << 20) + 1)));
  ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0644), 0);  // refused, not waited for
  for (const char* name : {"empty.txt", "small.txt", "big.txt", "odd.txt", "folder", "missing.txt", "pipe"}) {
    const std::string path = dir.Path(name);
    std::string plain;
    const Status plainStatus = ReadWholeFile(path, &plain);
    FileBytes large;
    const Status largeStatus = ReadLargeFile(path, &large);
    EXPECT_EQ(largeStatus.kind, plainStatus.kind) << name;
    EXPECT_EQ(largeStatus.reason, plainStatus.reason) << name;
    EXPECT_EQ(largeStatus.path, plainStatus.ok() ? "" : path) << name;
    EXPECT_TRUE(large.view() == plain) << name;
  }
}

// The new text has no name until it is put in place; it takes the place of
// what the name was: a file keeps its mode, a link stays a link (a dangling
// one's target is made), a hard link is split, a device is written as it is.
TEST(OutputFile, ReplacesWhatTheNameIs) {
  ScopedTempDir dir;
  const std::string file = dir.Path("file.txt"), target = dir.Path("target.txt");
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string written;   // the file that holds the new text
    mode_t mode;           // its mode then
  } cases[] = {
      {"a private file", [&] { WriteFile(file, "earlier"), ::chmod(file.c_str(), 0600); }, file, 0600},
      {"a new file", [] {}, file, 0644},
      {"a link to a private file",
       [&] { WriteFile(target, "earlier"), ::chmod(target.c_str(), 0640), ::symlink("target.txt", file.c_str()); },
       target, 0640},
      {"a dangling link", [&] { ::symlink("target.txt", file.c_str()); }, target, 0644},
      {"a hard link", [&] { WriteFile(target, "earlier"), ::link(target.c_str(), file.c_str()); }, file, 0644},
  };
  ::umask(022);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(file.c_str());
    ::unlink(target.c_str());
    c.make();
    const bool link = std::filesystem::is_symlink(file);
    auto names = [&] { return std::distance(std::filesystem::directory_iterator(dir.path()), {}); };
    const auto earlier = names();
    OutputFile out;
    ASSERT_TRUE(out.Open(file).ok());
    out.WriteLine("new");
    ASSERT_TRUE(out.Flush().ok());
    EXPECT_EQ(names(), earlier);  // no other run can open the new text
    ASSERT_TRUE(out.Close().ok());
    EXPECT_EQ(ReadFile(c.written), "new\r\n");
    EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(c.written).permissions()), c.mode);
    EXPECT_EQ(std::filesystem::is_symlink(file), link);
    if (c.what == std::string("a hard link")) {
      EXPECT_EQ(ReadFile(target), "earlier");
    }
  }
  ::unlink(file.c_str());
  ASSERT_EQ(::symlink("/dev/null", file.c_str()), 0);
  OutputFile out;
  ASSERT_TRUE(out.Open(file).ok() && (out.WriteLine("gone"), out.Close().ok()));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace velmora
