// SPDX-License-Identifier: GPL-3.0-or-later
// Search items compiled once per search into the set of symbol ids they match,
// by the one matching rule (ItemRule of classes/natural_classes.h), so that
// the search loop compares integers.
#ifndef VELMORA_SEARCH_MATCHER_H_
#define VELMORA_SEARCH_MATCHER_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "classes/natural_classes.h"
#include "lexicon/segmentation.h"

namespace velmora {

// matches[id] is 1 when the symbol with that id satisfies the item.
struct CompiledItem {
  std::vector<uint8_t> matches;
  bool operator()(SymbolId id) const { return matches[id] != 0; }
};

CompiledItem CompileItem(std::string_view item, const SymbolTable& symbols, const ClassTable& classes);

}  // namespace velmora

#endif  // VELMORA_SEARCH_MATCHER_H_
