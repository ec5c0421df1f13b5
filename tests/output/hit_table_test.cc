// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/hit_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

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

// An example is added while the list holds no more characters than the limit
// (counted in characters, not bytes); then the list closes with " ...". A
// list that already ends in three dots counts as closed; a word hit twice is
// listed twice. Every hit is counted either way.
TEST(HitTable, ExampleListsCloseOnceLongerThanTheLimit) {
  struct Case {
    std::vector<const char*> words;
    int32_t limit;
    const char* examples;
  } cases[] = {
      {{"cat", "dog", "eel", "fox"}, 6, "cat dog ..."},
      {{"long", "b", "c"}, 0, "long ..."},
      {{"\xC3\xA9\xC3\xA9", "x", "y"}, 2, "\xC3\xA9\xC3\xA9 x ..."},
      {{"etc...", "more"}, 100, "etc..."},
      {{"banana", "banana"}, 100, "banana banana"},
  };
  for (const Case& c : cases) {
    HitTable t;
    for (const char* w : c.words) t.DealWithFocusStrings("F", w, c.limit);
    EXPECT_EQ(t.FocusStringExamples[1], c.examples);
    EXPECT_EQ(t.FocusStringCounts[1], static_cast<int32_t>(c.words.size())) << c.examples;
  }
}

}  // namespace
}  // namespace velmora
