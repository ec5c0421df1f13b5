// SPDX-License-Identifier: GPL-3.0-or-later
#include "classes/class_folder.h"

#include <utility>

#include "platform/text.h"
#include "platform/files.h"

namespace velmora {

Status LoadClassFolder(const std::string& folder, ClassTable* table, std::vector<std::string>* names) {
  table->Clear();
  names->clear();
  std::vector<std::string> files;
  if (Status listed = ListClassFiles(folder, &files); !listed.ok()) return listed;
  for (const std::string& file : files) {
    const std::string name = DropLastChars(file, 4);
    const int32_t k = table->AddClass(name);
    names->push_back(name);
    // The listed file itself is opened: file names are case-sensitive here,
    // so VOWEL.TXT cannot be reached as VOWEL.txt.
    const std::string path = folder + "/" + file;
    std::string contents;
    if (Status read = ReadWholeFile(path, &contents); !read.ok()) return read;
    for (std::string& member : ParseClassFile(contents)) table->AddMember(k, std::move(member));
  }
  return Status::Ok();
}

}  // namespace velmora
