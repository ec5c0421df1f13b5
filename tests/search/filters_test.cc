// The lexical filters: their values as the command line, the settings file
// and the window give them, and an entry's frequency, segments, vowels and
// stress at the edges of each filter.
#include "search/filters.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CountRangeText, ReadsEveryFormAndWritesItBack) {
  for (const char* text : {"2-4", "2-", "-4", "3", "0"}) {
    std::optional<CountRange> range;
    ASSERT_TRUE(ParseCountRange(text, &range)) << text;
    ASSERT_TRUE(range.has_value()) << text;
    EXPECT_EQ(range->Text(), text);
  }
  std::optional<CountRange> range;
  ASSERT_TRUE(ParseCountRange("0-", &range));
  EXPECT_EQ(range->Text(), "0-");
  ASSERT_TRUE(ParseCountRange("5-5", &range));
  EXPECT_EQ(range->Text(), "5");
  ASSERT_TRUE(ParseCountRange("", &range));
  EXPECT_FALSE(range.has_value());
  for (const char* bad : {"-", "5-3", "a-b", "1-2-3", "+2", "2 -4", "-1-", "1.5"}) {
    EXPECT_FALSE(ParseCountRange(bad, &range)) << bad;
  }
}

TEST(FilterValues, FrequenciesAreWholeNumbersAndStressPatternsDigitsAndDots) {
  std::optional<int32_t> n;
  EXPECT_TRUE(ParseFrequency("0", &n));
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(ParseFrequency("", &n));
  EXPECT_FALSE(n.has_value());
  for (const char* bad : {"-1", "+1", "1.0", "x", "99999999999"}) EXPECT_FALSE(ParseFrequency(bad, &n)) << bad;
  std::string stress;
  EXPECT_TRUE(ParseStressPattern(".10.2", &stress));
  EXPECT_EQ(stress, ".10.2");
  for (const char* bad : {"3", "1 0", "a", "*"}) EXPECT_FALSE(ParseStressPattern(bad, &stress)) << bad;
}

LexicalFilters Filters(const char* min, const char* max, const char* segments = "", const char* syllables = "",
                       const char* stress = "") {
  LexicalFilters f;
  EXPECT_TRUE(ParseFrequency(min, &f.minFrequency) && ParseFrequency(max, &f.maxFrequency) &&
              ParseCountRange(segments, &f.segments) && ParseCountRange(syllables, &f.syllables) &&
              ParseStressPattern(stress, &f.stress));
  return f;
}

LexicalFilters Stress(const char* pattern) { return Filters("", "", "", "", pattern); }

// Bounds are inclusive; blanks count nothing; vowels are the symbols ending
// in a stress digit; a stress pattern names every vowel in order.
TEST(LexicalFilters, AnEntryPassesWhenEveryFilterHolds) {
  const struct { LexicalFilters f; int32_t frequency; const char* transcription; bool passes; } cases[] = {
      {Filters("", ""), -5, "", true},             {Filters("10", "20"), 9, "AH0", false},
      {Filters("10", "20"), 10, "AH0", true},      {Filters("10", "20"), 20, "AH0", true},
      {Filters("10", "20"), 21, "AH0", false},     {Filters("", "", "2-3"), 0, "K", false},
      {Filters("", "", "2-3"), 0, " K  AE1 T ", true}, {Filters("", "", "2-3"), 0, "K AE1 T S", false},
      {Filters("", "", "0"), 0, "", true},         {Filters("", "", "", "2"), 0, "T EY1 B AH0 L", true},
      {Filters("", "", "", "2"), 0, "T EY1 B L", false}, {Filters("", "", "", "2"), 0, "AH2 EY1 OW0", false},
      {Filters("", "", "", "2"), 0, "AH2 B3 OW0", true},  // a 3 marks no vowel
      {Stress("10"), 0, "T EY1 B AH0 L", true}, {Stress("10"), 0, "AH0 B AW1 T", false},
      {Stress("10"), 0, "T EY1 B", false}, {Stress("10"), 0, "EY1 B AH0 L IH0 T", false},
      {Stress(".1"), 0, "AE2 B AW1 T", true}, {Stress(".1"), 0, "AE1 B AW0 T", false},
      {Stress("2.0"), 0, "AE2 B AH1 K AH0 S", true}, {Stress("2.0"), 0, "AE2 B AH1 K AH1 S", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.f.Passes(c.frequency, c.transcription), c.passes) << c.transcription << FiltersSuffix(c.f);
  }
}

TEST(FiltersSuffix, NamesEverySetFilterAndNothingWithoutOne) {
  LexicalFilters f;
  EXPECT_EQ(FiltersSuffix(f), "");
  f.stress = ".1";
  EXPECT_EQ(FiltersSuffix(f), " (filters: stress .1)");
  f.minFrequency = 0;
  f.maxFrequency = 7;
  f.segments = CountRange{3, 5};
  std::optional<CountRange> syllables;
  ASSERT_TRUE(ParseCountRange("2-", &syllables));
  f.syllables = syllables;
  EXPECT_EQ(FiltersSuffix(f),
            " (filters: min frequency 0, max frequency 7, segments 3-5, syllables 2-, stress .1)");
}

}  // namespace
}  // namespace velmora
