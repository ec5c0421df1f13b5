#include "lexicon/dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace velmora {
namespace {

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

// Entries from one, the transcriptions framed by boundaries: blank and short
// lines still make entries, only the ends of the whole line are trimmed,
// fields keep their blanks and case, extra fields are ignored, and the two
// numbers are the rounded leading numbers of their fields.
TEST(ParseDictionary, FillsFramedEntriesFromOne) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"tab\tT AE1 B\tT AE1 BCoda\t\t12\t7\r\nblackbird\tB L AE1 K B ER0 D\tx\tcompound\t3\t1\r\n",
       {"tab|[ T AE1 B ]|[ T AE1 BCoda ]||12|7", "blackbird|[ B L AE1 K B ER0 D ]|[ x ]|compound|3|1"}},
      {"\r\nword\r\n  spaced  \tA B\r\ntwo\tX\r\n",
       {"|[  ]|[  ]||0|0", "word|[  ]|[  ]||0|0", "spaced  |[ A B ]|[  ]||0|0", "two|[ X ]|[  ]||0|0"}},
      {"Word\t A\tb \t note \t 7 \t3.5\textra\tmore", {"Word|[  A ]|[ b  ]| note |7|4"}},
  };
  for (const auto& [file, expected] : cases) {
    Dictionary d;
    ParseDictionary(file, &d);
    std::vector<std::string> entries;
    for (int32_t n = 1; n <= d.NumberOfWords; ++n) {
      entries.push_back(std::string(d.Spellings[n]) + "|" + std::string(d.TranscriptionStrings[n]) + "|" +
                        std::string(d.SyllabifiedTranscriptionStrings[n]) + "|" + std::string(d.Annotations[n]) +
                        "|" + std::to_string(d.Frequencies[n]) + "|" + std::to_string(d.SixthFieldNumbers[n]));
    }
    EXPECT_EQ(entries, expected) << file;
    EXPECT_EQ(d.Spellings.size(), expected.size() + 1) << file;
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
// neighbours: every kind of line end, NUL): read in one piece and in two
// halves split anywhere, they give the plain rule's entries.
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
