#include "lexicon/dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/text.h"

namespace velmora {
namespace {

// Every entry as one text, its fields and numbers joined by bars, the
// transcriptions framed by boundaries; read in one piece or in two threads.
std::vector<std::string> Entries(const std::string& file, size_t parallelFrom = SIZE_MAX) {
  Dictionary d;
  ParseDictionary(file, &d, parallelFrom);
  std::vector<std::string> out;
  for (int32_t n = 1; n <= d.NumberOfWords; ++n) {
    out.push_back(std::string(d.Spellings[n]) + "|" + d.TranscriptionStrings[n] + "|" +
                  d.SyllabifiedTranscriptionStrings[n] + "|" + std::string(d.Annotations[n]) + "|" +
                  std::to_string(d.Frequencies[n]) + "|" + std::to_string(d.SixthFieldNumbers[n]));
  }
  EXPECT_EQ(d.Spellings.size(), out.size() + 1);
  return out;
}

// The reading rule in its plainest form: lines by ForEachLine, trimmed, cut
// at TABs into six fields, the numbers the rounded leading numbers.
std::vector<std::string> ReferenceEntries(std::string_view file) {
  std::vector<std::string> out;
  ForEachLine(file, [&](std::string_view raw) {
    const std::string_view line = TrimView(raw);
    std::string_view f[6];
    for (size_t k = 0, start = 0; k < 6 && start <= line.size(); ++k) {
      const size_t stop = std::min(line.find('\t', start), line.size());
      f[k] = line.substr(start, stop - start);
      start = stop + 1;
    }
    out.push_back(std::string(f[0]) + "|[ " + std::string(f[1]) + " ]|[ " + std::string(f[2]) + " ]|" +
                  std::string(f[3]) + "|" + std::to_string(NumericValue(f[4])) + "|" +
                  std::to_string(NumericValue(f[5])));
  });
  return out;
}

// Blank and short lines still make entries, only the ends of the whole line
// are trimmed, fields keep their blanks and case, extra fields are ignored.
TEST(ParseDictionary, FillsFramedEntriesFromOne) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"tab\tT AE1 B\tT AE1 BCoda\t\t12\t7\r\nblackbird\tB L AE1 K B ER0 D\tx\tcompound\t3\t1\r\n",
       {"tab|[ T AE1 B ]|[ T AE1 BCoda ]||12|7", "blackbird|[ B L AE1 K B ER0 D ]|[ x ]|compound|3|1"}},
      {"\r\nword\r\n  spaced  \tA B\r\ntwo\tX\r\n",
       {"|[  ]|[  ]||0|0", "word|[  ]|[  ]||0|0", "spaced  |[ A B ]|[  ]||0|0", "two|[ X ]|[  ]||0|0"}},
      {"Word\t A\tb \t note \t 7 \t3.5\textra\tmore", {"Word|[  A ]|[ b  ]| note |7|4"}},
  };
  for (const auto& [file, expected] : cases) EXPECT_EQ(Entries(file), expected) << file;
}

// Random files of the bytes that matter to the reading and their neighbours
// (every kind of line end, NUL), the first with a line past the size read in
// two threads: read in one piece and in two halves, they give the plain rule's.
TEST(ParseDictionary, AgreesWithThePlainRuleOnRandomFiles) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("\t\t\r\n\n   aZ7.\x08\x01\x0b\x0c\x09") + '\0';
  for (int round = 0; round < 3000; ++round) {
    std::string file(random() % 160, ' ');
    for (char& c : file) c = alphabet[random() % alphabet.size()];
    if (round == 0) file = std::string(kParallelParseBytes + 7, 'w') + "\tB\t\t\t9\r" + file;
    const std::vector<std::string> expected = ReferenceEntries(file);
    ASSERT_EQ(Entries(file), expected) << testing::PrintToString(file);
    ASSERT_EQ(Entries(file, 0), expected) << testing::PrintToString(file);
  }
}

}  // namespace
}  // namespace velmora
