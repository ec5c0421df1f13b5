// Reading a dictionary file whole: the large-file reader gives what the plain
// reader gives, for every kind of file it may be pointed at; and what an
// output file does to the kind of file it replaces.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "support/temp_dir.h"

namespace velmora {
namespace {

void ExpectSameReading(const std::string& path) {
  std::string plain, plainReason, largeReason;
  int plainCode = 0, largeCode = 0;
  const bool plainOk = ReadWholeFile(path, &plain, &plainReason, &plainCode);
  FileBytes large;
  const bool largeOk = ReadLargeFile(path, &large, &largeReason, &largeCode);
  ASSERT_EQ(largeOk, plainOk) << path;
  EXPECT_EQ(largeReason, plainReason) << path;
  EXPECT_EQ(largeCode, plainCode) << path;
  ASSERT_EQ(large.size, plain.size()) << path;
  EXPECT_TRUE(large.view() == plain) << path;
}

TEST(ReadLargeFile, GivesWhatReadWholeFileGives) {
  ScopedTempDir dir;
  std::string big;
  for (int i = 0; big.size() < (3u << 20) + 17; ++i) big += "word" + std::to_string(i) + "\tW ER1 D\r\n";
  ASSERT_TRUE(WriteFile(dir.Path("empty.txt"), ""));
  ASSERT_TRUE(WriteFile(dir.Path("small.txt"), "a\tA\r\n"));
  ASSERT_TRUE(WriteFile(dir.Path("big.txt"), big));  // read in two halves
  ASSERT_TRUE(WriteFile(dir.Path("odd.txt"), big.substr(0, (1u << 20) + 1)));
  ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
  for (const char* name : {"empty.txt", "small.txt", "big.txt", "odd.txt", "folder", "missing.txt"}) {
    ExpectSameReading(dir.Path(name));
  }
}

TEST(ReadLargeFile, APipeIsReadAsItComes) {
  ScopedTempDir dir;
  const std::string path = dir.Path("pipe");
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  const std::string text(200000, 'x');
  std::thread writer([&] {
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0) return;
    for (size_t done = 0; done < text.size();) {
      const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
      if (put <= 0) break;
      done += static_cast<size_t>(put);
    }
    ::close(fd);
  });
  FileBytes bytes;
  std::string reason;
  EXPECT_TRUE(ReadLargeFile(path, &bytes, &reason)) << reason;
  writer.join();
  EXPECT_TRUE(bytes.view() == text);
}

// A result file that is a link stays a link, to the new text; one that is a
// device is written in place, never replaced by a regular file.
TEST(OutputFile, ALinkStaysALinkAndADeviceIsWrittenInPlace) {
  ScopedTempDir dir;
  ASSERT_TRUE(WriteFile(dir.Path("real.txt"), "earlier"));
  ASSERT_EQ(::symlink(dir.Path("real.txt").c_str(), dir.Path("link.txt").c_str()), 0);
  OutputFile file;
  ASSERT_TRUE(file.Open(dir.Path("link.txt")).ok());
  file.WriteLine("new");
  ASSERT_TRUE(file.Close().ok());
  struct stat info;
  ASSERT_EQ(::lstat(dir.Path("link.txt").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReadFile(dir.Path("real.txt")), "new\r\n");

  ASSERT_EQ(::symlink("/dev/null", dir.Path("null.txt").c_str()), 0);
  ASSERT_TRUE(file.Open(dir.Path("null.txt")).ok());
  file.WriteLine("gone");
  ASSERT_TRUE(file.Close().ok());
  ASSERT_EQ(::lstat(dir.Path("null.txt").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

}  // namespace
}  // namespace velmora
