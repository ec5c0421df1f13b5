#include <gtest/gtest.h>

#include <random>

#include "classes/natural_classes.h"
#include "platform/text.h"
#include "search/matcher.h"

namespace velmora {
namespace {

// A symbol satisfies an item equal to it or a class holding it, letter case
// ignored on both sides; equality wins over a class of the same name, the
// first class of a name decides, an empty member matches only the empty segment.
TEST(Satisfies, EqualityOrClassMembershipIgnoringCase) {
  ClassTable t;
  for (const auto& [name, members] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"CONSONANT", {"b", "D"}}, {"Vowel", {"AY1"}}, {"STOP", {"P"}}, {"stop", {"T"}}, {"X", {"Y"}},
           {"GAP", {"", "A"}}}) {
    const int32_t k = t.AddClass(name);
    for (const std::string& m : members) t.AddMember(k, m);
  }
  const struct { const char* symbol; const char* item; bool satisfies; } cases[] = {
      {"AY1", "AY1", true}, {"ay1", "AY1", true}, {"AY1", "aY1", true}, {"AY0", "AY1", false}, {"[", "[", true},
      {"]", "[", false},    {"B", "consonant", true}, {"d", "cOnSoNaNt", true}, {"AY1", "CONSONANT", false},
      {"ay1", "vowel", true}, {"AY1", "nosuchclass", false}, {"P", "Stop", true}, {"T", "Stop", false},
      {"x", "X", true},     {"Y", "X", true},        {"", "GAP", true},     {"B", "GAP", false}, {"", "VOWEL", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Satisfies(t, c.symbol, c.item), c.satisfies) << c.symbol << " " << c.item;
  EXPECT_FALSE(Satisfies(ClassTable(), "B", "CONSONANT"));  // no classes loaded
  EXPECT_TRUE(IsInNaturalClass(t, "ay1", "vowel"));
  EXPECT_FALSE(IsInNaturalClass(t, "T", "Stop"));
  EXPECT_EQ(ParseClassFile(" P \r\n\r\n\tT\r\nk"), (std::vector<std::string>{"P", "", "\tT", "k"}));
}

// The rule written out literally: lowered equality, else membership (lowered)
// in the first class whose lowered name equals the item.
bool Literal(const ClassTable& t, const std::string& segment, const std::string& item) {
  if (Lower(segment) == Lower(item)) return true;
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
      ASSERT_EQ(compiled(id), Literal(classes, symbols.Text(id), item))
          << "item '" << item << "' symbol '" << symbols.Text(id) << "' round " << round;
    }
  }
}

}  // namespace
}  // namespace velmora
