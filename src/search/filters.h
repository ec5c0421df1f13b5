// SPDX-License-Identifier: GPL-3.0-or-later
// The lexical filters of a search: conditions on an entry as a whole (its
// frequency, its length, its syllables, its stress) that an entry must meet
// before it is searched at all. An entry that fails one counts as an entry
// without hits. Filters read the plain transcription (field 2) whatever tier
// the search reads, and apply to the orthography search too:
//   segments   the symbols of the plain transcription, boundaries not counted
//   syllables  its vowels: symbols ending in a stress digit 0, 1 or 2
//              (ARPABET's marking of a vowel; the class folders play no part)
//   stress     the stress digits of those vowels in order; "." in a pattern
//              stands for any one vowel, so ".1" is final stress on a
//              disyllable and "10" a trochaic disyllable
//   frequency  field 5 of the entry
//   neighbours, uniqueness point
//              the entry's phonological neighbours and its uniqueness point
//              as the lexical statistics count them (stress ignored); the
//              engine works them out for a search that uses them
#ifndef VELMORA_SEARCH_FILTERS_H_
#define VELMORA_SEARCH_FILTERS_H_

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// An inclusive range of counts; either end may be open.
struct CountRange {
  int32_t min = 0;
  int32_t max = std::numeric_limits<int32_t>::max();
  bool operator==(const CountRange&) const = default;
  bool Holds(int32_t n) const { return n >= min && n <= max; }
  // "2-4", "2-", "-4", or "3" for 3-3: the form ParseCountRange reads.
  std::string Text() const;
};

struct LexicalFilters {
  std::optional<int32_t> minFrequency;
  std::optional<int32_t> maxFrequency;
  std::optional<CountRange> segments;
  std::optional<CountRange> syllables;
  std::string stress;  // empty: no stress filter
  std::optional<CountRange> neighbours;
  std::optional<CountRange> uniquenessPoint;

  bool any() const {
    return minFrequency || maxFrequency || segments || syllables || !stress.empty() || usesMeasures();
  }
  // Whether a filter needs the entries' lexical measures.
  bool usesMeasures() const { return neighbours || uniquenessPoint; }
  bool operator==(const LexicalFilters&) const = default;
  // Whether an entry with this frequency and plain transcription field
  // (symbols separated by blanks) passes every filter.
  bool Passes(int32_t frequency, std::string_view transcription) const;
};

// The lexical measures of every entry (from index 1) that the filters read.
struct EntryMeasures {
  std::vector<int32_t> neighbours;
  std::vector<int32_t> uniquenessPoints;
};

// Readers of the values the command line, the settings file and the window
// take. Each returns false for a value that is not of its form; an empty
// value is no filter and reads as true with an empty result.
//   frequency: a whole number 0 or more
//   range: MIN-MAX, MIN-, -MAX or N (exactly N), whole numbers, MIN <= MAX
//   stress: digits 0, 1, 2 and "." only
bool ParseFrequency(std::string_view text, std::optional<int32_t>* out);
bool ParseCountRange(std::string_view text, std::optional<CountRange>* out);
bool ParseStressPattern(std::string_view text, std::string* out);

// " (filters: min frequency 10, segments 3-5, stress 10)": what the result
// files add to the search string line; empty when no filter is set.
std::string FiltersSuffix(const LexicalFilters& filters);

}  // namespace velmora

#endif  // VELMORA_SEARCH_FILTERS_H_
