// SPDX-License-Identifier: GPL-3.0-or-later
// A search of up to five items compiled into a pattern over symbol ids, and
// its matcher. Each item matches a number of consecutive segments: exactly one
// (today's items), zero or one (X?), zero or more (X*, ...), one or more (X+).
// At a start position the items are matched left to right as a regular
// expression with greedy quantifiers, the first successful way in greedy order
// being the one reported: the first item takes as many segments as still lets
// the rest match, then the second, and so on.
//
// The matcher works out, once per entry, from which positions the items from
// k onwards can match (a pass over the entry per item), so that an entry
// costs O(items x length) whatever the pattern, and each start position then
// costs O(items) plus the segments matched. Patterns of exactly-one items skip
// that and compare as today's loop does.
#ifndef VELMORA_SEARCH_PATTERN_H_
#define VELMORA_SEARCH_PATTERN_H_

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "features/feature_table.h"
#include "lexicon/segmentation.h"
#include "search/item_syntax.h"

namespace velmora {

struct PatternItem {
  std::vector<uint8_t> matches;  // by symbol id, 1 = the item matches that segment
  uint8_t min = 1;               // fewest segments: 0 or 1
  bool many = false;             // no upper bound (else at most one)
};

// The matches of one name by the one matching rule, by symbol id (for the
// search: CompileItem(name, symbols, classes).matches).
using MatchesOfName = std::function<std::vector<uint8_t>(std::string_view name)>;

// Compiles one read box. features is the table the item's bundle was read
// with (unused when it has none). `...`, negated items and bundles never
// match the word boundaries [ and ]; names and alternations match them by
// name. An unknown name (a box that was not validated) matches by the one
// matching rule too; a malformed box matches nothing.
PatternItem CompilePatternItem(const ParsedItem& item, const MatchesOfName& matchesOfName, const SymbolTable& symbols,
                               const FeatureTable* features);

class Pattern {
 public:
  Pattern() = default;
  explicit Pattern(std::vector<PatternItem> items);

  const std::vector<PatternItem>& items() const { return items_; }
  int32_t size() const { return static_cast<int32_t>(items_.size()); }
  // True when every item takes exactly one segment.
  bool exactlyOne() const { return allExactlyOne_; }

  // Prepares the matching of one entry: row[0..length-1] are its segment ids,
  // each below the size of every item's matches (the row must stay valid
  // until the next BeginEntry). Returns false when no start position of the
  // entry matches, so the caller may skip it; true when one does, except that
  // a pattern of exactly-one items answers true when the entry is long enough
  // and holds a segment of its most selective item (its starts are then
  // tested directly).
  bool BeginEntry(const SymbolId* row, int32_t length);

  // Whether all items match starting exactly at start (0 <= start < length)
  // of the entry begun last; if so, ends[k] is the position just after the
  // segments item k matched (item k took ends[k-1] .. ends[k], item 0 from
  // start), by the first successful way in greedy order.
  bool MatchAt(int32_t start, int32_t* ends);

  // BeginEntry then MatchAt, for a single start position.
  bool MatchAt(const SymbolId* row, int32_t length, int32_t start, int32_t* ends) {
    BeginEntry(row, length);
    return MatchAt(start, ends);
  }

 private:
  std::vector<PatternItem> items_;
  bool allExactlyOne_ = true;
  std::vector<int32_t> required_;  // items of min 1, checked first for an early no

  const SymbolId* row_ = nullptr;
  int32_t length_ = 0;
  bool dead_ = false;  // no start position of this entry matches
  // For k in 0..n and p in 0..length_, at [k * (length_ + 1) + p]:
  // feasible_: the largest q <= p from which items k..n-1 match (for k = n,
  // every q), -1 when none; reach_ (k < n): p plus the most segments item k
  // can take from p.
  std::vector<int32_t> feasible_;
  std::vector<int32_t> reach_;
};

}  // namespace velmora

#endif  // VELMORA_SEARCH_PATTERN_H_
