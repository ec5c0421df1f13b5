// Division of the transcriptions into segments, the vowel tier, and the two
// vetting cautions with their Yes and No answers.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/messages.h"
#include "classes/class_folder.h"
#include "lexicon/lexicon.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

using V = std::vector<std::string>;

// Answers from a list (Yes when it is empty) and keeps each question as the
// user reads it.
class Questions : public DivisionReporter {
 public:
  bool Continue(const Caution& caution) override {
    asked.push_back(CautionMessage(caution));
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  V asked;
  std::vector<bool> answers;
};

// Every case is run with the dictionary divided in one thread and in two
// (the fixture's dictionaries are small: the second run splits any of them).
class Division : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFixtureFolder(dir.path())); }
  void Write(const std::string& name, std::string_view bytes) { ASSERT_TRUE(WriteFile(dir.Path(name), bytes)); }
  // Reads the folder's inventory and dictionary and divides it; the vowel
  // tier keeps the members of the class "vowel", when there is one.
  bool Divide(bool syllabified = false) {
    lexicon = Lexicon();
    lexicon.SetParallelDivisionFrom(GetParam() ? 2 : INT32_MAX);
    EXPECT_TRUE(lexicon.LoadInventory(dir.Path("AllSegments.txt")).ok());
    EXPECT_TRUE(lexicon.LoadDictionary(dir.Path("in.txt")).ok());
    ClassTable classes;
    std::vector<std::string> names;
    EXPECT_TRUE(LoadClassFolder(dir.Path("NaturalClasses"), &classes, &names).ok());
    return lexicon.DivideWordsIntoPhonemes(syllabified, questions, [&](std::string_view s) {
      return IsInNaturalClass(classes, s, "vowel");
    });
  }
  // Each entry's row of the tier, its segments joined by blanks.
  V Rows(Tier tier) {
    V out;
    const SegmentTable& t = lexicon.Table(tier);
    const std::vector<int32_t>& lengths = lexicon.Lengths(tier);
    for (int32_t n = 1; n <= lexicon.dictionary().NumberOfWords; ++n) {
      std::string row;
      for (int32_t j = 1; j <= lengths[n]; ++j) {
        row += j > 1 ? " " : "";
        row += lexicon.Symbols().Text(t.At(n, j));
      }
      out.push_back(row);
    }
    return out;
  }

  ScopedTempDir dir;
  Lexicon lexicon;
  Questions questions;
};

// Boundaries around every entry, the table the syllabified box chooses (the
// other stays empty), two blanks in a row ending the entry (what was not
// stored is not vetted), and segments of every length around the eight
// bytes read at once, in the middle of the file and at its very end.
TEST_P(Division, TranscriptionsAreCutAtTheirBlanksBetweenBoundaries) {
  struct Case {
    const char* inventory;
    const char* dictionary;
    bool syllabified;
    V rows;
  } cases[] = {
      {kFixtureInventory, kFixtureDictionary, false,
       {"[ B L AY1 N D ]", "[ CH AY1 L D ]", "[ P AY1 N T ]", "[ T AE1 B ]", "[ B L AE1 K B ER0 D ]"}},
      {kFixtureInventory, kFixtureDictionary, true,
       {"[ B L AY1 NCoda DCoda ]", "[ CH AY1 LCoda DCoda ]", "[ P AY1 NCoda TCoda ]", "[ T AE1 BCoda ]",
        "[ B L AE1 KCoda B ER0 DCoda ]"}},
      {kFixtureInventory, "a\tT  AE1 B\r\nb\t\r\nc\t T\r\n", false, {"[ T", "[", "["}},
      {"[\r\n]\r\nA\r\nABCDEFG\r\nABCDEFGH\r\nABCDEFGHI\r\nAB\r\n",
       "w\tABCDEFG ABCDEFGH A ABCDEFGHI AB\tx\r\nv\tAB A ABCDEFGH ABCDEFG\r\nu\tABCDEFGHI A", false,
       {"[ ABCDEFG ABCDEFGH A ABCDEFGHI AB ]", "[ AB A ABCDEFGH ABCDEFG ]", "[ ABCDEFGHI A ]"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dictionary);
    Write("AllSegments.txt", c.inventory);
    Write("in.txt", c.dictionary);
    ASSERT_TRUE(Divide(c.syllabified));
    EXPECT_EQ(Rows(c.syllabified ? Tier::kSyllabified : Tier::kPlain), c.rows);
    EXPECT_FALSE(lexicon.Table(c.syllabified ? Tier::kPlain : Tier::kSyllabified).filled());
    EXPECT_TRUE(questions.asked.empty());
  }
  // One id for one text, however it was found.
  EXPECT_EQ(lexicon.Table(Tier::kPlain).At(1, 2), lexicon.Table(Tier::kPlain).At(2, 5));
  EXPECT_EQ(lexicon.Table(Tier::kPlain).At(1, 3), lexicon.Table(Tier::kPlain).At(2, 4));
}

// The vowel tier is made when a search first asks for it; without a vowel
// class it holds the boundaries only.
TEST_P(Division, TheVowelTierIsMadeWhenFirstAskedFor) {
  ASSERT_TRUE(Divide());
  EXPECT_FALSE(lexicon.Table(Tier::kVowels).filled());
  lexicon.MakeVowelTier();
  EXPECT_EQ(Rows(Tier::kVowels), (V{"[ AY1 ]", "[ AY1 ]", "[ AY1 ]", "[ AE1 ]", "[ AE1 ER0 ]"}));

  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/VOWEL.txt").c_str()), 0);
  ASSERT_TRUE(Divide());
  lexicon.MakeVowelTier();
  EXPECT_EQ(Rows(Tier::kVowels)[0], "[ ]");
}

TEST_P(Division, NoLimitOfAHundredSegments) {
  std::string t;
  for (int i = 0; i < 10000; ++i) t += i ? " T" : "T";
  Write("in.txt", "long\t" + t + "\r\n");
  ASSERT_TRUE(Divide());
  EXPECT_EQ(lexicon.Lengths(Tier::kPlain)[1], 10002);
  EXPECT_EQ(lexicon.Symbols().Text(lexicon.Table(Tier::kPlain).At(1, 10002)), "]");
}

// Every occurrence of a symbol missing from the inventory is questioned
// (letter case counts, the boundaries too), and kept on Yes; a coda symbol in
// plain data draws the coda caution first.
TEST_P(Division, CautionsAreAskedForEveryOccurrenceInOrder) {
  struct Case {
    const char* inventory;
    const char* dictionary;
    V questions;  // after "Caution:  the word "
  } cases[] = {
      {"[\r\n]\r\nT\r\nB\r\n", "tab\tT AE1 B\r\n",
       {"AE1 B ] contains the sound [AE1], which is not on the list of phonemes AllSegments.txt.  You may want to "
        "adjust either in.txt or AllSegments.txt before continuing.  Click Yes to continue, No to exit program."}},
      {"[\r\n]\r\nT\r\n", "a\tt T\r\nb\tt\r\n",
       {"t T ] contains the sound [t], which", "t ] contains the sound [t], which"}},
      {"T\r\n", "a\tT\r\n", {"[ T ] contains the sound [[], which", "] contains the sound []], which"}},
      {kFixtureInventory, "tab\tT AE1 BCoda\r\nx\tT zCODA\r\n",
       {"BCoda ] contains the sound [BCoda], but you're doing a simulation specified for nonsyllabified segments.  "
        "You may want to adjust your input files.",
        "zCODA ] contains the sound [zCODA], but you're doing", "zCODA ] contains the sound [zCODA], which is not"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dictionary);
    Write("AllSegments.txt", c.inventory);
    Write("in.txt", c.dictionary);
    questions.asked.clear();
    ASSERT_TRUE(Divide());
    ASSERT_EQ(questions.asked.size(), c.questions.size());
    for (size_t q = 0; q < c.questions.size(); ++q) {
      const std::string expected = "Caution:  the word " + c.questions[q];
      // A text ending in a full stop is the whole question.
      EXPECT_EQ(expected.back() == '.' ? questions.asked[q] : questions.asked[q].substr(0, expected.size()), expected);
    }
  }
  EXPECT_EQ(Rows(Tier::kPlain)[0], "[ T AE1 BCoda ]");
}

// A No ends the division at once: nothing more is asked, nothing stays divided.
TEST_P(Division, ANoEndsTheDivision) {
  Write("AllSegments.txt", "[\r\n]\r\n");
  questions.answers = {false};
  EXPECT_FALSE(Divide());
  EXPECT_EQ(questions.asked.size(), 1u);
  EXPECT_FALSE(lexicon.divided());
  EXPECT_FALSE(lexicon.Table(Tier::kPlain).filled());
}

// Past the cautions the second thread keeps for later, the rest is divided
// in the first thread; every caution is asked once, in entry order.
TEST_P(Division, ManyCautionsAreAskedInEntryOrder) {
  std::string in;
  constexpr int kEntries = 140000;
  for (int i = 1; i <= kEntries; ++i) in += "w\tQ" + std::to_string(i) + "\n";
  Write("in.txt", in);
  ASSERT_TRUE(Divide());
  ASSERT_EQ(questions.asked.size(), static_cast<size_t>(kEntries));
  for (int i = 1; i <= kEntries; i += 997) {
    ASSERT_EQ(questions.asked[static_cast<size_t>(i - 1)].rfind("Caution:  the word Q" + std::to_string(i) + " ]", 0),
              0u);
  }
  EXPECT_EQ(questions.asked.back().rfind("Caution:  the word Q140000 ]", 0), 0u);
  // Ids in order of first occurrence, as one pass gives them.
  EXPECT_EQ(lexicon.Symbols().Text(lexicon.Table(Tier::kPlain).At(kEntries, 2)), "Q140000");
  EXPECT_EQ(lexicon.Table(Tier::kPlain).At(kEntries, 2), static_cast<SymbolId>(kEntries + 2));
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoThreads, Division, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "TwoThreads" : "OneThread"; });

}  // namespace
}  // namespace velmora
