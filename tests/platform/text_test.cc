#include "platform/text.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

TEST(TextFunctions, TrimRemovesSpacesOnly) {
  const std::pair<const char*, const char*> cases[] = {{"  AY1 ", "AY1"}, {"\tAY1\t", "\tAY1\t"}, {"   ", ""}};
  for (const auto& [text, trimmed] : cases) EXPECT_EQ(Trim(text), trimmed);
}

// The leading number, blanks skipped wherever they stand, halves rounded to
// even, saturated to the thirty-two-bit range.
TEST(NumericValue, ReadsRoundsAndSaturatesTheLeadingNumber) {
  const std::pair<const char*, int32_t> cases[] = {
      {"12", 12}, {"", 0}, {" 7 ", 7}, {"40abc", 40}, {"abc", 0}, {"-3 ", -3}, {"+8", 8}, {"1 2 3", 123},
      {"- 4", -4}, {"5-", 5}, {".", 0}, {"-", 0}, {"1e5", 1},
      {"2.5", 2}, {"3.5", 4}, {"100.5", 100}, {"101.5", 102}, {"2.50000001", 3}, {"2.4999", 2}, {"0.5", 0},
      {".6", 1}, {"-2.5", -2}, {"-3.5", -4}, {"-0.7", -1}, {"7.9x", 8},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-99999999999999999999", INT_MIN}, {"2147483646.5", 2147483646},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(NumericValue(text), value) << '"' << text << '"';
}

// A valid UTF-8 character is one; any other byte is one on its own.
TEST(Characters, CountsReversesAndCutsByCharacter) {
  const std::pair<const char*, size_t> counts[] = {
      {"", 0}, {"abc", 3}, {"caf\xC3\xA9", 4}, {"\xE2\x82\xAC", 1}, {"\xF0\x9F\x98\x80", 1}, {"\xC3", 1},
      {"\xC3\x28", 2}, {"\xC0\xAF", 2} /* overlong */, {"\xED\xA0\x80", 3} /* a surrogate */, {"\xFF\xFE", 2},
  };
  for (const auto& [text, n] : counts) EXPECT_EQ(CharCount(text), n) << text;
  EXPECT_EQ(Reversed("ation"), "noita");
  EXPECT_EQ(Reversed(""), "");
  EXPECT_EQ(Reversed("caf\xC3\xA9"), "\xC3\xA9" "fac");
  EXPECT_EQ(Reversed("a\xFF" "b"), "b\xFF" "a");
  EXPECT_EQ(LastChars("ab", 4), "ab");
  EXPECT_EQ(LastChars("x\xC3\xA9" "oda", 4), "\xC3\xA9" "oda");
  EXPECT_EQ(DropLastChars(".txt", 4), "");
  EXPECT_EQ(DropLastChars("\xC3\xA9t\xC3\xA9.txt", 4), "\xC3\xA9t\xC3\xA9");
}

TEST(Lower, PassesBytesThatBeginNoCharacterThroughUnchanged) {
  // Each of these would decode to an upper-case letter if it were read
  // leniently; the letters after them are still folded.
  EXPECT_EQ(Lower("\xC1\x81" "A"), "\xC1\x81" "a");          // overlong 'A'
  EXPECT_EQ(Lower("\xE0\x83\x80"), "\xE0\x83\x80");          // overlong À
  EXPECT_EQ(Lower("\xF0\x80\x83\x80"), "\xF0\x80\x83\x80");  // overlong À
  EXPECT_EQ(Lower("\xC3\xC3\x80"), "\xC3\xC3\xA0");          // lone lead byte, then À
  EXPECT_EQ(Lower("\x80\x80" "A"), "\x80\x80" "a");          // stray continuation bytes
  EXPECT_EQ(Lower("\xE2\x84"), "\xE2\x84");                  // truncated KELVIN SIGN
  EXPECT_EQ(Lower("\xED\xA0\x80" "\xED\xB0\x80"), "\xED\xA0\x80" "\xED\xB0\x80");  // surrogates
  EXPECT_EQ(Lower("\xF4\x90\x80\x80"), "\xF4\x90\x80\x80");  // beyond U+10FFFF
  EXPECT_EQ(Lower("\xF5\xC0\xFE\xFF"), "\xF5\xC0\xFE\xFF");
  EXPECT_EQ(Lower(std::string("\0A", 2)), std::string("\0a", 2));
}

std::string Utf8(UChar32 cp) {
  char bytes[U8_MAX_LENGTH];
  int32_t length = 0;
  U8_APPEND_UNSAFE(bytes, length, cp);
  return std::string(bytes, static_cast<size_t>(length));
}

// The table built into the program against ICU itself, over every code point
// that UTF-8 can encode (the ones whose lower case is shorter or longer among
// them), each alone and all of them in one text.
TEST(Lower, AgreesWithIcuOnEveryCharacter) {
  std::vector<UChar32> wrong;
  std::string all, allLowered;
  for (UChar32 cp = 0; cp <= 0x10FFFF; ++cp) {
    if (U_IS_SURROGATE(cp)) continue;
    const std::string text = Utf8(cp);
    const std::string expected = Utf8(u_tolower(cp));
    if (Lower(text) != expected) wrong.push_back(cp);
    all += text;
    allLowered += expected;
  }
  ASSERT_TRUE(wrong.empty()) << wrong.size() << " code points differ, the first U+" << std::hex
                             << wrong.front();
  EXPECT_TRUE(Lower(all) == allLowered);
}

// Words as sh splits them, nothing expanded.
TEST(ShellWords, SplitAsShSplitsThem) {
  using W = std::vector<std::string>;
  const struct { const char* text; W words; bool closed; } cases[] = {
      {" '[' STOP\t\"LIQUID?\"  ", {"[", "STOP", "LIQUID?"}, true},
      {"AY1 \"CONSONANT", {"AY1", "CONSONANT"}, false},
      {"AY1 'x", {"AY1", "x"}, false},
      {"# a comment", {}, true},
      {"AY1 # a b c", {"AY1"}, true},
      {"a#b '#'c \\#d", {"a#b", "#c", "#d"}, true},
      {"\"\\$ \\` \\\" \\\\ \\q\"", {"$ ` \" \\ \\q"}, true},
      {"a\\ b 'x\\y' '' \"\"", {"a b", "x\\y", "", ""}, true},
      {"a\\\nb \"c\\\nd\"", {"ab", "cd"}, true},
  };
  for (const auto& c : cases) {
    bool closed = !c.closed;
    EXPECT_EQ(SplitShellWords(c.text, &closed), c.words) << c.text;
    EXPECT_EQ(closed, c.closed) << c.text;
  }
}

TEST(Echoed, ShowsUnprintableBytesAsHexAndCutsAtEightyCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xCA\x83\xC9\x99 AY1", "\xCA\x83\xC9\x99 AY1"},  // IPA stays
      {std::string("a\0b\tc\x7F", 6), "a\\x00b\\x09c\\x7F"},
      {"\xFF\xC3(\xC2\x85", "\\xFF\\xC3(\\xC2\\x85"},  // invalid, and a C1 control
      {std::string(80, 'x'), std::string(80, 'x')},
      {std::string(79, 'x') + "\xC3\xA9z", std::string(79, 'x') + "\xC3\xA9..."},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(Echoed(text), shown) << text;
}

TEST(Lines, EveryLineEndEndsALine) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(SplitLines("a\rb\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\n\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (V{"a", ""}));
  EXPECT_EQ(SplitLines("\r\n"), (V{""}));
  EXPECT_EQ(SplitLines(""), V{});
  EXPECT_EQ(SplitLines("a\n\r"), (V{"a", ""}));  // LF then a lone CR
  EXPECT_EQ(SplitLines(std::string_view("a\0b", 3)), (V{std::string_view("a\0b", 3)}));
}

}  // namespace
}  // namespace velmora
