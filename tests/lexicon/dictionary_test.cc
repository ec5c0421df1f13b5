#include "lexicon/dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "lexicon/text.h"

namespace velmora {
namespace {

TEST(ParseDictionary, FillsEntriesFromOne) {
  Dictionary d;
  ParseDictionary("tab\tT AE1 B\tT AE1 BCoda\t\t12\t7\r\nblackbird\tB L AE1 K B ER0 D\tx\tcompound\t3\t1\r\n", &d);
  ASSERT_EQ(d.NumberOfWords, 2);
  ASSERT_EQ(d.Spellings.size(), 3u);
  EXPECT_EQ(d.Spellings[1], "tab");
  EXPECT_EQ(d.TranscriptionStrings[1], "[ T AE1 B ]");
  EXPECT_EQ(d.SyllabifiedTranscriptionStrings[1], "[ T AE1 BCoda ]");
  EXPECT_EQ(d.Annotations[1], "");
  EXPECT_EQ(d.Frequencies[1], 12);
  EXPECT_EQ(d.SixthFieldNumbers[1], 7);
  EXPECT_EQ(d.Annotations[2], "compound");
}

TEST(ParseDictionary, BlankAndShortLinesStillMakeEntries) {
  Dictionary d;
  ParseDictionary("\r\nword\r\n  spaced  \tA B\r\ntwo\tX\r\n", &d);
  ASSERT_EQ(d.NumberOfWords, 4);
  EXPECT_EQ(d.Spellings[1], "");
  EXPECT_EQ(d.TranscriptionStrings[1], "[  ]");
  EXPECT_EQ(d.Frequencies[1], 0);
  EXPECT_EQ(d.Spellings[2], "word");
  EXPECT_EQ(d.TranscriptionStrings[2], "[  ]");
  EXPECT_EQ(d.SyllabifiedTranscriptionStrings[2], "[  ]");
  EXPECT_EQ(d.Spellings[3], "spaced  ");  // only the ends of the whole line are trimmed
  EXPECT_EQ(d.TranscriptionStrings[3], "[ A B ]");
  EXPECT_EQ(d.TranscriptionStrings[4], "[ X ]");
  EXPECT_EQ(d.Annotations[4], "");
}

TEST(ParseDictionary, FieldsKeepTheirBlanksAndCaseAndExtraFieldsAreIgnored) {
  Dictionary d;
  ParseDictionary("Word\t A\tb \t note \t 7 \t3.5\textra\tmore", &d);
  ASSERT_EQ(d.NumberOfWords, 1);
  EXPECT_EQ(d.Spellings[1], "Word");
  EXPECT_EQ(d.TranscriptionStrings[1], "[  A ]");
  EXPECT_EQ(d.SyllabifiedTranscriptionStrings[1], "[ b  ]");
  EXPECT_EQ(d.Annotations[1], " note ");
  EXPECT_EQ(d.Frequencies[1], 7);
  EXPECT_EQ(d.SixthFieldNumbers[1], 4);
}

TEST(ParseDictionary, AnyLineEndEndsALine) {
  Dictionary d;
  ParseDictionary("a\tA\nb\tB\rc\tC", &d);
  ASSERT_EQ(d.NumberOfWords, 3);
  EXPECT_EQ(d.Spellings[3], "c");
}

// Every entry as one text: its fields and numbers joined by bars.
std::vector<std::string> Entries(const Dictionary& d) {
  std::vector<std::string> out;
  for (int32_t n = 1; n <= d.NumberOfWords; ++n) {
    out.push_back(std::string(d.Spellings[n]) + "|" + std::string(d.TranscriptionStrings.field(n)) + "|" +
                  std::string(d.SyllabifiedTranscriptionStrings.field(n)) + "|" + std::string(d.Annotations[n]) +
                  "|" + std::to_string(d.Frequencies[n]) + "|" + std::to_string(d.SixthFieldNumbers[n]));
  }
  return out;
}

// Read in two halves, any file gives the entries it gives read in one piece,
// wherever the middle falls: in a CR LF pair, on a blank line, near the end.
TEST(ParseDictionary, TwoHalvesGiveWhatOnePieceGives) {
  const char* files[] = {
      "a\tA B\r\nb\tB\r\nc\tC\r\n", "a\tA\nb\tB\nc\tC", "a\tA\rb\tB\rc\tC\r", "a\r\n\r\n\r\n\r\nb\tB\r\n",
      "one\tO N\t\t\t5\t6\n", "x\ny\n", "\n\n\n\n", "a\tA\r\r\n\n\r\nz\tZ\t\tnote\t1\t2",
  };
  for (const char* file : files) {
    Dictionary whole, halves;
    ParseDictionary(file, &whole, SIZE_MAX);
    ParseDictionary(file, &halves, 0);
    EXPECT_EQ(halves.NumberOfWords, whole.NumberOfWords) << file;
    EXPECT_EQ(Entries(halves), Entries(whole)) << file;
    EXPECT_EQ(halves.Spellings.size(), static_cast<size_t>(whole.NumberOfWords) + 1) << file;
  }
}

// The reading rule in its plainest form: lines by ForEachLine, trimmed, cut
// at TABs into six fields.
std::vector<std::string> ReferenceEntries(std::string_view file) {
  std::vector<std::string> out;
  ForEachLine(file, [&](std::string_view raw) {
    const std::string_view line = TrimView(raw);
    std::string_view fields[6];
    size_t start = 0;
    for (int f = 0; f < 6 && start <= line.size(); ++f) {
      const size_t stop = std::min(line.find('\t', start), line.size());
      fields[f] = line.substr(start, stop - start);
      start = stop + 1;
    }
    out.push_back(std::string(fields[0]) + "|" + std::string(fields[1]) + "|" + std::string(fields[2]) + "|" +
                  std::string(fields[3]) + "|" + std::to_string(NumericValue(fields[4])) + "|" +
                  std::to_string(NumericValue(fields[5])));
  });
  return out;
}


// Random files of the bytes that matter to the reading (and their near
// neighbours): read in one piece and in halves, they give the plain rule's entries.
TEST(ParseDictionary, AgreesWithThePlainRuleOnRandomFiles) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("\t\t\r\n\n   aZ7.\x08\x01\x0b\x0c\x09") + '\0';
  for (int round = 0; round < 3000; ++round) {
    std::string file(random() % 160, ' ');
    for (char& c : file) c = alphabet[random() % alphabet.size()];
    const std::vector<std::string> expected = ReferenceEntries(file);
    for (size_t parallelFrom : {SIZE_MAX, size_t{0}}) {
      Dictionary d;
      ParseDictionary(file, &d, parallelFrom);
      ASSERT_EQ(Entries(d), expected) << testing::PrintToString(file);
    }
  }
}

}  // namespace
}  // namespace velmora
