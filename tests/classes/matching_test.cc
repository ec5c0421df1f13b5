#include <gtest/gtest.h>

#include <random>

#include "classes/natural_classes.h"
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

TEST(Satisfies, SymbolsAndBoundariesMatchIgnoringCase) {
  ClassTable none;
  EXPECT_TRUE(Satisfies(none, "AY1", "AY1"));
  EXPECT_TRUE(Satisfies(none, "ay1", "AY1"));
  EXPECT_TRUE(Satisfies(none, "AY1", "aY1"));
  EXPECT_FALSE(Satisfies(none, "AY0", "AY1"));
  EXPECT_TRUE(Satisfies(none, "[", "["));
  EXPECT_FALSE(Satisfies(none, "]", "["));
  EXPECT_FALSE(Satisfies(none, "B", "CONSONANT"));  // no classes loaded
}

TEST(Satisfies, ClassesMatchTheirMembersIgnoringCase) {
  ClassTable t = MakeClasses({{"CONSONANT", {"b", "D"}}, {"Vowel", {"AY1"}}});
  EXPECT_TRUE(Satisfies(t, "B", "consonant"));
  EXPECT_TRUE(Satisfies(t, "d", "cOnSoNaNt"));
  EXPECT_FALSE(Satisfies(t, "AY1", "CONSONANT"));
  EXPECT_TRUE(IsInNaturalClass(t, "ay1", "vowel"));
  EXPECT_FALSE(IsInNaturalClass(t, "AY1", "nosuchclass"));
}

TEST(Satisfies, TheFirstClassOfANameDecides) {
  ClassTable t = MakeClasses({{"STOP", {"P"}}, {"stop", {"T"}}});
  EXPECT_TRUE(IsInNaturalClass(t, "P", "Stop"));
  EXPECT_FALSE(IsInNaturalClass(t, "T", "Stop"));
}

TEST(Satisfies, EqualityWinsOverAClassOfTheSameName) {
  ClassTable t = MakeClasses({{"X", {"Y"}}});
  EXPECT_TRUE(Satisfies(t, "x", "X"));
  EXPECT_TRUE(Satisfies(t, "Y", "X"));
}

TEST(Satisfies, AnEmptyMemberMatchesOnlyTheEmptySegment) {
  ClassTable t = MakeClasses({{"GAP", {"", "A"}}});
  EXPECT_TRUE(Satisfies(t, "", "GAP"));
  EXPECT_FALSE(Satisfies(t, "B", "GAP"));
  EXPECT_FALSE(Satisfies(MakeClasses({{"FULL", {"A"}}}), "", "FULL"));
}

TEST(ParseClassFile, TrimsSpacesAndKeepsBlankLines) {
  EXPECT_EQ(ParseClassFile(" P \r\n\r\n\tT\r\nk"), (std::vector<std::string>{"P", "", "\tT", "k"}));
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
      ASSERT_EQ(compiled(id), Satisfies(classes, symbols.Text(id), item))
          << "item '" << item << "' symbol '" << symbols.Text(id) << "' round " << round;
    }
  }
}

}  // namespace
}  // namespace velmora
