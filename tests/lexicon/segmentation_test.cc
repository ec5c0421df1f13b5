#include "lexicon/segmentation.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string Name(int i) {
  std::string name = "S";
  name += std::to_string(i);
  return name;
}

TEST(SymbolTable, GivesEachTextOneIdAndKeepsThemThroughGrowth) {
  SymbolTable t;
  EXPECT_EQ(t.Intern(""), 0u);
  std::vector<SymbolId> ids;
  for (int i = 0; i < 5000; ++i) ids.push_back(t.Intern(Name(i)));
  for (int i = 0; i < 5000; ++i) {
    EXPECT_EQ(t.Intern(Name(i)), ids[i]);
    EXPECT_EQ(t.Text(ids[i]), Name(i));
  }
  EXPECT_EQ(t.size(), 5001u);
  EXPECT_NE(t.Intern("s0"), t.Intern("S0"));  // case counts
  t.Clear();
  EXPECT_EQ(t.size(), 1u);
  EXPECT_EQ(t.Intern("S4999"), 1u);
}

TEST(SegmentTable, AnswersTheEmptySegmentBeyondAnEntryAndWhenUnfilled) {
  SegmentTable t;
  EXPECT_EQ(t.At(1, 1), 0u);
  t.BeginEntry();
  t.Append(5);
  t.Append(6);
  t.BeginEntry();
  t.Finish();
  EXPECT_EQ(t.At(1, 2), 6u);
  EXPECT_EQ(t.At(1, 3), 0u);
  EXPECT_EQ(t.At(2, 1), 0u);
  EXPECT_EQ(t.At(3, 1), 0u);
}

}  // namespace
}  // namespace velmora
