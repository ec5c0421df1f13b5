// SPDX-License-Identifier: GPL-3.0-or-later
// File access of the whole program, through TheDisk(): reading a file whole,
// listing a class folder, making a folder, and buffered output files. Every
// failure is a Status that names the file.
#ifndef VELMORA_PLATFORM_FILES_H_
#define VELMORA_PLATFORM_FILES_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/big_memory.h"
#include "platform/disk.h"
#include "platform/status.h"

namespace velmora {

// Reads the whole regular file into *contents (see Disk::Read).
Status ReadWholeFile(const std::string& path, std::string* contents);

// Reads the whole file as ReadWholeFile does; a large file is read in two
// halves at once, each by the thread that first touches its memory.
Status ReadLargeFile(const std::string& path, FileBytes* bytes);

// Names of the regular files in a folder whose names end in ".txt" in any
// letter case, in byte order. A missing folder gives no names and no failure.
Status ListClassFiles(const std::string& folder, std::vector<std::string>* names);

bool FileExists(const std::string& path);

// Makes the folder (its parent must exist); an existing folder is no failure.
Status MakeFolder(const std::string& path);

// An output file's buffer, in the memory of the lexicon's columns (see
// AllocatePiece): the six files of a search share their pages.
using OutputBuffer = std::basic_string<char, std::char_traits<char>, BigAllocator<char>>;

// A text file written through one buffer. The text goes to a new file that
// no other run can open, and takes the earlier file's place only when put in
// place whole (Close, or PutInPlace with the files it belongs with), so a
// failure (a full disk) leaves the earlier file as it was. The file replaced
// keeps its mode; a link stays a link, its target replaced.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts the file anew. kInUse when an existing file may not be written
  // (another program holds it, or it is read-only): the caller may ask the
  // user and try again.
  Status Open(const std::string& path);
  void Write(std::string_view text);
  // Writes text and CR LF.
  void WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
  }
  // Text may also be appended to the buffer directly; Written() then flushes
  // it when it has grown large.
  OutputBuffer& buffer() { return buffer_; }
  void Written() {
    if (buffer_.size() >= kFlushSize) Flush();
  }
  // Writes out the buffer; the first write error, once there has been one.
  Status Flush();
  // Flushes and puts the file in place; a closed file closes again without
  // error. On failure the earlier file stays.
  Status Close();
  // Closes without putting the new text in place: the earlier file stays as
  // it was. A file that is destroyed open is abandoned.
  void Abandon();

 private:
  friend Status PutInPlace(const std::vector<OutputFile*>& files);
  static constexpr size_t kFlushSize = 1 << 16;
  NewFile file_;
  OutputBuffer buffer_;
  Status error_;  // the first write error
};

// Flushes the files and puts them in place together: either every one
// replaces its earlier file, or (on failure) none does and all are abandoned.
Status PutInPlace(const std::vector<OutputFile*>& files);

}  // namespace velmora

#endif  // VELMORA_PLATFORM_FILES_H_
