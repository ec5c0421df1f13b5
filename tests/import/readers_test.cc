// SPDX-License-Identifier: GPL-3.0-or-later
// The three readers and the guess of the form, each entry shown as the
// spelling, the segments with their stress digits and the frequency.
#include <gtest/gtest.h>

#include "import/readers.h"

namespace velmora::import {
namespace {

// Vowels for these tables: a e i o u (with what follows them, as aː) and
// ARPABET's, whose symbols carry a digit.
bool IsVowel(std::string_view s) {
  return s.find_first_of("aeiou") == 0 || (s.size() > 1 && s.back() >= '0' && s.back() <= '2');
}

std::string Shown(const Reading& r) {
  std::string text;
  for (const RawEntry& e : r.entries) {
    text += e.spelling + "=";
    for (const std::string& s : AssignStress(e.tokens, IsVowel)) text += s + " ";
    for (const Token& t : e.tokens) text += t.unplaced ? "?" + t.text + " " : "";
    text += std::to_string(e.frequency) + "@" + std::to_string(e.line) + "; ";
  }
  const auto lines = [](const char* what, const std::vector<int>& lines) {
    std::string s;
    for (int line : lines) s += what + std::to_string(line) + " ";
    return s;
  };
  return text + lines("skip", r.skipped_lines) + lines("freq", r.frequency_lines) +
         (r.has_frequency ? "F" : "") + (r.header_found ? "" : "noheader");
}

TEST(ReadersTest, CsvFieldsQuotesAndStressMarks) {
  const struct { std::string in, shown; } cases[] = {
      {"spelling,transcription\nkasa,k.a.s.a\n", "kasa=k a0 s a0 0@2; "},
      // Any order and case, other separators, blanks around fields, a BOM, CR LF.
      {"\xEF\xBB\xBF" "Frequency|Transcription|SPELLING\r\n 12 | k a - ˈs a |kasa\r\n",
       "kasa=k a0 s a1 12@2; F"},
      {"spelling\ttranscription\tfrequency\nx\t'a-ˌi\t2.5\n", "x=a1 i2 3@2; F"},
      {"spelling:transcription\nx:ˈaː.i-u\n", "x=aː1 i1 u0 0@2; "},
      // The first run of vowels after a mark takes it; digits given stay.
      {"spelling,transcription\nx,ˈk.a.s.a\ny,AH1.B.AH0\nz,ˈa0.b.a\n",
       "x=k a1 s a0 0@2; y=AH1 B AH0 0@3; z=a0 b a0 0@4; "},
      // Quotes the CSV way; an unclosed quote, too few fields, an empty
      // transcription: left out. A frequency that is no number counts 0.
      {"spelling,transcription,frequency\n\"a, \"\"b\"\"\",a,1\n\"x,a,1\nb,a\nc,,1\nd,a,-3\ne,a,2147483648\n",
       "a, \"b\"=a0 1@2; d=a0 0@6; e=a0 0@7; skip3 skip4 skip5 freq6 freq7 F"},
      {"word,ipa\nx,a\n", "skip1 skip2 noheader"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(ReadCsv(c.in)), c.shown) << c.in;
}

TEST(ReadersTest, IpaLongestMatchWithDiacriticsTieBarsAndLength) {
  const Segmenter segmenter({"a", "aː", "k", "t", "ʃ", "tʃ", "t͡s", "n", "ñ", "ai", "ə̃", "s"});
  const struct { std::string in, shown; } cases[] = {
      {"kat\t/ˈkaːtʃa/\n", "kat=k aː1 tʃ a0 0@1; "},
      // Several pronunciations; brackets; . and ˌ as marks.
      {"x\t[ˈt͡sai.ˌna], /kə̃/\n", "x=t͡s ai1 n a2 0@1; x=k ə̃ 0@1; "},
      // A diacritic or tie bar stays with its base: no shorter symbol takes
      // part of it; a character no symbol matches is unplaced.
      {"y\tnt͡ʃ\nz\tn̥aː\n", "y=n t͡ʃ ?t͡ʃ 0@1; z=n̥ aː0 ?n̥ 0@2; "},
      {"w\tˈa·s\n", "w=a1 · s ?· 0@1; "},
      // A tie bar or diacritic after a blank or mark stands alone.
      {"v\tt͡ \u0303a\n", "v=t͡ ̃ a0 ?t͡ ?̃ 0@1; "},
      // No TAB, nothing after it: left out.
      {"kat ka\nnone\t\nok\tka\n", "ok=k a0 0@3; skip1 skip2 "},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(ReadIpa(c.in, segmenter)), c.shown) << c.in;
}

TEST(ReadersTest, CmuCommentsVariantsAndBadLines) {
  EXPECT_EQ(Shown(ReadCmu(";;; comment\nTAB  T AE1 B\nTAB(2)  T AA1 B # British\nA(B) AH0\nNONE\n\n(1) X\n")),
            "TAB=T AE1 B 0@2; TAB=T AA1 B 0@3; A(B)=AH0 0@4; (1)=X 0@7; skip5 ");
}

TEST(ReadersTest, GuessFormatFromFirstLine) {
  const struct { std::string in; std::optional<Format> format; } cases[] = {
      {"\n;;; CMUdict\nA  AH0\n", Format::kCmu},
      {"ABACK  AH0 B AE1 K\n", Format::kCmu},
      {"abaco\t/ˈabako/\n", Format::kIpa},
      {"Spelling;Transcription\n", std::nullopt},
      {"frequency|spelling|transcription\n", Format::kCsv},
      {"abaco\tabako\n", std::nullopt},
      {"abaco a b a k o\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(GuessFormat(c.in), c.format) << c.in;
}

}  // namespace
}  // namespace velmora::import
