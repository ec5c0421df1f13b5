#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>
#include <utility>

namespace velmora {

namespace {
std::string Describe(int err) { return std::strerror(err); }
}  // namespace

Status Status::FromErrno(int err, std::string path) {
  Status s;
  s.kind = err == ENOENT ? kNotFound : (err == ENOSPC || err == EDQUOT) ? kNoSpace : kFailed;
  s.reason = Describe(err);
  s.path = std::move(path);
  s.code = err;
  return s;
}

namespace {
void CloseEarlier(int fd) {
  if (fd >= 0) ::close(fd);
}
constexpr size_t kBufferSize = 1 << 16;
FileFaults& Faults() {
  static FileFaults faults;
  return faults;
}
}  // namespace

void SetFileFaultsForTesting(FileFaults faults) { Faults() = std::move(faults); }

bool ReadWholeFile(const std::string& path, std::string* contents, std::string* reason, int* code) {
  contents->clear();
  auto fail = [&](int err) {
    *reason = Describe(err);
    if (code != nullptr) *code = err;
    contents->clear();
    return false;
  };
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return fail(EISDIR);
  }
  // Read straight into the string, in one call for a file that does not
  // change meanwhile; a file that grows is read on until its end.
  size_t filled = 0;
  contents->resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : kBufferSize);
  for (;;) {
    if (filled == contents->size()) contents->resize(contents->size() * 2);
    ssize_t got = ::read(fd, contents->data() + filled, contents->size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      return fail(err);
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  contents->resize(filled);
  return true;
}

namespace {

// Reads up to length bytes at offset; the count read (short only at the end
// of the file), or -1 with errno set.
ssize_t ReadAt(int fd, char* to, size_t length, size_t offset) {
  size_t done = 0;
  while (done < length) {
    const ssize_t got = ::pread(fd, to + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

constexpr size_t kTwoThreadsFrom = 1 << 20;

// Room for n bytes that the reading will write: a large file's in memory of
// its own (see AllocateBig).
std::unique_ptr<char[], BigDelete> MakeRoom(size_t n) {
  char* p = n >= kBigPieceBytes ? static_cast<char*>(AllocateBig(n)) : new char[n];
  return std::unique_ptr<char[], BigDelete>(p, BigDelete{n});
}

}  // namespace

bool ReadLargeFile(const std::string& path, FileBytes* bytes, std::string* reason, int* code) {
  *bytes = FileBytes();
  auto fail = [&](int fd, int err) {
    if (fd >= 0) ::close(fd);
    *reason = Describe(err);
    if (code != nullptr) *code = err;
    return false;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(-1, errno);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) return fail(fd, EISDIR);
  // A regular file's size is known: room for one byte more lets its end be
  // seen without regrowing. A pipe or a device is read as it comes.
  const size_t expected = S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
  size_t room = std::max(expected + 1, kBufferSize);
  auto data = MakeRoom(room);
  size_t filled = 0;
  if (expected >= kTwoThreadsFrom) {
    const size_t half = expected / 2;
    ssize_t first = 0, later = 0;
    int firstError = 0, laterError = 0;
    {
      std::jthread thread([&] {
        later = ReadAt(fd, data.get() + half, expected - half, half);
        laterError = errno;
      });
      first = ReadAt(fd, data.get(), half, 0);
      firstError = errno;
    }
    if (first < 0) return fail(fd, firstError);
    if (later < 0) return fail(fd, laterError);
    // A file that changed meanwhile is read again from its start, in one piece.
    const bool whole = static_cast<size_t>(first) == half && static_cast<size_t>(later) == expected - half;
    if (whole && ::lseek(fd, static_cast<off_t>(expected), SEEK_SET) >= 0) filled = expected;
    if (filled == 0 && ::lseek(fd, 0, SEEK_SET) < 0) return fail(fd, errno);
  }
  for (;;) {
    if (filled == room) {
      auto larger = MakeRoom(room * 2);
      std::memcpy(larger.get(), data.get(), filled);
      data = std::move(larger);
      room *= 2;
    }
    const ssize_t got = ::read(fd, data.get() + filled, room - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail(fd, errno);
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  bytes->data = std::move(data);
  bytes->size = filled;
  return true;
}

bool ListClassFiles(const std::string& folder, std::vector<std::string>* names, std::string* reason, int* code) {
  names->clear();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    int err = errno;
    if (err == ENOENT) return true;
    *reason = Describe(err);
    if (code != nullptr) *code = err;
    return false;
  }
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.size() < 4) continue;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    if (ext != ".txt") continue;
    if (e->d_type != DT_REG) {  // the system may not say: ask the file itself
      struct stat st {};
      if (e->d_type != DT_UNKNOWN && e->d_type != DT_LNK) continue;
      if (::stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    }
    names->push_back(name);
  }
  ::closedir(dir);
  std::sort(names->begin(), names->end());
  return true;
}

Status MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) == 0) return Status::Ok();
  const int err = errno;
  struct stat info;
  if (err == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return Status::Ok();
  return Status::FromErrno(err, path);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

OutputFile::~OutputFile() { Abandon(); }

void OutputFile::Abandon() {
  if (fd_ < 0) return;
  if (part_.empty()) Flush();
  ::close(fd_);
  if (!part_.empty()) ::unlink(part_.c_str());
  CloseEarlier(earlier_);
  earlier_ = -1;
  fd_ = -1;
  error_ = 0;
  part_.clear();
  buffer_.clear();
}

namespace {
Status OpenFailure(int err, const std::string& path) {
  Status status = Status::FromErrno(err, path);
  // A file that exists but may not be written is taken to be held by another
  // program; a folder that may not be written is an ordinary failure.
  if ((err == EACCES || err == EPERM || err == ETXTBSY) && FileExists(path)) status.kind = Status::kInUse;
  return status;
}
}  // namespace

Status OutputFile::Open(const std::string& path) {
  Close();
  error_ = 0;
  buffer_.clear();
  if (Faults().open) {
    Status injected = Faults().open(path);
    if (!injected.ok()) return injected;
  }
  // An earlier file that may not be written is found before anything changes.
  int earlier = -1;
  if (FileExists(path)) {
    earlier = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (earlier < 0) return OpenFailure(errno, path);
  }
  // The new text goes to a file beside it, which takes the earlier file's
  // place when it is closed whole: a failed write leaves the earlier file as
  // it was. A link is followed, so that it stays a link to the new text; a
  // device or a pipe, and a folder where no new file may be made, are written
  // in place.
  std::string target = path;
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  const bool regular = ::stat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode);
  std::string part = target + ".part";
  int fd = regular ? ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
  if (fd < 0) {
    part.clear();
    CloseEarlier(earlier);
    earlier = -1;
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return OpenFailure(errno, path);
  }
  fd_ = fd;
  earlier_ = earlier;
  path_ = path;
  target_ = target;
  part_ = part;
  buffer_.reserve(2 * kBufferSize);
  return Status::Ok();
}

void OutputFile::Write(std::string_view text) {
  if (fd_ < 0) return;
  if (buffer_.size() + text.size() > kBufferSize) {
    Flush();
    if (text.size() > kBufferSize) {
      buffer_.assign(text);
      Flush();
      return;
    }
  }
  buffer_.append(text);
}

Status OutputFile::Flush() {
  if (fd_ >= 0 && error_ == 0 && !buffer_.empty() && Faults().write) error_ = Faults().write(path_);
  if (fd_ >= 0 && error_ == 0) {
    size_t done = 0;
    while (done < buffer_.size()) {
      ssize_t put = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (put < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        break;
      }
      done += static_cast<size_t>(put);
    }
  }
  buffer_.clear();
  if (error_ != 0) return Status::FromErrno(error_, path_);
  return Status::Ok();
}

Status OutputFile::Close() {
  if (fd_ < 0) return Status::Ok();
  Status status = Flush();
  if (::close(fd_) != 0 && status.ok()) status = Status::FromErrno(errno, path_);
  if (!part_.empty()) {
    if (status.ok() && ::rename(part_.c_str(), target_.c_str()) != 0) status = Status::FromErrno(errno, path_);
    if (!status.ok()) ::unlink(part_.c_str());
  }
  // The earlier file, now replaced, is let go of on a thread of its own: the
  // last close of a replaced file gives its blocks back, which on some file
  // systems waits for the disk.
  if (status.ok() && earlier_ >= 0) {
    try {
      std::thread([fd = earlier_] { ::close(fd); }).detach();
      earlier_ = -1;
    } catch (const std::system_error&) {
    }
  }
  CloseEarlier(earlier_);
  earlier_ = -1;
  fd_ = -1;
  error_ = 0;
  part_.clear();
  return status;
}

}  // namespace velmora
