// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/matcher.h"

namespace velmora {

CompiledItem CompileItem(std::string_view item, const SymbolTable& symbols, const ClassTable& classes) {
  const ItemRule rule(classes, item);
  CompiledItem compiled;
  compiled.matches.assign(symbols.size(), 0);
  for (SymbolId id = 0; id < symbols.size(); ++id) compiled.matches[id] = rule.Satisfies(symbols.Text(id)) ? 1 : 0;
  return compiled;
}

}  // namespace velmora
