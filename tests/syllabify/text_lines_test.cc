#include "syllabify/text_lines.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace velmora::syllabify {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLinesTest, AcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\n\r"), (Lines{"a", ""}));  // LF, then a lone CR
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\tb \r\n"), (Lines{"a\tb "}));
}

TEST(SplitSegmentsTest, BlanksSeparateAndNeverMakeEmptySegments) {
  EXPECT_EQ(SplitSegments("T AE1 B"), (Lines{"T", "AE1", "B"}));
  EXPECT_EQ(SplitSegments("  T  AE1 B "), (Lines{"T", "AE1", "B"}));
  EXPECT_EQ(SplitSegments(""), Lines{});
  EXPECT_EQ(SplitSegments("   "), Lines{});
}

TEST(SplitFieldsTest, KeepsEmptyFields) {
  EXPECT_EQ(SplitFields("a\t\tb\t"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitFields(""), Lines{""});
}

TEST(TextFileTest, WritesCrLfAndReadsItBack) {
  testing::TempFolder folder;
  std::string error;
  ASSERT_TRUE(WriteLines(folder.Path("x.txt"), {"one", "", "two\tthree"}, &error)) << error;
  EXPECT_EQ(testing::ReadFile(folder.Path("x.txt")), "one\r\n\r\ntwo\tthree\r\n");
  Lines lines;
  ASSERT_TRUE(ReadLines(folder.Path("x.txt"), &lines, &error)) << error;
  EXPECT_EQ(lines, (Lines{"one", "", "two\tthree"}));
}

TEST(TextFileTest, ReportsFilesThatCannotBeOpened) {
  testing::TempFolder folder;
  std::string error;
  Lines lines;
  EXPECT_FALSE(ReadLines(folder.Path("missing.txt"), &lines, &error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
  error.clear();
  EXPECT_FALSE(WriteLines(folder.Path("no/such/folder.txt"), {"x"}, &error));
  EXPECT_NE(error.find("folder.txt"), std::string::npos);
}

}  // namespace
}  // namespace velmora::syllabify
