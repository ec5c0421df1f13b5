// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/dictionary_file.h"

#include "syllabify/text_lines.h"

namespace velmora::syllabify {

std::vector<std::string> SyllabifyDictionary(const std::vector<std::string_view>& lines,
                                             const Syllabifier& syllabifier,
                                             SyllabifyCounts* counts) {
  std::vector<std::string> result;
  result.reserve(lines.size());
  for (const std::string_view line : lines) {
    if (line.empty()) {
      result.emplace_back();
      continue;
    }
    std::vector<std::string> fields = SplitFields(line);
    if (fields.size() < 6) fields.resize(6);
    const std::vector<std::string> segments = SplitSegments(fields[1]);
    bool has_vowel = false;
    for (const std::string& segment : segments) {
      if (syllabifier.vowels().IsVowel(segment)) has_vowel = true;
    }
    fields[2] = syllabifier.Syllabify(fields[1]);
    ++counts->entries;
    if (!has_vowel) ++counts->without_vowel;
    result.push_back(Join(fields, "\t"));
  }
  return result;
}

}  // namespace velmora::syllabify
