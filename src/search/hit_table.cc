#include "search/hit_table.h"

#include "lexicon/text.h"

namespace velmora {

void HitTable::Reset() {
  NumberOfFocusStrings = 0;
  FocusStrings.assign(1, std::string());
  FocusStringCounts.assign(1, 0);
  FocusStringExamples.assign(1, std::string());
  exampleChars_.assign(1, 0);
  index_.clear();
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
  auto it = index_.find(MyFocusString);
  return it == index_.end() ? 0 : it->second;
}

int32_t HitTable::AddRow(std::string_view MyFocusString, std::string_view spelling) {
  ++NumberOfFocusStrings;
  FocusStrings.emplace_back(MyFocusString);
  FocusStringCounts.push_back(1);
  FocusStringExamples.emplace_back(spelling);
  exampleChars_.push_back(CharCount(spelling));
  index_.emplace(std::string(MyFocusString), NumberOfFocusStrings);
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
