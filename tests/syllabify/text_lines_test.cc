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
  auto write = [](const std::string& path, const Lines& lines) {
    LinesFile file;
    Status status = file.Open(path);
    return status.ok() ? file.Write(lines) : status;
  };
  ASSERT_TRUE(write(folder.Path("x.txt"), {"one", "", "two\tthree"}).ok());
  EXPECT_EQ(testing::ReadFile(folder.Path("x.txt")), "one\r\n\r\ntwo\tthree\r\n");
  Lines lines;
  ASSERT_TRUE(ReadLines(folder.Path("x.txt"), &lines).ok());
  EXPECT_EQ(lines, (Lines{"one", "", "two\tthree"}));
  // A link is written through, not replaced by a file of its own.
  std::filesystem::create_symlink(folder.Path("x.txt"), folder.Path("link.txt"));
  ASSERT_TRUE(write(folder.Path("link.txt"), {"new"}).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.txt")));
  EXPECT_EQ(testing::ReadFile(folder.Path("x.txt")), "new\r\n");

  EXPECT_EQ(ReadLines(folder.Path("missing.txt"), &lines).path, folder.Path("missing.txt"));
  EXPECT_EQ(write(folder.Path("no/such/folder.txt"), {"x"}).kind, Status::kNotFound);
}

}  // namespace
}  // namespace velmora::syllabify
