// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/pattern.h"

#include <algorithm>
#include <numeric>

namespace velmora {

PatternItem CompilePatternItem(const ParsedItem& item, const MatchesOfName& matchesOfName, const SymbolTable& symbols,
                               const FeatureTable* features) {
  const size_t size = symbols.size();
  std::vector<uint8_t> boundary(size, 0);
  for (SymbolId id = 0; id < size; ++id) boundary[id] = symbols.Text(id) == "[" || symbols.Text(id) == "]";
  auto ofName = [&](std::string_view name) {
    std::vector<uint8_t> m = matchesOfName(name);
    m.resize(size, 0);
    return m;
  };

  PatternItem compiled;
  switch (item.kind) {
    case ParsedItem::Kind::kPlain:
    case ParsedItem::Kind::kPlainUnknownName:
      compiled.matches = ofName(item.text);
      break;
    case ParsedItem::Kind::kAnySegments:
      compiled.matches.resize(size);
      for (size_t id = 0; id < size; ++id) compiled.matches[id] = boundary[id] ? 0 : 1;
      compiled.min = 0;
      compiled.many = true;
      break;
    case ParsedItem::Kind::kSegment: {
      std::vector<uint8_t> m(size, 0);
      if (item.isBundle) {
        for (SymbolId id = 0; id < size; ++id) {
          m[id] = !boundary[id] && features != nullptr && features->Agrees(symbols.Text(id), item.bundle);
        }
      } else {
        for (const std::string& name : item.names) {
          const std::vector<uint8_t> one = ofName(name);
          for (size_t id = 0; id < size; ++id) m[id] |= one[id];
        }
      }
      if (item.negated) {
        for (size_t id = 0; id < size; ++id) m[id] = !boundary[id] && !m[id];
      }
      compiled.matches = std::move(m);
      compiled.min = item.quantifier == Quantifier::kOne || item.quantifier == Quantifier::kPlus ? 1 : 0;
      compiled.many = item.quantifier == Quantifier::kStar || item.quantifier == Quantifier::kPlus;
      break;
    }
    case ParsedItem::Kind::kMalformed:
      compiled.matches.assign(size, 0);
      break;
  }
  return compiled;
}

Pattern::Pattern(std::vector<PatternItem> items) : items_(std::move(items)) {
  std::vector<size_t> matching(items_.size(), 0);
  for (size_t k = 0; k < items_.size(); ++k) {
    const PatternItem& item = items_[k];
    allExactlyOne_ = allExactlyOne_ && item.min == 1 && !item.many;
    if (item.min == 1) required_.push_back(static_cast<int32_t>(k));
    matching[k] = static_cast<size_t>(std::count(item.matches.begin(), item.matches.end(), uint8_t{1}));
  }
  // The item that matches the fewest symbols is the likeliest to rule an entry out.
  std::stable_sort(required_.begin(), required_.end(),
                   [&](int32_t a, int32_t b) { return matching[static_cast<size_t>(a)] < matching[static_cast<size_t>(b)]; });
}

bool Pattern::BeginEntry(const SymbolId* row, int32_t length) {
  row_ = row;
  length_ = std::max(length, 0);
  const int32_t n = size();
  dead_ = length_ == 0 || (allExactlyOne_ && n > length_);
  // An item that must take a segment and matches none of the entry rules it
  // out. For exactly-one items the likeliest to do so is enough: their starts
  // are tested directly.
  for (size_t r = 0; r < required_.size() && !dead_ && (r == 0 || !allExactlyOne_); ++r) {
    const uint8_t* m = items_[static_cast<size_t>(required_[r])].matches.data();
    int32_t p = 0;
    while (p < length_ && m[row_[p]] == 0) ++p;
    dead_ = p == length_;
  }
  if (dead_ || allExactlyOne_) return !dead_;

  const size_t width = static_cast<size_t>(length_) + 1;
  feasible_.resize((static_cast<size_t>(n) + 1) * width);
  reach_.resize(static_cast<size_t>(n) * width);
  int32_t* last = feasible_.data() + static_cast<size_t>(n) * width;
  std::iota(last, last + width, 0);
  for (int32_t k = n - 1; k >= 0; --k) {
    const PatternItem& item = items_[static_cast<size_t>(k)];
    const uint8_t* m = item.matches.data();
    int32_t* feasible = feasible_.data() + static_cast<size_t>(k) * width;
    int32_t* reach = reach_.data() + static_cast<size_t>(k) * width;
    const int32_t* after = feasible + width;
    // Backwards: can item k take between min and its most segments from p,
    // ending where the items after it match?
    int32_t run = 0;
    for (int32_t p = length_; p >= 0; --p) {
      if (p < length_) run = m[row_[p]] != 0 ? run + 1 : 0;
      const int32_t most = item.many ? run : std::min(run, 1);
      const int32_t low = p + item.min;
      const int32_t high = p + most;
      reach[p] = high;
      feasible[p] = low <= high && after[high] >= low ? p : -1;
    }
    // Forwards: each entry becomes the largest feasible position up to it.
    int32_t best = -1;
    for (int32_t p = 0; p <= length_; ++p) {
      if (feasible[p] == p) best = p;
      feasible[p] = best;
    }
    if (best < 0) {
      dead_ = true;
      return false;
    }
  }
  dead_ = feasible_[static_cast<size_t>(length_) - 1] < 0;
  return !dead_;
}

bool Pattern::MatchAt(int32_t start, int32_t* ends) {
  if (dead_ || start < 0 || start >= length_) return false;
  const int32_t n = size();
  if (allExactlyOne_) {
    if (start + n > length_) return false;
    for (int32_t k = 0; k < n; ++k) {
      if (items_[static_cast<size_t>(k)].matches[row_[start + k]] == 0) return false;
      ends[k] = start + k + 1;
    }
    return true;
  }
  const size_t width = static_cast<size_t>(length_) + 1;
  if (feasible_[static_cast<size_t>(start)] != start) return false;
  int32_t p = start;
  for (int32_t k = 0; k < n; ++k) {
    // The most segments that still let the items after this one match.
    const size_t level = static_cast<size_t>(k) * width;
    p = feasible_[level + width + static_cast<size_t>(reach_[level + static_cast<size_t>(p)])];
    ends[k] = p;
  }
  return true;
}

}  // namespace velmora
