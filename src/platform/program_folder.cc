// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/disk.h"
#include "platform/files.h"

#ifndef VELMORA_INSTALL_DATADIR
#define VELMORA_INSTALL_DATADIR "/usr/local/share/velmora"
#endif

namespace velmora {

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Makes the folder and those between it and `base`, which must exist. A
// folder made above the last one is private to the user, as the base folders
// of XDG are.
Status MakeFolders(const std::string& path, const std::string& base) {
  if (IsFolder(path)) return Status::Ok();
  if (!IsFolder(base)) return Status::FromErrno(Exists(base) ? ENOTDIR : ENOENT, base);
  for (size_t slash = path.find('/', base.size() + 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string above = path.substr(0, slash);
    if (IsFolder(above)) continue;
    if (::mkdir(above.c_str(), 0700) != 0 && errno != EEXIST) return Status::FromErrno(errno, path);
  }
  if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return Status::FromErrno(errno, path);
  if (!IsFolder(path)) return Status::FromErrno(ENOTDIR, path);
  return Status::Ok();
}

// The folder that must exist for the user's folder to be made: HOME, or the
// folder that holds $XDG_DATA_HOME.
std::string BaseFolder(const FolderEnvironment& environment) {
  if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/') {
    const std::string xdg = WithoutTrailingSlash(environment.xdgDataHome);
    const size_t slash = xdg.rfind('/');
    return slash == 0 ? "/" : xdg.substr(0, slash);
  }
  return WithoutTrailingSlash(environment.home);
}

// Copies one file to a name that does not exist yet. The new file is made
// exclusively, so a file that appeared meanwhile is not touched; a copy that
// fails half-way is removed.
bool CopyNewFile(const std::string& from, const std::string& to, std::string* reason) {
  std::string bytes;
  if (Status read = ReadWholeFile(from, &bytes); !read.ok()) {
    *reason = read.reason;
    return false;
  }
  const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return true;
    *reason = std::strerror(errno);
    return false;
  }
  size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      error = put < 0 ? errno : EIO;
      break;
    }
    done += static_cast<size_t>(put);
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(to.c_str());
    *reason = std::strerror(error);
    return false;
  }
  return true;
}

// The six result files: written by each search, never data to copy.
constexpr const char* kResultFiles[] = {"FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt",
                                        "ResultsOfSearchInInputFormat.txt", "Hits.txt", "Misses.txt"};

// Whether a top-level entry of a data folder is data: the text files (the
// dictionaries, the inventory, the key, the settings) but not the results,
// and the two class folders. Anything else beside a read-only executable
// (the programs themselves) is not copied.
bool IsDataEntry(const std::string& name, bool folder) {
  if (folder) return name == "NaturalClasses" || name == "SyllabifiedNaturalClasses";
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".txt") != 0) return false;
  return std::find(std::begin(kResultFiles), std::end(kResultFiles), name) == std::end(kResultFiles);
}

// Copies what `from` holds and `to` lacks, folder by folder, in name order.
// `relative` is the path below the user's folder, for the list of copies;
// `top`: `from` is a data set's own folder, of which only data is copied.
bool CopyMissing(const std::string& from, const std::string& to, const std::string& relative, bool top,
                 std::vector<std::string>* copied, std::string* what, std::string* reason) {
  DIR* dir = ::opendir(from.c_str());
  if (dir == nullptr) {
    *what = from;
    *reason = std::strerror(errno);
    return false;
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string source = Join(from, name);
    const std::string target = Join(to, name);
    const std::string shown = relative.empty() ? name : relative + "/" + name;
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0) continue;  // a dangling link: nothing to copy
    if (top && !IsDataEntry(name, S_ISDIR(info.st_mode))) continue;
    if (S_ISDIR(info.st_mode)) {
      if (Exists(target) && !IsFolder(target)) continue;  // the user put a file there: theirs
      if (!IsFolder(target)) {
        if (::mkdir(target.c_str(), 0755) != 0 && errno != EEXIST) {
          *what = target;
          *reason = std::strerror(errno);
          return false;
        }
        copied->push_back(shown + "/");
      }
      if (!CopyMissing(source, target, shown, false, copied, what, reason)) return false;
    } else if (S_ISREG(info.st_mode) && !Exists(target)) {
      if (!CopyNewFile(source, target, reason)) {
        *what = target;
        return false;
      }
      copied->push_back(shown);
    }
  }
  return true;
}

}  // namespace

FolderEnvironment ProcessEnvironment() {
  FolderEnvironment environment;
  if (const char* value = std::getenv("XDG_DATA_HOME")) environment.xdgDataHome = value;
  if (const char* value = std::getenv("HOME")) environment.home = value;
  return environment;
}

std::string InstalledDataFolder(const std::string& executableFolder) {
  const std::string beside = WithoutTrailingSlash(executableFolder) + "/../share/velmora";
  if (Exists(beside + "/in.txt")) {
    // Said without the "..": the folder is named in messages.
    char resolved[PATH_MAX];
    if (::realpath(beside.c_str(), resolved) != nullptr) return resolved;
    return beside;
  }
  return VELMORA_INSTALL_DATADIR;
}

std::string UserFolder(const FolderEnvironment& environment) {
  if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/') {
    return WithoutTrailingSlash(environment.xdgDataHome) + "/velmora";
  }
  if (!environment.home.empty() && environment.home.front() == '/') {
    return Join(WithoutTrailingSlash(environment.home), ".local/share/velmora");
  }
  return "";
}

ProgramFolderChoice ChooseProgramFolder(const std::string& executableFolder, const std::string& dataFolder,
                                        const FolderEnvironment& environment) {
  ProgramFolderChoice choice;
  const std::string own = WithoutTrailingSlash(executableFolder);
  const bool ownData = Exists(Join(own, "in.txt"));
  const bool installed = !ownData && Exists(Join(dataFolder, "in.txt"));
  const bool writable = TheDisk().MayWrite(own);
  if (!installed && writable) {
    choice.folder = own;
    return choice;
  }
  choice.user = true;
  if (!installed) choice.readOnlyFolder = own;
  choice.folder = UserFolder(environment);
  if (choice.folder.empty()) {
    choice.status = Status::FromErrno(ENOENT, "");
    return choice;
  }
  choice.status = MakeFolders(choice.folder, BaseFolder(environment));
  if (!choice.status.ok()) return choice;
  // A read-only copy that holds its own data is copied from; an installed one
  // from the installed data.
  const std::string source = ownData ? own : dataFolder;
  if (!IsFolder(source)) return choice;  // nothing to copy
  choice.source = source;
  std::string what, reason;
  if (!CopyMissing(source, choice.folder, "", true, &choice.copied, &what, &reason)) {
    choice.status = Status::Make(Status::kFailed, reason, what);
    choice.filling = true;
  }
  return choice;
}

std::vector<std::string> BundledDataSets(const std::string& folder, const std::string& source) {
  std::vector<std::string> names;
  for (const std::string& from : {folder, source}) {
    if (from.empty()) continue;
    DIR* dir = ::opendir(from.c_str());
    if (dir == nullptr) continue;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != ".." && name != kEnglishDataSet && Exists(Join(Join(from, name), "in.txt"))) {
        names.push_back(name);
      }
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  names.insert(names.begin(), kEnglishDataSet);
  return names;
}

DataSetChoice FindDataSet(const std::string& folder, const std::string& source, const std::string& name) {
  DataSetChoice choice;
  if (name.empty() || name == kEnglishDataSet) {
    choice.folder = folder;
    return choice;
  }
  const bool mayBeBundled = name.find('/') == std::string::npos && name != "." && name != "..";
  const std::string own = Join(folder, name);
  const std::string from = source.empty() ? "" : Join(source, name);
  if (mayBeBundled && (Exists(Join(own, "in.txt")) || (!from.empty() && Exists(Join(from, "in.txt"))))) {
    choice.folder = own;
    choice.saved = name;
    if (from.empty() || !IsFolder(from)) return choice;
    // Filled from the installed data as the English files are.
    std::string what = own, reason;
    bool made = IsFolder(own);
    if (!made && ::mkdir(own.c_str(), 0755) == 0) {
      made = true;
      choice.copied.push_back(name + "/");
    }
    if (!made) reason = std::strerror(errno);
    if (!made || !CopyMissing(from, own, name, true, &choice.copied, &what, &reason)) {
      choice.status = Status::Make(Status::kFailed, reason, what);
    }
    return choice;
  }
  // A folder of the user's own.
  char resolved[PATH_MAX];
  if (!Exists(name + "/in.txt") || !Exists(name + "/AllSegments.txt") ||
      ::realpath(name.c_str(), resolved) == nullptr) {
    choice.status = Status::Malformed("", 0, name);
    return choice;
  }
  choice.folder = resolved;
  choice.saved = resolved;
  return choice;
}

}  // namespace velmora
