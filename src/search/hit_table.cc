#include "search/hit_table.h"

#include "lexicon/text.h"

namespace velmora {

void HitTable::Reset() {
  NumberOfFocusStrings = 0;
  FocusStrings.assign(1, std::string());
  FocusStringCounts.assign(1, 0);
  FocusStringExamples.assign(1, std::string());
  exampleChars_.assign(1, 0);
  slots_.assign(64, 0);
  hashes_.assign(1, 0);
}

// The slot that holds the row of text, or the free slot where it would go.
size_t HitTable::SlotOf(std::string_view text, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const uint32_t row = slots_[i];
    if (row == 0 || (hashes_[row] == hash && FocusStrings[row] == text)) return i;
  }
}

void HitTable::Grow() {
  slots_.assign(slots_.size() * 2, 0);
  const size_t mask = slots_.size() - 1;
  for (int32_t row = 1; row <= NumberOfFocusStrings; ++row) {
    size_t i = hashes_[static_cast<size_t>(row)] & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = static_cast<uint32_t>(row);
  }
}

void HitTable::DealWithFocusStrings(std::string_view MyFocusString, std::string_view spelling, int32_t limit) {
  const int32_t k = Find(MyFocusString);
  if (k == 0) {
    AddRow(MyFocusString, spelling);
  } else {
    AddToRow(k, spelling, limit);
  }
}

int32_t HitTable::Find(std::string_view MyFocusString) const {
  return static_cast<int32_t>(slots_[SlotOf(MyFocusString, HashBytes(MyFocusString))]);
}

int32_t HitTable::AddRow(std::string_view MyFocusString, std::string_view spelling) {
  ++NumberOfFocusStrings;
  FocusStrings.emplace_back(MyFocusString);
  FocusStringCounts.push_back(1);
  FocusStringExamples.emplace_back(spelling);
  exampleChars_.push_back(CharCount(spelling));
  const uint64_t hash = HashBytes(MyFocusString);
  hashes_.push_back(hash);
  uint32_t& slot = slots_[SlotOf(MyFocusString, hash)];
  if (slot == 0) slot = static_cast<uint32_t>(NumberOfFocusStrings);  // an equal earlier row stays the one found
  if (static_cast<size_t>(NumberOfFocusStrings) * 2 > slots_.size()) Grow();
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
