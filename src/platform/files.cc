// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <sys/stat.h>

namespace velmora {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}  // namespace

Status ReadWholeFile(const std::string& path, std::string* contents) { return TheDisk().Read(path, contents); }

Status ReadLargeFile(const std::string& path, FileBytes* bytes) { return TheDisk().ReadLarge(path, bytes); }

Status ListClassFiles(const std::string& folder, std::vector<std::string>* names) {
  return TheDisk().ListClassFiles(folder, names);
}

Status MakeFolder(const std::string& path) { return TheDisk().MakeFolder(path); }

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

OutputFile::~OutputFile() { Abandon(); }

void OutputFile::Abandon() {
  TheDisk().Discard(file_);
  error_ = Status::Ok();
  buffer_.clear();
}

Status OutputFile::Open(const std::string& path) {
  Abandon();
  buffer_.reserve(2 * kBufferSize);
  return TheDisk().Create(path, &file_);
}

void OutputFile::Write(std::string_view text) {
  if (!file_.open()) return;
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
  if (file_.open() && error_.ok() && !buffer_.empty()) error_ = TheDisk().Write(file_, buffer_);
  buffer_.clear();
  return error_;
}

Status OutputFile::Close() {
  if (!file_.open()) return Status::Ok();
  return PutInPlace({this});
}

Status PutInPlace(const std::vector<OutputFile*>& files) {
  Status status;
  std::vector<NewFile*> newFiles;
  for (OutputFile* file : files) {
    if (!file->file_.open()) continue;
    if (status.ok()) status = file->Flush();
    newFiles.push_back(&file->file_);
  }
  if (status.ok()) status = TheDisk().PutInPlace(newFiles);
  for (OutputFile* file : files) file->Abandon();
  return status;
}

}  // namespace velmora
