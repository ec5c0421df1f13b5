#include "app/label.h"

#include <vector>

#include "classes/class_folder.h"
#include "lexicon/text.h"
#include "platform/files.h"

namespace velmora {

KeyAndClasses LoadKeyAndClasses(const std::string& folder, bool syllabified, ClassTable* classes) {
  KeyAndClasses result;
  std::string contents;
  const std::string keyPath = folder + "/SegmentKey.txt";
  if (Status read = ReadWholeFile(keyPath, &contents); !read.ok()) {
    result.key = read;
    return result;
  }
  std::string& label = result.label;
  ForEachLine(contents, [&](std::string_view line) {
    label += "\r\r";
    label += line;
  });
  if (label.size() >= 2) label.erase(0, 2);
  if (syllabified) label += "\r\rAppend Coda to a consonant symbol to denote a coda segment.";
  label += "\r\rWord boundaries are [ and ].\r\rYou can make new natural classes by adding files in the ";
  label += syllabified ? "SyllabifiedNaturalClasses" : "NaturalClasses";
  label += " folder.  \r\rThe natural classes currently available are";
  std::vector<std::string> names;
  result.classes =
      LoadClassFolder(folder + (syllabified ? "/SyllabifiedNaturalClasses" : "/NaturalClasses"), classes, &names);
  for (const std::string& name : names) {
    label += ", ";
    label += name;
  }
  return result;
}

}  // namespace velmora
