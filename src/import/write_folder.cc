// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of an imported data set, written whole or not at all.
#include <filesystem>
#include <memory>
#include <set>

#include "import/import.h"
#include "platform/files.h"

namespace velmora::import {
namespace {

constexpr const char* kClassFolders[] = {"NaturalClasses", "SyllabifiedNaturalClasses"};

// Makes the folders that are missing; those it made, for removing again.
Status MakeFolders(const std::string& dir, std::vector<std::string>* made) {
  std::vector<std::string> folders = {dir};
  for (const char* name : kClassFolders) folders.push_back(dir + "/" + name);
  for (const std::string& folder : folders) {
    std::error_code ec;
    const bool existed = std::filesystem::is_directory(folder, ec);
    if (Status status = MakeFolder(folder); !status.ok()) return status;
    if (!existed) made->push_back(folder);
  }
  return Status::Ok();
}

void RemoveFolders(const std::vector<std::string>& made) {
  for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
    std::error_code ec;
    std::filesystem::remove(*folder, ec);  // only when empty
  }
}

// The class files an earlier import left that this one did not write.
void RemoveStaleClasses(const std::string& dir, const std::set<std::string>& written) {
  for (const char* name : kClassFolders) {
    std::vector<std::string> files;
    if (!ListClassFiles(dir + "/" + name, &files).ok()) continue;
    for (const std::string& file : files) {
      const std::string path = std::string(name) + "/" + file;
      std::error_code ec;
      if (written.count(path) == 0) std::filesystem::remove(dir + "/" + path, ec);
    }
  }
}

}  // namespace

Status WriteDataSet(const std::string& dir, const std::vector<DataFile>& files) {
  std::vector<std::string> made;
  Status status = MakeFolders(dir, &made);
  std::vector<std::unique_ptr<OutputFile>> outputs;
  std::vector<OutputFile*> all;
  std::set<std::string> written;
  for (size_t i = 0; status.ok() && i < files.size(); ++i) {
    outputs.push_back(std::make_unique<OutputFile>());
    OutputFile& output = *outputs.back();
    status = output.Open(dir + "/" + files[i].path);
    if (!status.ok()) break;
    for (const std::string& line : files[i].lines) {
      output.buffer().append(line).append("\r\n");
      output.Written();
    }
    all.push_back(&output);
    written.insert(files[i].path);
  }
  if (status.ok()) status = PutInPlace(all);
  if (!status.ok()) {
    for (OutputFile* output : all) output->Abandon();
    RemoveFolders(made);
    return status;
  }
  RemoveStaleClasses(dir, written);
  return Status::Ok();
}

}  // namespace velmora::import
