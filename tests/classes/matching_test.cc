// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "classes/natural_classes.h"
#include "platform/text.h"
#include "search/matcher.h"

namespace velmora {
namespace {

// Membership written out literally: the segment (lowered) in the first class
// whose lowered name equals the item. The rule: lowered equality, else that.
bool LiteralMember(const ClassTable& t, const std::string& segment, const std::string& item) {
  for (int32_t k = 1; k <= t.NumberOfNaturalClasses; ++k) {
    if (Lower(t.NaturalClassNames[k]) != Lower(item)) continue;
    for (int32_t m = 1; m <= t.NaturalClassSizes[k]; ++m) {
      if (Lower(t.NaturalClassMembers[k][m]) == Lower(segment)) return true;
    }
    return false;
  }
  return false;
}

// The compiled matcher answers what the rule applied literally answers, for
// any item, class table and symbol, the empty symbol included.
TEST(CompiledMatcher, AgreesWithTheLiteralRuleOnRandomCases) {
  std::mt19937 rng(20261206);
  const std::vector<std::string> pool = {"", "a", "A", "b", "B", "AY1", "ay1", "ay0", "[", "]", "BCoda", "bcoda",
                                         "\xC3\x89", "\xC3\xA9", "vowel", "VOWEL", "Cons", "cons", "x y", "\xFF"};
  auto pick = [&] { return pool[rng() % pool.size()]; };
  EXPECT_EQ(ParseClassFile(" P \r\n\r\n\tT\r\nk"), (std::vector<std::string>{"P", "", "\tT", "k"}));
  for (int round = 0; round < 3000; ++round) {
    ClassTable classes;
    for (int c = static_cast<int>(rng() % 4); c > 0; --c) {
      const int32_t k = classes.AddClass(pick());
      for (int m = static_cast<int>(rng() % 4); m > 0; --m) classes.AddMember(k, pick());
    }
    SymbolTable symbols;
    for (int s = 1 + static_cast<int>(rng() % 6); s > 0; --s) symbols.Intern(pick());
    const std::string item = pick();
    const CompiledItem compiled = CompileItem(item, symbols, classes);
    for (SymbolId id = 0; id < symbols.size(); ++id) {
      const std::string& text = symbols.Text(id);
      const bool member = LiteralMember(classes, text, item);
      ASSERT_EQ(compiled(id), Lower(text) == Lower(item) || member)
          << "item '" << item << "' symbol '" << text << "' round " << round;
      ASSERT_EQ(IsInNaturalClass(classes, text, item), member) << item << " " << text;
    }
  }
}

}  // namespace
}  // namespace velmora
