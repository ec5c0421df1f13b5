#include "search/query.h"

#include <utility>

#include "lexicon/text.h"

namespace velmora {

int32_t SetSearchStringLength(const std::array<std::string, kMaxItems>& items) {
  int32_t k = 0;
  while (k < kMaxItems && !TrimView(items[static_cast<size_t>(k)]).empty()) ++k;
  return k;
}

std::string SearchStringDisplay(const std::array<std::string, kMaxItems>& items) {
  std::string s = items[0];
  for (size_t b = 1; b < items.size(); ++b) {
    s += ' ';
    s += items[b];
  }
  return Trim(s);
}

Refusal ValidateItems(std::array<std::string, kMaxItems>& items, const Lexicon& lexicon) {
  bool any = false;
  for (std::string& item : items) {
    item = Trim(item);
    any = any || !item.empty();
  }
  if (!any) return {Refusal::kNoItems, 0};
  for (bool moved = true; moved;) {
    moved = false;
    for (size_t i = 0; i + 1 < items.size(); ++i) {
      if (items[i].empty() && !items[i + 1].empty()) {
        items[i] = std::move(items[i + 1]);
        items[i + 1].clear();
        moved = true;
        break;
      }
    }
  }
  for (size_t p = 0; p < items.size(); ++p) {
    if (items[p].empty()) continue;
    const std::string item = Lower(items[p]);
    bool legal = false;
    for (int32_t j = 1; j <= lexicon.NumberOfPhonemes && !legal; ++j) legal = Lower(lexicon.Phonemes[j]) == item;
    const ClassTable& classes = lexicon.classes;
    for (int32_t k = 1; k <= classes.NumberOfNaturalClasses && !legal; ++k) {
      legal = Lower(classes.NaturalClassNames[k]) == item;
    }
    if (!legal) return {Refusal::kIllegalItem, static_cast<int>(p) + 1};
  }
  return {};
}

}  // namespace velmora
