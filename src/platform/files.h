// File access of the whole program: reading a file whole, listing a class
// folder, and buffered output files. Every failure comes back as a reason text
// (the system's description of the error) for the message that names the file.
#ifndef VELMORA_PLATFORM_FILES_H_
#define VELMORA_PLATFORM_FILES_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/big_memory.h"
#include "platform/status.h"

namespace velmora {

// Reads the whole file into *contents. On failure returns false and sets
// *reason (e.g. "No such file or directory", "Is a directory") and, when
// given, *code (the system's error number).
bool ReadWholeFile(const std::string& path, std::string* contents, std::string* reason, int* code = nullptr);

// The bytes of a file read whole, in memory that only the reading has written.
struct FileBytes {
  std::unique_ptr<char[], BigDelete> data;
  size_t size = 0;
  std::string_view view() const { return {data.get(), size}; }
};

// Reads the whole file as ReadWholeFile does; a large file is read in two
// halves at once, each by the thread that first touches its memory.
bool ReadLargeFile(const std::string& path, FileBytes* bytes, std::string* reason, int* code = nullptr);

// Names of the regular files in a folder whose names end in ".txt" in any
// letter case, in byte order. A missing folder gives no names and true; a
// folder that cannot be listed gives false and a reason.
bool ListClassFiles(const std::string& folder, std::vector<std::string>* names, std::string* reason,
                    int* code = nullptr);

bool FileExists(const std::string& path);

// Makes the folder (its parent must exist); an existing folder is no failure.
Status MakeFolder(const std::string& path);


// A text file written through one buffer, created anew when opened. A write
// error is kept and reported by the next Flush or Close. The text is written
// beside the file and takes its place only when closed without error, so a
// failure (a full disk) leaves the earlier file whole.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates (truncates) the file. kInUse when an existing file may not be
  // written (another program holds it, or it is read-only): the caller may ask
  // the user and try again.
  Status Open(const std::string& path);
  bool is_open() const { return fd_ >= 0; }
  void Write(std::string_view text);
  // Writes text and CR LF.
  void WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
  }
  // Text may also be appended to the buffer directly; Written() then flushes
  // it when it has grown large.
  std::string& buffer() { return buffer_; }
  void Written() {
    if (buffer_.size() >= kFlushSize) Flush();
  }
  Status Flush();
  // Flushes and closes; a closed file closes again without error.
  Status Close();
  // Closes without putting the new text in place: the earlier file stays as
  // it was. (A file written in place keeps what was written.) A file that is
  // destroyed open is abandoned.
  void Abandon();

 private:
  static constexpr size_t kFlushSize = 1 << 16;
  int fd_ = -1;
  std::string path_;
  std::string target_;  // the file that path_ names, links followed
  std::string part_;  // the file being written in its place, or "" when in place
  int earlier_ = -1;   // the file it replaces, held open until it is replaced
  std::string buffer_;
  int error_ = 0;  // first write error (errno)
};

// Fault injection for tests of what the user sees when files fail: when set,
// the open hook is asked before a file is created (its non-ok answer is
// returned instead), and the write hook before bytes are written (a non-zero
// errno makes the write fail with it). Empty functions switch them off.
struct FileFaults {
  std::function<Status(const std::string& path)> open;
  std::function<int(const std::string& path)> write;
};
void SetFileFaultsForTesting(FileFaults faults);

}  // namespace velmora

#endif  // VELMORA_PLATFORM_FILES_H_
