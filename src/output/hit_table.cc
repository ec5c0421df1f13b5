// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/hit_table.h"

#include "platform/text.h"

namespace velmora {

void HitTable::DealWithFocusStrings(std::string_view MyFocusString, std::string_view spelling, int32_t limit) {
  const int32_t k = Find(MyFocusString);
  if (k == 0) {
    AddRow(MyFocusString, spelling);
  } else {
    AddToRow(k, spelling, limit);
  }
}

int32_t HitTable::Find(std::string_view MyFocusString) const {
  return static_cast<int32_t>(rowsByHash_.Find(
      HashBytes(MyFocusString), [&](uint32_t row) { return FocusStrings[row] == MyFocusString; }));
}

int32_t HitTable::AddRow(std::string_view MyFocusString, std::string_view spelling) {
  const bool known = Find(MyFocusString) != 0;  // an equal earlier row stays the one found
  ++NumberOfFocusStrings;
  FocusStrings.emplace_back(MyFocusString);
  FocusStringCounts.push_back(1);
  FocusStringExamples.emplace_back(spelling);
  exampleChars_.push_back(CharCount(spelling));
  if (!known) rowsByHash_.Insert(HashBytes(MyFocusString), static_cast<uint32_t>(NumberOfFocusStrings));
  return NumberOfFocusStrings;
}

void HitTable::AddToRow(int32_t k, std::string_view spelling, int32_t limit) {
  ++FocusStringCounts[k];
  std::string& examples = FocusStringExamples[k];
  if (examples.size() >= 3 && examples.compare(examples.size() - 3, 3, "...") == 0) return;
  if (static_cast<int64_t>(exampleChars_[k]) <= static_cast<int64_t>(limit)) {
    examples += ' ';
    examples += spelling;
    exampleChars_[k] += 1 + CharCount(spelling);
  } else {
    examples += " ...";
    exampleChars_[k] += 4;
  }
}

}  // namespace velmora
