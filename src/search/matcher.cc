#include "search/matcher.h"

#include "lexicon/text.h"

namespace velmora {

CompiledItem CompileItem(std::string_view item, const SymbolTable& symbols, const ClassTable& classes) {
  CompiledItem compiled;
  compiled.matches.assign(symbols.size(), 0);
  // The class that decides membership: the first whose lowered name equals the
  // lowered item (or none).
  const std::string lowered = Lower(item);
  int32_t decidingClass = 0;
  for (int32_t k = 1; k <= classes.NumberOfNaturalClasses && decidingClass == 0; ++k) {
    if (Lower(classes.NaturalClassNames[k]) == lowered) decidingClass = k;
  }
  std::vector<std::string> members;
  if (decidingClass != 0) {
    for (int32_t m = 1; m <= classes.NaturalClassSizes[decidingClass]; ++m) {
      members.push_back(Lower(classes.NaturalClassMembers[decidingClass][m]));
    }
  }
  for (SymbolId id = 0; id < symbols.size(); ++id) {
    const std::string segment = Lower(symbols.Text(id));
    bool match = segment == lowered;
    for (size_t m = 0; m < members.size() && !match; ++m) match = members[m] == segment;
    compiled.matches[id] = match ? 1 : 0;
  }
  return compiled;
}

}  // namespace velmora
