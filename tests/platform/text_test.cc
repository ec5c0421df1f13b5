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

using Pair = std::pair<std::string, std::string>;

// Trim takes spaces only; Reversed, LastChars and DropLastChars go by UTF-8
// character, any other byte being one on its own.
TEST(Text, TrimsAndCutsByCharacter) {
  const Pair cases[] = {
      {Trim("  AY1 "), "AY1"}, {Trim("\tAY1\t"), "\tAY1\t"}, {Trim("   "), ""},
      {Reversed("ation"), "noita"}, {Reversed(""), ""}, {Reversed("caf\xC3\xA9"), "\xC3\xA9" "fac"},
      {Reversed("a\xFF" "b"), "b\xFF" "a"}, {std::string(LastChars("ab", 4)), "ab"},
      {std::string(LastChars("x\xC3\xA9" "oda", 4)), "\xC3\xA9" "oda"}, {std::string(DropLastChars(".txt", 4)), ""},
      {std::string(DropLastChars("\xC3\xA9t\xC3\xA9.txt", 4)), "\xC3\xA9t\xC3\xA9"},
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
  const std::pair<const char*, size_t> counts[] = {
      {"", 0}, {"abc", 3}, {"caf\xC3\xA9", 4}, {"\xE2\x82\xAC", 1}, {"\xF0\x9F\x98\x80", 1}, {"\xC3", 1},
      {"\xC3\x28", 2}, {"\xC0\xAF", 2} /* overlong */, {"\xED\xA0\x80", 3} /* a surrogate */, {"\xFF\xFE", 2},
  };
  for (const auto& [text, n] : counts) EXPECT_EQ(CharCount(text), n) << text;
}

// The leading number, blanks skipped wherever they stand, halves rounded to
// even, saturated to the thirty-two-bit range.
TEST(Text, NumericValueReadsRoundsAndSaturatesTheLeadingNumber) {
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

std::string Utf8(UChar32 cp) {
  char bytes[U8_MAX_LENGTH];
  int32_t length = 0;
  U8_APPEND_UNSAFE(bytes, length, cp);
  return std::string(bytes, static_cast<size_t>(length));
}

// Lower against ICU on every code point, each alone and all in one text; bytes
// that begin no character (each would read leniently as a capital) pass
// through unchanged and the letters after them are still folded.
TEST(Text, LowerAgreesWithIcuAndPassesOtherBytesThrough) {
  std::vector<UChar32> wrong;
  std::string all, allLowered;
  for (UChar32 cp = 0; cp <= 0x10FFFF; ++cp) {
    if (U_IS_SURROGATE(cp)) continue;
    const std::string text = Utf8(cp), expected = Utf8(u_tolower(cp));
    if (Lower(text) != expected) wrong.push_back(cp);
    all += text;
    allLowered += expected;
  }
  ASSERT_TRUE(wrong.empty()) << wrong.size() << " code points differ, the first U+" << std::hex << wrong.front();
  EXPECT_TRUE(Lower(all) == allLowered);
  const Pair cases[] = {
      {"\xC1\x81" "A", "\xC1\x81" "a"}, {"\xE0\x83\x80", "\xE0\x83\x80"}, {"\xF0\x80\x83\x80", "\xF0\x80\x83\x80"},
      {"\xC3\xC3\x80", "\xC3\xC3\xA0"}, {"\x80\x80" "A", "\x80\x80" "a"}, {"\xE2\x84", "\xE2\x84"},
      {"\xED\xA0\x80\xED\xB0\x80", "\xED\xA0\x80\xED\xB0\x80"}, {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},
      {"\xF5\xC0\xFE\xFF", "\xF5\xC0\xFE\xFF"}, {std::string("\0A", 2), std::string("\0a", 2)},
  };
  for (const auto& [text, lowered] : cases) EXPECT_EQ(Lower(text), lowered);
}

// Words as sh splits them, nothing expanded; an unclosed quote runs to the end.
TEST(Text, SplitShellWordsAsShSplitsThem) {
  using W = std::vector<std::string>;
  const struct { const char* text; W words; bool closed; } cases[] = {
      {" '[' STOP\t\"LIQUID?\"  ", {"[", "STOP", "LIQUID?"}, true},
      {"AY1 \"CONSONANT", {"AY1", "CONSONANT"}, false},
      {"'/opt/My Apps/edit -n", {"/opt/My Apps/edit -n"}, false},
      {"edit \"x\\", {"edit", "x\\"}, false},
      {"# a comment", {}, true},
      {"   ", {}, true},
      {"AY1 # a b c", {"AY1"}, true},
      {"a#b '#'c \\#d", {"a#b", "#c", "#d"}, true},
      {"\"\\$ \\` \\\" \\\\ \\q 'e'\"", {"$ ` \" \\ \\q 'e'"}, true},
      {"a\\ b 'x\\y \"c\"' '' \"\" a'b c'd", {"a b", "x\\y \"c\"", "", "", "ab cd"}, true},
      {"a\\\nb \"c\\\nd\"", {"ab", "cd"}, true},
      {"\\'x\\\" edit\\", {"'x\"", "edit\\"}, true},
      {"$HOME/bin/* ~", {"$HOME/bin/*", "~"}, true},
  };
  for (const auto& c : cases) {
    bool closed = !c.closed;
    EXPECT_EQ(SplitShellWords(c.text, &closed), c.words) << c.text;
    EXPECT_EQ(closed, c.closed) << c.text;
  }
}

// Echoed shows unprintable bytes as hex and cuts at eighty characters;
// SplitLines ends a line at every line end.
TEST(Text, EchoedAndSplitLines) {
  const Pair echoed[] = {
      {"\xCA\x83\xC9\x99 AY1", "\xCA\x83\xC9\x99 AY1"},  // IPA stays
      {std::string("a\0b\tc\x7F", 6), "a\\x00b\\x09c\\x7F"},
      {"\xFF\xC3(\xC2\x85", "\\xFF\\xC3(\\xC2\\x85"},  // invalid, and a C1 control
      {std::string(80, 'x'), std::string(80, 'x')},
      {std::string(79, 'x') + "\xC3\xA9z", std::string(79, 'x') + "\xC3\xA9..."},
  };
  for (const auto& [text, shown] : echoed) EXPECT_EQ(Echoed(text), shown) << text;
  using V = std::vector<std::string_view>;
  const std::pair<std::string_view, V> lines[] = {
      {"a\r\nb\r\n", {"a", "b"}}, {"a\rb\nc", {"a", "b", "c"}}, {"a\n\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}}, {"\r\n", {""}}, {"", {}}, {"a\n\r", {"a", ""}},
      {std::string_view("a\0b", 3), {std::string_view("a\0b", 3)}},
  };
  for (const auto& [text, split] : lines) EXPECT_EQ(SplitLines(text), split);
}

}  // namespace
}  // namespace velmora
