// SPDX-License-Identifier: GPL-3.0-or-later
// The symbols of the bundled English data set (ARPABET): its vowels and
// consonants, the natural classes made of them, the order in which
// AllSegments.txt lists them, and the segment key the window shows.
#ifndef VELMORA_SYLLABIFY_ENGLISH_INVENTORY_H_
#define VELMORA_SYLLABIFY_ENGLISH_INVENTORY_H_

#include <string>
#include <vector>

namespace velmora::syllabify {

struct NaturalClass {
  std::string name;
  std::vector<std::string> members;
};

// The 15 vowels, each followed by every stress digit of `stresses` ("012").
std::vector<std::string> Vowels(const std::string& stresses);

// The classes over plain symbols (NaturalClasses/).
std::vector<NaturalClass> PlainClasses();

// The same classes over syllabified symbols: each consonant member stands in
// its onset form and its coda form. Adds ONSET and CODA.
std::vector<NaturalClass> SyllabifiedClasses();

// Every symbol that may stand in a plain or syllabified transcription, in
// the order AllSegments.txt lists them.
std::vector<std::string> InventoryOrder();

// The paragraphs of SegmentKey.txt.
const std::vector<std::string>& SegmentKey();

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_ENGLISH_INVENTORY_H_
