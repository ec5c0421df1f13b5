#include <gtest/gtest.h>

#include <random>

#include "classes/natural_classes.h"
#include "platform/text.h"
#include "search/matcher.h"

namespace velmora {
namespace {

ClassTable MakeClasses(std::vector<std::pair<std::string, std::vector<std::string>>> classes) {
  ClassTable t;
  for (auto& [name, members] : classes) {
    int32_t k = t.AddClass(name);
    for (auto& m : members) t.AddMember(k, m);
  }
  return t;
}

// A symbol satisfies an item equal to it or a class holding it, letter case
// ignored on both sides; equality wins over a class of the same name, the
// first class of a name decides, an empty member matches only the empty segment.
TEST(Satisfies, EqualityOrClassMembershipIgnoringCase) {
  const ClassTable t = MakeClasses(
      {{"CONSONANT", {"b", "D"}}, {"Vowel", {"AY1"}}, {"STOP", {"P"}}, {"stop", {"T"}}, {"X", {"Y"}}, {"GAP", {"", "A"}}});
  struct Case {
    const char* symbol;
    const char* item;
    bool satisfies;
  } cases[] = {
      {"AY1", "AY1", true}, {"ay1", "AY1", true}, {"AY1", "aY1", true}, {"AY0", "AY1", false}, {"[", "[", true},
      {"]", "[", false},    {"B", "consonant", true}, {"d", "cOnSoNaNt", true}, {"AY1", "CONSONANT", false},
      {"ay1", "vowel", true}, {"AY1", "nosuchclass", false}, {"P", "Stop", true}, {"T", "Stop", false},
      {"x", "X", true},     {"Y", "X", true},        {"", "GAP", true},     {"B", "GAP", false}, {"", "VOWEL", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Satisfies(t, c.symbol, c.item), c.satisfies) << c.symbol << " " << c.item;
  EXPECT_FALSE(Satisfies(ClassTable(), "B", "CONSONANT"));  // no classes loaded
  EXPECT_TRUE(IsInNaturalClass(t, "ay1", "vowel"));
  EXPECT_FALSE(IsInNaturalClass(t, "T", "Stop"));
}

TEST(ParseClassFile, TrimsSpacesAndKeepsBlankLines) {
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

// The compiled matcher must answer exactly what the rule answers when applied
// literally, for any item, class table and symbol, the empty symbol included.
TEST(CompiledMatcher, AgreesWithTheLiteralRuleOnRandomCases) {
  std::mt19937 rng(20261206);
  const std::vector<std::string> pool = {"", "a", "A", "b", "B", "AY1", "ay1", "ay0", "[", "]", "BCoda", "bcoda",
                                         "\xC3\x89", "\xC3\xA9", "vowel", "VOWEL", "Cons", "cons", "x y", "\xFF"};
  auto pick = [&] { return pool[rng() % pool.size()]; };
  for (int round = 0; round < 3000; ++round) {
    ClassTable classes;
    int nClasses = static_cast<int>(rng() % 4);
    for (int c = 0; c < nClasses; ++c) {
      int32_t k = classes.AddClass(pick());
      int nMembers = static_cast<int>(rng() % 4);
      for (int m = 0; m < nMembers; ++m) classes.AddMember(k, pick());
    }
    SymbolTable symbols;
    int nSymbols = 1 + static_cast<int>(rng() % 6);
    for (int s = 0; s < nSymbols; ++s) symbols.Intern(pick());
    const std::string item = pick();
    CompiledItem compiled = CompileItem(item, symbols, classes);
    for (SymbolId id = 0; id < symbols.size(); ++id) {
      ASSERT_EQ(compiled(id), Literal(classes, symbols.Text(id), item))
          << "item '" << item << "' symbol '" << symbols.Text(id) << "' round " << round;
    }
  }
}

}  // namespace
}  // namespace velmora
