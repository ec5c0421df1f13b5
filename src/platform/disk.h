// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one door to the file system: reading a file whole, listing a
// class folder, making a folder, and writing new files that take the place of
// earlier ones. The program goes through TheDisk(); a test puts a disk of its
// own in its place (ScopedDisk) to make any one step fail.
#ifndef VELMORA_PLATFORM_DISK_H_
#define VELMORA_PLATFORM_DISK_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/big_memory.h"
#include "platform/status.h"

namespace velmora {

// The bytes of a file read whole, in memory that only the reading has written.
struct FileBytes {
  std::unique_ptr<char[], BigDelete> data;
  size_t size = 0;
  std::string_view view() const { return {data.get(), size}; }
};

// A file being written for path. Until it is put in place it has no name
// (where the file system cannot make a file without one, a hidden name
// beside its target), so no other run can open it.
struct NewFile {
  std::string path;      // the name the caller gave
  std::string target;    // the file it replaces: path with links followed
  int fd = -1;
  std::string tempName;  // its hidden name, or "" while it has none
  bool inPlace = false;  // a device, written in place
  int earlier = -1;      // the file it replaces, held open until replaced
  bool open() const { return fd >= 0; }
};

class Disk {
 public:
  virtual ~Disk() = default;
  // Reads a regular file whole. A folder fails as "Is a directory"; anything
  // else that is not a regular file (a pipe, a device) is refused unread.
  virtual Status Read(const std::string& path, std::string* contents) = 0;
  // Reads as Read does; a large file is read in two halves at once.
  virtual Status ReadLarge(const std::string& path, FileBytes* bytes) = 0;
  // Names of the regular files in a folder whose names end in ".txt" in any
  // letter case, in byte order. A missing folder gives no names.
  virtual Status ListClassFiles(const std::string& folder, std::vector<std::string>* names) = 0;
  // Makes the folder (its parent must exist); an existing folder is no failure.
  virtual Status MakeFolder(const std::string& path) = 0;
  // Whether this process may make files in the folder.
  virtual bool MayWrite(const std::string& folder) = 0;
  // Starts a new file for path. kInUse when the file it would replace may not
  // be written (another program holds it, or it is read-only).
  virtual Status Create(const std::string& path, NewFile* file) = 0;
  virtual Status Write(NewFile& file, std::string_view bytes) = 0;
  // Puts the files in place together, each replacing its earlier file; they
  // are closed then. Runs that share a folder take turns here.
  virtual Status PutInPlace(const std::vector<NewFile*>& files) = 0;
  // Closes a file that is not to be put in place: its earlier file stays.
  virtual void Discard(NewFile& file) = 0;
};

// The file system itself.
class RealDisk : public Disk {
 public:
  Status Read(const std::string& path, std::string* contents) override;
  Status ReadLarge(const std::string& path, FileBytes* bytes) override;
  Status ListClassFiles(const std::string& folder, std::vector<std::string>* names) override;
  Status MakeFolder(const std::string& path) override;
  bool MayWrite(const std::string& folder) override;
  Status Create(const std::string& path, NewFile* file) override;
  Status Write(NewFile& file, std::string_view bytes) override;
  Status PutInPlace(const std::vector<NewFile*>& files) override;
  void Discard(NewFile& file) override;
};

// The disk every file access goes through: the real one unless a test has
// put another in its place.
Disk& TheDisk();

// Puts disk in the place of TheDisk() for its lifetime.
class ScopedDisk {
 public:
  explicit ScopedDisk(Disk& disk);
  ~ScopedDisk();
  ScopedDisk(const ScopedDisk&) = delete;
  ScopedDisk& operator=(const ScopedDisk&) = delete;

 private:
  Disk* previous_;
};

}  // namespace velmora

#endif  // VELMORA_PLATFORM_DISK_H_
