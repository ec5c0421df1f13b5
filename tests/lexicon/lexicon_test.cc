// SPDX-License-Identifier: GPL-3.0-or-later
// The lexicon: the dictionary reader against its plain rule, the symbol and
// segment tables, and the division into segments with its cautions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

#include "app/messages.h"
#include "classes/class_folder.h"
#include "lexicon/dictionary.h"
#include "lexicon/lexicon.h"
#include "platform/text.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

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

using V = std::vector<std::string>;

// Answers Yes, or No to the question numbered no (from 1), and keeps each
// caution as "[symbol] word", a coda caution marked "coda".
class Questions : public DivisionReporter {
 public:
  bool Continue(const Caution& c) override {
    asked.push_back((c.kind == Caution::kCodaInPlainData ? "coda [" : "[") + c.symbol + "] " + c.word);
    return static_cast<int>(asked.size()) != no;
  }
  V asked;
  int no = 0;
};

// Every case is run with the dictionary divided in one thread and in two
// (the second run splits any dictionary of two entries or more).
class Division : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFixtureFolder(dir.path())); }
  // Divides the folder's dictionary; the vowel tier keeps the class "vowel".
  bool Divide(const std::string& inventory, const std::string& dictionary, bool syllabified = false) {
    EXPECT_TRUE(WriteFile(dir.Path("AllSegments.txt"), inventory) && WriteFile(dir.Path("in.txt"), dictionary));
    lexicon = Lexicon();
    lexicon.SetParallelDivisionFrom(GetParam() ? 2 : INT32_MAX);
    EXPECT_TRUE(lexicon.LoadInventory(dir.Path("AllSegments.txt")).ok());
    EXPECT_TRUE(lexicon.LoadDictionary(dir.Path("in.txt")).ok());
    EXPECT_TRUE(LoadClassFolder(dir.Path("NaturalClasses"), &classes, &names).ok());
    questions.asked.clear();
    return lexicon.DivideWordsIntoPhonemes(syllabified, questions, [&](std::string_view s) {
      return IsInNaturalClass(classes, s, "vowel");
    });
  }
  // Each entry's row of the tier, its segments joined by blanks; one id for one text.
  V Rows(Tier tier) {
    V out;
    std::map<std::string, SymbolId> ids;
    for (int32_t n = 1; n <= lexicon.dictionary().NumberOfWords; ++n) {
      std::string row;
      for (int32_t j = 1; j <= lexicon.Lengths(tier)[static_cast<size_t>(n)]; ++j) {
        const SymbolId id = lexicon.Table(tier).At(n, j);
        EXPECT_EQ(ids.emplace(lexicon.Symbols().Text(id), id).first->second, id);
        row += (j > 1 ? " " : "") + lexicon.Symbols().Text(id);
      }
      out.push_back(row);
    }
    return out;
  }

  ScopedTempDir dir;
  Lexicon lexicon;
  ClassTable classes;
  V names;
  Questions questions;
};

// Boundaries around every entry; the tier the syllabified box chooses (the
// other stays empty); two blanks in a row ending the entry (what was not
// stored is not vetted); segments of every length around the eight bytes read
// at once; no limit of a hundred segments. Every occurrence of a symbol missing
// from the inventory is questioned (letter case counts, the boundaries too)
// and kept on Yes; a coda symbol in plain data draws the coda caution first; a
// No ends the division at once, nothing more asked, nothing divided.
TEST_P(Division, EveryCase) {
  std::string longRow = "T";
  for (int i = 1; i < 10000; ++i) longRow += " T";
  const std::string fixture = kFixtureInventory;
  const struct { std::string inventory, dictionary; bool syllabified; int no; V rows, vowels, cautions; } cases[] = {
      {fixture, kFixtureDictionary, false, 0,
       {"[ B L AY1 N D ]", "[ CH AY1 L D ]", "[ P AY1 N T ]", "[ T AE1 B ]", "[ B L AE1 K B ER0 D ]"},
       {"[ AY1 ]", "[ AY1 ]", "[ AY1 ]", "[ AE1 ]", "[ AE1 ER0 ]"}, {}},
      {fixture, kFixtureDictionary, true, 0,
       {"[ B L AY1 NCoda DCoda ]", "[ CH AY1 LCoda DCoda ]", "[ P AY1 NCoda TCoda ]", "[ T AE1 BCoda ]",
        "[ B L AE1 KCoda B ER0 DCoda ]"},
       {"[ AY1 ]", "[ AY1 ]", "[ AY1 ]", "[ AE1 ]", "[ AE1 ER0 ]"}, {}},
      {fixture, "a\tT  AE1 B\r\nb\t\r\nc\t T\r\n", false, 0, {"[ T", "[", "["}, {"[", "[", "["}, {}},
      {"[\r\n]\r\nA\r\nABCDEFG\r\nABCDEFGH\r\nABCDEFGHI\r\nAB\r\n",
       "w\tABCDEFG ABCDEFGH A ABCDEFGHI AB\tx\r\nv\tAB A ABCDEFGH ABCDEFG\r\nu\tABCDEFGHI A", false, 0,
       {"[ ABCDEFG ABCDEFGH A ABCDEFGHI AB ]", "[ AB A ABCDEFGH ABCDEFG ]", "[ ABCDEFGHI A ]"}, {}, {}},
      {fixture, "long\t" + longRow + "\r\n", false, 0, {"[ " + longRow + " ]"}, {"[ ]"}, {}},
      {"[\r\n]\r\nT\r\nB\r\n", "tab\tT AE1 B\r\n", false, 0, {"[ T AE1 B ]"}, {}, {"[AE1] AE1 B ]"}},
      {"[\r\n]\r\nT\r\n", "a\tt T\r\nb\tt\r\n", false, 0, {"[ t T ]", "[ t ]"}, {}, {"[t] t T ]", "[t] t ]"}},
      {"T\r\n", "a\tT\r\n", false, 0, {"[ T ]"}, {}, {"[[] [ T ]", "[]] ]"}},
      {fixture, "tab\tT AE1 BCoda\r\nx\tT zCODA\r\n", false, 0, {"[ T AE1 BCoda ]", "[ T zCODA ]"}, {},
       {"coda [BCoda] BCoda ]", "coda [zCODA] zCODA ]", "[zCODA] zCODA ]"}},
      {"[\r\n]\r\n", kFixtureDictionary, false, 1, {}, {}, {"[B] B L AY1 N D ]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dictionary.substr(0, 40));
    questions.no = c.no;
    EXPECT_EQ(Divide(c.inventory, c.dictionary, c.syllabified), c.no == 0);
    EXPECT_EQ(questions.asked, c.cautions);
    EXPECT_EQ(lexicon.divided(), c.no == 0);
    EXPECT_EQ(lexicon.Table(Tier::kPlain).filled(), c.no == 0 && !c.syllabified);
    if (c.no != 0) continue;
    EXPECT_EQ(Rows(c.syllabified ? Tier::kSyllabified : Tier::kPlain), c.rows);
    EXPECT_FALSE(lexicon.Table(c.syllabified ? Tier::kPlain : Tier::kSyllabified).filled());
    // The vowel tier is made when a search first asks for it.
    EXPECT_FALSE(lexicon.Table(Tier::kVowels).filled());
    lexicon.MakeVowelTier();
    EXPECT_EQ(c.vowels.empty() ? c.vowels : Rows(Tier::kVowels), c.vowels);
  }
  // Without a vowel class the tier holds the boundaries only.
  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/VOWEL.txt").c_str()), 0);
  ASSERT_TRUE(Divide(fixture, kFixtureDictionary));
  lexicon.MakeVowelTier();
  EXPECT_EQ(Rows(Tier::kVowels)[0], "[ ]");
  // The question the user reads for a coda caution (the other one is velmora-batch's test).
  EXPECT_EQ(CautionMessage({Caution::kCodaInPlainData, "BCoda", "BCoda ]"}),
            "Caution:  the word BCoda ] contains the sound [BCoda], but you're doing a simulation specified for "
            "nonsyllabified segments.  You may want to adjust your input files.");
}

// Past the cautions the second thread keeps for later, the rest is divided
// in the first thread; every caution is asked once, in entry order, and ids
// come in order of first occurrence, as one pass gives them.
TEST_P(Division, ManyCautionsAreAskedInEntryOrder) {
  std::string in;
  constexpr int kEntries = 140000;
  for (int i = 1; i <= kEntries; ++i) in += "w\tQ" + std::to_string(i) + "\n";
  ASSERT_TRUE(Divide(kFixtureInventory, in));
  ASSERT_EQ(questions.asked.size(), static_cast<size_t>(kEntries));
  for (int i = 1; i <= kEntries; i += 997) {
    ASSERT_EQ(questions.asked[static_cast<size_t>(i - 1)], "[Q" + std::to_string(i) + "] Q" + std::to_string(i) + " ]");
  }
  EXPECT_EQ(questions.asked.back(), "[Q140000] Q140000 ]");
  EXPECT_EQ(lexicon.Symbols().Text(lexicon.Table(Tier::kPlain).At(kEntries, 2)), "Q140000");
  EXPECT_EQ(lexicon.Table(Tier::kPlain).At(kEntries, 2), static_cast<SymbolId>(kEntries + 2));
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoThreads, Division, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "TwoThreads" : "OneThread"; });

}  // namespace
}  // namespace velmora
