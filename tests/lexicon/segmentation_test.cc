#include "lexicon/segmentation.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// One id per text (case counts), kept through growth; an unfilled table and
// positions beyond an entry answer the empty segment.
TEST(SymbolAndSegmentTables, OneIdPerTextAndTheEmptySegmentBeyond) {
  SymbolTable t;
  EXPECT_EQ(t.Intern(""), 0u);
  for (int i = 0; i < 5000; ++i) EXPECT_EQ(t.Intern("S" + std::to_string(i)), static_cast<SymbolId>(i + 1));
  for (int i = 0; i < 5000; ++i) {
    EXPECT_EQ(t.Intern("S" + std::to_string(i)), static_cast<SymbolId>(i + 1));
    EXPECT_EQ(t.Text(static_cast<SymbolId>(i + 1)), "S" + std::to_string(i));
  }
  EXPECT_EQ(t.Intern("LONG SYMBOL"), t.Intern("LONG SYMBOL"));
  EXPECT_EQ(t.size(), 5002u);
  EXPECT_NE(t.Intern("s0"), t.Intern("S0"));
  t.Clear();
  EXPECT_EQ(t.size(), 1u);
  EXPECT_EQ(t.Intern("S4999"), 1u);
  SegmentTable s;
  EXPECT_EQ(s.At(1, 1), 0u);
  s.BeginEntry();
  s.Append(5);
  s.Append(6);
  s.BeginEntry();
  s.Finish();
  EXPECT_TRUE(s.filled());
  EXPECT_EQ(s.At(1, 2), 6u);
  EXPECT_EQ(s.At(1, 3) + s.At(2, 1) + s.At(3, 1), 0u);
}

}  // namespace
}  // namespace velmora
