// The lexical filters: their values as the front ends give them, and an
// entry's frequency, segments, vowels and stress at the edges of each filter.
#include "search/filters.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Each value by its reader: 'r' range, 'f' frequency, 's' stress; read back as
// text ("none" for an empty value, nullptr for a refused one).
TEST(FilterValues, ReadOrRefused) {
  const struct { char kind; const char* text; const char* read; } cases[] = {
      {'r', "2-4", "2-4"}, {'r', "2-", "2-"}, {'r', "-4", "-4"}, {'r', "3", "3"}, {'r', "0", "0"},
      {'r', "0-", "0-"}, {'r', "5-5", "5"}, {'r', "", "none"}, {'r', "-", nullptr}, {'r', "5-3", nullptr},
      {'r', "a-b", nullptr}, {'r', "1-2-3", nullptr}, {'r', "+2", nullptr}, {'r', "2 -4", nullptr},
      {'r', "-1-", nullptr}, {'r', "1.5", nullptr}, {'f', "0", "0"}, {'f', "", "none"}, {'f', "-1", nullptr},
      {'f', "+1", nullptr}, {'f', "1.0", nullptr}, {'f', "x", nullptr}, {'f', "99999999999", nullptr},
      {'s', ".10.2", ".10.2"}, {'s', "3", nullptr}, {'s', "1 0", nullptr}, {'s', "a", nullptr}, {'s', "*", nullptr},
  };
  for (const auto& c : cases) {
    std::optional<CountRange> range;
    std::optional<int32_t> n;
    std::string stress;
    bool ok = false;
    std::string read = "none";
    if (c.kind == 'r' && (ok = ParseCountRange(c.text, &range)) && range) read = range->Text();
    if (c.kind == 'f' && (ok = ParseFrequency(c.text, &n)) && n) read = std::to_string(*n);
    if (c.kind == 's' && (ok = ParseStressPattern(c.text, &stress)) && !stress.empty()) read = stress;
    EXPECT_EQ(ok, c.read != nullptr) << c.text;
    EXPECT_EQ(read, ok ? c.read : "none") << c.text;
  }
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
  EXPECT_EQ(FiltersSuffix(LexicalFilters()), "");
  EXPECT_EQ(FiltersSuffix(Stress(".1")), " (filters: stress .1)");
  EXPECT_EQ(FiltersSuffix(Filters("0", "7", "3-5", "2-", ".1")),
            " (filters: min frequency 0, max frequency 7, segments 3-5, syllables 2-, stress .1)");
}

}  // namespace
}  // namespace velmora
