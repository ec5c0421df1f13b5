// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/label.h"

namespace velmora {

std::string KeyLabel(const ClassLoad& load, bool syllabified) {
  std::string label;
  for (const std::string& line : load.keyLines) {
    label += "\r\r";
    label += line;
  }
  if (label.size() >= 2) label.erase(0, 2);
  if (syllabified) label += "\r\rAppend Coda to a consonant symbol to denote a coda segment.";
  label += "\r\rWord boundaries are [ and ].\r\rYou can make new natural classes by adding files in the ";
  label += syllabified ? "SyllabifiedNaturalClasses" : "NaturalClasses";
  label += " folder.  \r\rThe natural classes currently available are";
  for (const std::string& name : load.names) {
    label += ", ";
    label += name;
  }
  return label;
}

}  // namespace velmora
