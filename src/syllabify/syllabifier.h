// SPDX-License-Identifier: GPL-3.0-or-later
// Syllabification by the Maximal Onset Principle.
//
// A transcription is a sequence of segment symbols separated by blanks
// ("T AE1 B"). Segments listed as vowels are syllable nuclei; every other
// segment is a consonant. Each consonant is given to a syllable:
//   - consonants before the first vowel form the onset of the first syllable
//     (there is no earlier syllable they could close);
//   - consonants after the last vowel are codas;
//   - of the consonants between two vowels, the longest final run that is a
//     legal onset opens the next syllable, and the ones before it are codas
//     of the syllable before (the empty onset is always legal).
// Codas are written with the suffix "Coda" ("T AE1 BCoda"). A transcription
// without any vowel has no syllable and is returned unchanged.
//
// Vowel and onset symbols are compared without regard to letter case (by the
// core's Lower), as the program compares class members. A segment also counts as a vowel
// when it is a listed vowel followed by stress digits, so a list holding
// "AA" covers "AA0", "AA1" and "AA2".
#ifndef VELMORA_SYLLABIFY_SYLLABIFIER_H_
#define VELMORA_SYLLABIFY_SYLLABIFIER_H_

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora::syllabify {

inline constexpr std::string_view kCodaSuffix = "Coda";

// The set of segment symbols that are syllable nuclei.
class VowelSet {
 public:
  VowelSet() = default;
  // Blank and empty entries are ignored.
  explicit VowelSet(const std::vector<std::string>& vowels);

  bool IsVowel(std::string_view segment) const;
  bool empty() const { return vowels_.empty(); }

 private:
  std::unordered_set<std::string> vowels_;  // lower-cased
};

// The set of legal syllable onsets, each a sequence of consonant symbols.
class OnsetSet {
 public:
  OnsetSet() = default;
  // Each entry is one onset written as its symbols separated by blanks
  // ("S T R"). Empty entries are ignored: the empty onset is always legal.
  explicit OnsetSet(const std::vector<std::string>& onsets);

  // True when segments[begin, end) form a legal onset; always true for an
  // empty range.
  bool IsLegal(const std::vector<std::string>& segments, size_t begin,
               size_t end) const;

 private:
  std::unordered_set<std::string> onsets_;  // lower-cased, single blanks
};

class Syllabifier {
 public:
  Syllabifier(VowelSet vowels, OnsetSet onsets)
      : vowels_(std::move(vowels)), onsets_(std::move(onsets)) {}

  // For each segment of `segments`, whether it is a coda consonant.
  std::vector<bool> CodaFlags(const std::vector<std::string>& segments) const;

  // The syllabified form of a transcription: its segments joined by single
  // blanks, codas suffixed with "Coda".
  std::string Syllabify(std::string_view transcription) const;

  const VowelSet& vowels() const { return vowels_; }

 private:
  VowelSet vowels_;
  OnsetSet onsets_;
};

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_SYLLABIFIER_H_
