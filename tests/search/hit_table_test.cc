#include "search/hit_table.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(HitTable, RowsKeepTheOrderOfFirstOccurrence) {
  HitTable t;
  t.DealWithFocusStrings("B", "bee", 100);
  t.DealWithFocusStrings("A", "ay", 100);
  t.DealWithFocusStrings("B", "bob", 100);
  t.DealWithFocusStrings("b", "low", 100);  // case counts
  t.DealWithFocusStrings("", "none", 100);  // the empty focus string is a row too
  ASSERT_EQ(t.NumberOfFocusStrings, 4);
  EXPECT_EQ(t.FocusStrings, (std::vector<std::string>{"", "B", "A", "b", ""}));
  EXPECT_EQ(t.FocusStringCounts, (std::vector<int32_t>{0, 2, 1, 1, 1}));
  EXPECT_EQ(t.FocusStringExamples[1], "bee bob");
  t.Reset();
  EXPECT_EQ(t.NumberOfFocusStrings, 0);
  t.DealWithFocusStrings("B", "x", 100);
  EXPECT_EQ(t.FocusStringCounts[1], 1);
}

// Thousands of rows, each hit three times in turns: every hit finds its own
// row while the index regrows, and the rows stay in order of first occurrence.
TEST(HitTable, ManyRowsEachFoundAgain) {
  HitTable t;
  constexpr int kRows = 10000;
  for (int round = 0; round < 3; ++round) {
    for (int r = 0; r < kRows; ++r) t.DealWithFocusStrings("F\t" + std::to_string(r), "w", 1000);
  }
  ASSERT_EQ(t.NumberOfFocusStrings, kRows);
  for (int r = 0; r < kRows; ++r) {
    ASSERT_EQ(t.FocusStrings[static_cast<size_t>(r) + 1], "F\t" + std::to_string(r));
    ASSERT_EQ(t.FocusStringCounts[static_cast<size_t>(r) + 1], 3);
    ASSERT_EQ(t.Find("F\t" + std::to_string(r)), r + 1);
  }
  EXPECT_EQ(t.Find("F\t" + std::to_string(kRows)), 0);
}

TEST(HitTable, ExampleListsCloseOnceLongerThanTheLimit) {
  HitTable t;
  for (const char* w : {"cat", "dog", "eel", "fox"}) t.DealWithFocusStrings("F", w, 6);
  EXPECT_EQ(t.FocusStringExamples[1], "cat dog ...");
  EXPECT_EQ(t.FocusStringCounts[1], 4);
}

TEST(HitTable, LimitZeroKeepsTheFirstSpellingOnly) {
  HitTable t;
  for (const char* w : {"long", "b", "c"}) t.DealWithFocusStrings("F", w, 0);
  EXPECT_EQ(t.FocusStringExamples[1], "long ...");
  EXPECT_EQ(t.FocusStringCounts[1], 3);
}

TEST(HitTable, LengthIsCountedInCharacters) {
  HitTable t;
  // "é" is two bytes but one character: "éé" (2 characters) is within a limit of 2.
  t.DealWithFocusStrings("F", "\xC3\xA9\xC3\xA9", 2);
  t.DealWithFocusStrings("F", "x", 2);
  t.DealWithFocusStrings("F", "y", 2);
  EXPECT_EQ(t.FocusStringExamples[1], "\xC3\xA9\xC3\xA9 x ...");
}

TEST(HitTable, AListEndingInThreeDotsCountsAsClosed) {
  HitTable t;
  t.DealWithFocusStrings("F", "etc...", 100);
  t.DealWithFocusStrings("F", "more", 100);
  EXPECT_EQ(t.FocusStringExamples[1], "etc...");
  EXPECT_EQ(t.FocusStringCounts[1], 2);
}

TEST(HitTable, AWordHitTwiceIsListedTwice) {
  HitTable t;
  t.DealWithFocusStrings("F", "banana", 100);
  t.DealWithFocusStrings("F", "banana", 100);
  EXPECT_EQ(t.FocusStringExamples[1], "banana banana");
}

}  // namespace
}  // namespace velmora
