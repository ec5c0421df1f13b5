// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform.h"

#include <algorithm>

#include "platform/text.h"

namespace velmora {

std::string PlainReference(const ReferenceText& reference) {
  std::string text = reference.title;
  for (const ReferenceText::Section& section : reference.sections) {
    text += "\n\n" + section.text;
    size_t width = 0;
    for (const auto& row : section.rows) width = std::max(width, CharCount(row.first));
    for (const auto& [what, means] : section.rows) {
      text += "\n  " + what + std::string(width - CharCount(what) + 3, ' ') + means;
    }
  }
  return text;
}

}  // namespace velmora
