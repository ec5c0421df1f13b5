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

TEST(LexicalFilters, BoundsAreInclusive) {
  LexicalFilters f;
  EXPECT_TRUE(f.Passes(-5, ""));
  f.minFrequency = 10;
  f.maxFrequency = 20;
  EXPECT_FALSE(f.Passes(9, "AH0"));
  EXPECT_TRUE(f.Passes(10, "AH0"));
  EXPECT_TRUE(f.Passes(20, "AH0"));
  EXPECT_FALSE(f.Passes(21, "AH0"));

  LexicalFilters s;
  s.segments = CountRange{2, 3};
  EXPECT_FALSE(s.Passes(0, "K"));
  EXPECT_TRUE(s.Passes(0, "K AE1"));
  EXPECT_TRUE(s.Passes(0, " K  AE1 T "));  // blanks around and between symbols count nothing
  EXPECT_FALSE(s.Passes(0, "K AE1 T S"));
  s.segments = CountRange{0, 0};
  EXPECT_TRUE(s.Passes(0, ""));
}

TEST(LexicalFilters, VowelsAreTheSymbolsEndingInAStressDigit) {
  LexicalFilters f;
  f.syllables = CountRange{2, 2};
  EXPECT_TRUE(f.Passes(0, "T EY1 B AH0 L"));
  EXPECT_FALSE(f.Passes(0, "T EY1 B L"));
  EXPECT_TRUE(f.Passes(0, "AH2 B3 OW0"));  // a 3 marks no vowel
  EXPECT_FALSE(f.Passes(0, "AH2 EY1 OW0"));
}

TEST(LexicalFilters, AStressPatternNamesEveryVowelInOrder) {
  LexicalFilters f;
  f.stress = "10";
  EXPECT_TRUE(f.Passes(0, "T EY1 B AH0 L"));
  EXPECT_FALSE(f.Passes(0, "AH0 B AW1 T"));
  EXPECT_FALSE(f.Passes(0, "T EY1 B"));            // too few vowels
  EXPECT_FALSE(f.Passes(0, "EY1 B AH0 L IH0 T"));  // too many
  f.stress = ".1";
  EXPECT_TRUE(f.Passes(0, "AH0 B AW1 T"));
  EXPECT_TRUE(f.Passes(0, "AE2 B AW1 T"));
  EXPECT_FALSE(f.Passes(0, "AE1 B AW0 T"));
  f.stress = "2.0";
  EXPECT_TRUE(f.Passes(0, "AE2 B AH1 K AH0 S"));
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
