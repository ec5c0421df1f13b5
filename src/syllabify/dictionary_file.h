// SPDX-License-Identifier: GPL-3.0-or-later
// The six-field dictionary format: spelling TAB plain transcription TAB
// syllabified transcription TAB annotation TAB frequency TAB sixth number.
#ifndef VELMORA_SYLLABIFY_DICTIONARY_FILE_H_
#define VELMORA_SYLLABIFY_DICTIONARY_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "syllabify/syllabifier.h"

namespace velmora::syllabify {

struct SyllabifyCounts {
  int entries = 0;        // lines syllabified
  int without_vowel = 0;  // of them, transcriptions with no vowel
};

// Returns `lines` (kept byte for byte, not trimmed) with field 3 of each replaced by the syllabified form of
// field 2. Lines with fewer than six fields are completed with empty fields;
// fields from the fourth on are kept as they are. Empty lines stay empty.
std::vector<std::string> SyllabifyDictionary(const std::vector<std::string_view>& lines,
                                             const Syllabifier& syllabifier,
                                             SyllabifyCounts* counts);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_DICTIONARY_FILE_H_
