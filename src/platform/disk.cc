// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>
#include <utility>

namespace velmora {

Status Status::FromErrno(int err, std::string path) {
  Status s;
  s.kind = err == ENOENT ? kNotFound : (err == ENOSPC || err == EDQUOT) ? kNoSpace : kFailed;
  s.reason = std::strerror(err);
  s.path = std::move(path);
  s.code = err;
  return s;
}

namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr size_t kTwoThreadsFrom = 1 << 20;

Status NotRegular(const std::string& path) { return Status::Make(Status::kFailed, "Not a regular file", path); }

// Opens a file for reading without waiting (a pipe with no writer would hang
// the run) and refuses what is not a regular file. *size: its size.
Status OpenForReading(const std::string& path, int* fd, size_t* size) {
  *fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (*fd < 0) return Status::FromErrno(errno, path);
  struct stat st {};
  Status status;
  if (::fstat(*fd, &st) != 0) {
    status = Status::FromErrno(errno, path);
  } else if (S_ISDIR(st.st_mode)) {
    status = Status::FromErrno(EISDIR, path);
  } else if (!S_ISREG(st.st_mode)) {
    status = NotRegular(path);
  }
  if (!status.ok()) {
    ::close(*fd);
    *fd = -1;
  }
  *size = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
  return status;
}

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

// Room for n bytes that the reading will write: a large file's in memory of
// its own or a shared chunk (see AllocatePiece).
std::unique_ptr<char[], BigDelete> MakeRoom(size_t n) {
  char* p = static_cast<char*>(AllocatePiece(n));
  return std::unique_ptr<char[], BigDelete>(p, BigDelete{n});
}

}  // namespace

Status RealDisk::Read(const std::string& path, std::string* contents) {
  contents->clear();
  int fd = -1;
  size_t size = 0;
  Status status = OpenForReading(path, &fd, &size);
  if (!status.ok()) return status;
  // Read straight into the string, in one call for a file that does not
  // change meanwhile; a file that grows is read on until its end.
  size_t filled = 0;
  contents->resize(size > 0 ? size + 1 : kBufferSize);
  for (;;) {
    if (filled == contents->size()) contents->resize(contents->size() * 2);
    const ssize_t got = ::read(fd, contents->data() + filled, contents->size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      status = Status::FromErrno(errno, path);
      break;
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  contents->resize(status.ok() ? filled : 0);
  return status;
}

Status RealDisk::ReadLarge(const std::string& path, FileBytes* bytes) {
  *bytes = FileBytes();
  int fd = -1;
  size_t expected = 0;
  Status status = OpenForReading(path, &fd, &expected);
  if (!status.ok()) return status;
  auto fail = [&](int err) {
    ::close(fd);
    return Status::FromErrno(err, path);
  };
  // Room for one byte more than the file lets its end be seen without regrowing.
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
    if (first < 0) return fail(firstError);
    if (later < 0) return fail(laterError);
    // A file that changed meanwhile is read again from its start, in one piece.
    const bool whole = static_cast<size_t>(first) == half && static_cast<size_t>(later) == expected - half;
    if (whole && ::lseek(fd, static_cast<off_t>(expected), SEEK_SET) >= 0) filled = expected;
    if (filled == 0 && ::lseek(fd, 0, SEEK_SET) < 0) return fail(errno);
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
      return fail(errno);
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  bytes->data = std::move(data);
  bytes->size = filled;
  return Status::Ok();
}

Status RealDisk::ListClassFiles(const std::string& folder, std::vector<std::string>* names) {
  names->clear();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return errno == ENOENT ? Status::Ok() : Status::FromErrno(errno, folder);
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
  return Status::Ok();
}

bool RealDisk::MayWrite(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

Status RealDisk::MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) == 0) return Status::Ok();
  const int err = errno;
  struct stat info;
  if (err == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return Status::Ok();
  return Status::FromErrno(err, path);
}

// ---- Writing -------------------------------------------------------------------

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// path with its links followed, to a file that need not exist (the target of
// a dangling link is the file to create).
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char to[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), to, sizeof to);
    if (n < 0 || static_cast<size_t>(n) == sizeof to) break;
    std::string next(to, static_cast<size_t>(n));
    if (next[0] != '/' && path.find('/') != std::string::npos) next = FolderOf(path) + "/" + next;
    path = std::move(next);
  }
  return path;
}

mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return static_cast<mode_t>(0644 & ~mask);
  }();
  return mode;
}

// A hidden name beside target that no other run uses.
std::string HiddenName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  return folder + "." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

// A file that exists but may not be written is taken to be held by another
// program.
Status CreateFailure(int err, const std::string& path) {
  Status status = Status::FromErrno(err, path);
  if (err == EACCES || err == EPERM || err == ETXTBSY) status.kind = Status::kInUse;
  return status;
}

// The file with no name in folder; where the file system cannot make one,
// a hidden file beside target (*tempName).
int CreateUnnamed(const std::string& target, mode_t mode, bool keepMode, std::string* tempName) {
  int fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    std::string name = HiddenName(target);
    name.insert(name.size() - 4, "XXXXXX");  // before ".tmp"
    fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (fd >= 0) {
      *tempName = std::move(name);
      keepMode = true;  // mkstemp makes it 0600
    }
  }
  if (fd >= 0 && keepMode && ::fchmod(fd, mode) != 0) {
    const int err = errno;
    ::close(fd);
    if (!tempName->empty()) ::unlink(tempName->c_str());
    tempName->clear();
    errno = err;
    return -1;
  }
  return fd;
}

}  // namespace

Status RealDisk::Create(const std::string& path, NewFile* file) {
  Discard(*file);
  file->path = path;
  file->target = FollowLinks(path);
  // The file to be replaced keeps its mode. One that may not be written is
  // found now, before anything changes.
  mode_t mode = NewFileMode();
  bool exists = false;
  struct stat st {};
  if (::stat(file->target.c_str(), &st) == 0) {
    exists = true;
    if (S_ISDIR(st.st_mode)) return Status::FromErrno(EISDIR, path);
    if (S_ISCHR(st.st_mode)) {  // /dev/null and the like are written as they are
      file->fd = ::open(file->target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      file->inPlace = true;
      return file->fd >= 0 ? Status::Ok() : CreateFailure(errno, path);
    }
    if (!S_ISREG(st.st_mode)) return NotRegular(path);
    file->earlier = ::open(file->target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (file->earlier < 0) return CreateFailure(errno, path);
    mode = st.st_mode & 07777;
  }
  file->fd = CreateUnnamed(file->target, mode, exists, &file->tempName);
  if (file->fd < 0) {
    const int err = errno;
    Discard(*file);
    return Status::FromErrno(err, path);
  }
  return Status::Ok();
}

Status RealDisk::Write(NewFile& file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(file.fd, bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno(errno, file.path);
    }
    done += static_cast<size_t>(put);
  }
  return Status::Ok();
}

void RealDisk::Discard(NewFile& file) {
  if (file.fd >= 0) ::close(file.fd);
  if (!file.tempName.empty()) ::unlink(file.tempName.c_str());
  if (file.earlier >= 0) ::close(file.earlier);
  file = NewFile();
}

namespace {

// Holds an advisory lock on each folder that files are put into, and keeps
// SIGINT and SIGTERM from this thread, so that the short-lived hidden names
// are not left behind.
class PlacingLock {
 public:
  explicit PlacingLock(const std::vector<NewFile*>& files) {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, &signals_);
    std::vector<std::string> folders;
    for (const NewFile* f : files) folders.push_back(FolderOf(f->path));
    std::sort(folders.begin(), folders.end());  // one order for every run
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const std::string& folder : folders) {
      const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (fd < 0) continue;  // a folder that cannot be locked is written unlocked
      while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
      }
      locks_.push_back(fd);
    }
  }
  ~PlacingLock() {
    for (int fd : locks_) ::close(fd);
    pthread_sigmask(SIG_SETMASK, &signals_, nullptr);
  }
  PlacingLock(const PlacingLock&) = delete;
  PlacingLock& operator=(const PlacingLock&) = delete;

 private:
  std::vector<int> locks_;
  sigset_t signals_;
};

// Gives an unnamed file its hidden name.
int Name(NewFile& file) {
  if (file.inPlace || !file.tempName.empty()) return 0;
  const std::string name = HiddenName(file.target);
  const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) return errno;
  file.tempName = name;
  return 0;
}

// Lets go of the file a new one replaced, on a thread of its own: the last
// close of a replaced file gives its blocks back, which on some file systems
// waits for the disk.
void LetGoOf(int fd) {
  if (fd < 0) return;
  try {
    std::thread([fd] { ::close(fd); }).detach();
  } catch (const std::system_error&) {
    ::close(fd);
  }
}

}  // namespace

Status RealDisk::PutInPlace(const std::vector<NewFile*>& files) {
  PlacingLock lock(files);
  // Every file gets a name first: a failure here changes nothing.
  for (NewFile* file : files) {
    if (const int err = Name(*file)) {
      for (NewFile* named : files) Discard(*named);
      return Status::FromErrno(err, file->path);
    }
  }
  Status status;
  for (NewFile* file : files) {
    if (!file->tempName.empty() && status.ok()) {
      if (::rename(file->tempName.c_str(), file->target.c_str()) == 0) {
        file->tempName.clear();
      } else {
        status = Status::FromErrno(errno, file->path);
      }
    }
    if (status.ok()) LetGoOf(std::exchange(file->earlier, -1));
    Discard(*file);
  }
  return status;
}

// ---- The disk in use -------------------------------------------------------------

namespace {
Disk*& Current() {
  static RealDisk real;
  static Disk* current = &real;
  return current;
}
}  // namespace

Disk& TheDisk() { return *Current(); }

ScopedDisk::ScopedDisk(Disk& disk) : previous_(std::exchange(Current(), &disk)) {}

ScopedDisk::~ScopedDisk() { Current() = previous_; }

}  // namespace velmora
