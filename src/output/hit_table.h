// SPDX-License-Identifier: GPL-3.0-or-later
// The hit table of one search: distinct focus strings in order of first
// occurrence, with the number of hits and an example list of spellings for
// each. Rows are found through a hash index, never by a scan per hit.
#ifndef VELMORA_OUTPUT_HIT_TABLE_H_
#define VELMORA_OUTPUT_HIT_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/flat_index.h"

namespace velmora {

class HitTable {
 public:
  // Rows 1..NumberOfFocusStrings; element 0 holds nothing.
  int32_t NumberOfFocusStrings = 0;
  std::vector<std::string> FocusStrings{1};
  std::vector<int32_t> FocusStringCounts{0};
  std::vector<std::string> FocusStringExamples{1};

  // Merges one hit: the first row with an equal focus string (letter case
  // counts) takes it, else a new row is made with the spelling as its first
  // example. An example list longer than limit characters is closed with
  // " ..." and takes no more spellings.
  void DealWithFocusStrings(std::string_view MyFocusString, std::string_view spelling, int32_t limit);

  // The two halves of DealWithFocusStrings, for callers that remember rows:
  // the row of a focus string (0 when there is none), and a hit on row k.
  int32_t Find(std::string_view MyFocusString) const;
  int32_t AddRow(std::string_view MyFocusString, std::string_view spelling);
  void AddToRow(int32_t k, std::string_view spelling, int32_t limit);

 private:
  FlatIndex rowsByHash_;  // row numbers by the hash of their focus strings
  std::vector<size_t> exampleChars_{0};  // length in characters of each example list
};

}  // namespace velmora

#endif  // VELMORA_OUTPUT_HIT_TABLE_H_
