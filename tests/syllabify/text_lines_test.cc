#include "syllabify/text_lines.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_files.h"

namespace velmora::syllabify {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLinesTest, FieldsKeepEmptiesAndSegmentsNever) {
  EXPECT_EQ(SplitFields("a\t\tb\t"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitFields(""), Lines{""});
  EXPECT_EQ(SplitSegments("  T  AE1 B "), (Lines{"T", "AE1", "B"}));
  EXPECT_EQ(SplitSegments("   "), Lines{});
}

TEST(TextLinesTest, WritesCrLfOverAnEarlierFileOrThroughALinkAndReportsFilesByName) {
  testing::TempFolder folder;
  testing::WriteFile(folder.Path("x.txt"), "an earlier, longer text\n");
  std::string error;
  ASSERT_TRUE(WriteLines(folder.Path("x.txt"), {"one", "", "two\tthree"}, &error)) << error;
  EXPECT_EQ(testing::ReadFile(folder.Path("x.txt")), "one\r\n\r\ntwo\tthree\r\n");
  Lines lines;
  ASSERT_TRUE(ReadLines(folder.Path("x.txt"), &lines, &error)) << error;
  EXPECT_EQ(lines, (Lines{"one", "", "two\tthree"}));
  // A link is written through, not replaced by a file of its own.
  std::filesystem::create_symlink(folder.Path("x.txt"), folder.Path("link.txt"));
  ASSERT_TRUE(WriteLines(folder.Path("link.txt"), {"new"}, &error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.txt")));
  EXPECT_EQ(testing::ReadFile(folder.Path("x.txt")), "new\r\n");

  EXPECT_FALSE(ReadLines(folder.Path("missing.txt"), &lines, &error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
  error.clear();
  EXPECT_FALSE(WriteLines(folder.Path("no/such/folder.txt"), {"x"}, &error));
  EXPECT_NE(error.find("folder.txt"), std::string::npos);
}

}  // namespace
}  // namespace velmora::syllabify
