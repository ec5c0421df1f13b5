// Division of the transcriptions into segments, the vowel tier, and the two
// vetting cautions with their Yes and No answers.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/fixture.h"

namespace velmora {
namespace {

// Every case is run with the dictionary divided in one thread and in two
// (the fixture's dictionaries are small: the second run splits any of them).
class Division : public AppFixture, public ::testing::WithParamInterface<bool> {
 protected:
  Form1& Start() {
    AppFixture::Start();
    form->lexicon().ParallelDivisionFrom = GetParam() ? 2 : INT32_MAX;
    return *form;
  }
};

using V = std::vector<std::string>;

// Each entry's row of the table, its segments joined by blanks.
V Rows(Form1& f, const SegmentTable& t, const std::vector<int32_t>& lengths) {
  V out;
  for (int32_t n = 1; n <= f.lexicon().dictionary.NumberOfWords; ++n) {
    std::string row;
    for (int32_t j = 1; j <= lengths[n]; ++j) {
      row += j > 1 ? " " : "";
      row += f.lexicon().Symbols.Text(t.At(n, j));
    }
    out.push_back(row);
  }
  return out;
}

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
    Start();
    platform.SetValue(Control::chkSyllabified, c.syllabified);
    ASSERT_TRUE(form->DoOnceOnlyTasks());
    const Lexicon& l = form->lexicon();
    EXPECT_EQ(Rows(*form, c.syllabified ? l.SyllabifiedTranscriptions : l.Transcriptions, l.TranscriptionLengths),
              c.rows);
    EXPECT_FALSE((c.syllabified ? l.Transcriptions : l.SyllabifiedTranscriptions).filled());
    EXPECT_TRUE(platform.questions.empty());
  }
  // One id for one text, however it was found.
  EXPECT_EQ(form->lexicon().Transcriptions.At(1, 2), form->lexicon().Transcriptions.At(2, 5));
  EXPECT_EQ(form->lexicon().Transcriptions.At(1, 3), form->lexicon().Transcriptions.At(2, 4));
}

// The vowel tier is made when a search first asks for it; without a vowel
// class it holds the boundaries only.
TEST_P(Division, TheVowelTierIsMadeWhenFirstAskedFor) {
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_TRUE(form->OnceOnlyTasksDone);
  EXPECT_FALSE(form->lexicon().VowelTranscriptions.filled());
  form->lexicon().MakeVowelTier();
  EXPECT_EQ(Rows(*form, form->lexicon().VowelTranscriptions, form->lexicon().VowelTranscriptionLengths),
            (V{"[ AY1 ]", "[ AY1 ]", "[ AY1 ]", "[ AE1 ]", "[ AE1 ER0 ]"}));

  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/VOWEL.txt").c_str()), 0);
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  form->lexicon().MakeVowelTier();
  EXPECT_EQ(Rows(*form, form->lexicon().VowelTranscriptions, form->lexicon().VowelTranscriptionLengths)[0], "[ ]");
}

TEST_P(Division, NoLimitOfAHundredSegments) {
  std::string t;
  for (int i = 0; i < 10000; ++i) t += i ? " T" : "T";
  Write("in.txt", "long\t" + t + "\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_EQ(form->lexicon().TranscriptionLengths[1], 10002);
  EXPECT_EQ(form->lexicon().Symbols.Text(form->lexicon().Transcriptions.At(1, 10002)), "]");
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
    platform.questions.clear();
    Start();
    ASSERT_TRUE(form->DoOnceOnlyTasks());
    ASSERT_EQ(platform.questions.size(), c.questions.size());
    for (size_t q = 0; q < c.questions.size(); ++q) {
      const std::string expected = "Caution:  the word " + c.questions[q];
      // A text ending in a full stop is the whole question.
      EXPECT_EQ(expected.back() == '.' ? platform.questions[q] : platform.questions[q].substr(0, expected.size()),
                expected);
    }
  }
  EXPECT_EQ(Rows(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths)[0], "[ T AE1 BCoda ]");
}

TEST_P(Division, NoEndsTheProgramInTheMiddleOfTheDivision) {
  Write("AllSegments.txt", "[\r\n]\r\n");
  Start();
  Boxes({"["});
  platform.answers = {false};
  EXPECT_THROW(form->cmdSearchTranscriptions_Click(), ProgramEnded);
  EXPECT_EQ(platform.questions.size(), 1u);
  // The caption stays as it stood.
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "Preparing search ...");
}

TEST_P(Division, SwitchingTheSyllabifiedBoxDividesAgainWithTheCautionsAgain) {
  Write("AllSegments.txt", std::string(kFixtureInventory) + "Q\r\n");
  Write("in.txt", "a\tT AE1\tT AE1 ZCoda\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_TRUE(platform.questions.empty());
  platform.SetValue(Control::chkSyllabified, 1);
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_NE(platform.questions[0].find("[ZCoda], which is not"), std::string::npos);
  EXPECT_EQ(Rows(*form, form->lexicon().SyllabifiedTranscriptions, form->lexicon().TranscriptionLengths)[0],
            "[ T AE1 ZCoda ]");
  // Nothing changed: nothing is divided again.
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_EQ(platform.questions.size(), 1u);
}

// Past the cautions the second thread keeps for later, the rest is divided
// in the first thread; every caution is asked once, in entry order.
TEST_P(Division, ManyCautionsAreAskedInEntryOrder) {
  std::string in;
  constexpr int kEntries = 140000;
  for (int i = 1; i <= kEntries; ++i) in += "w\tQ" + std::to_string(i) + "\n";
  Write("in.txt", in);
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  ASSERT_EQ(platform.questions.size(), static_cast<size_t>(kEntries));
  for (int i = 1; i <= kEntries; i += 997) {
    ASSERT_EQ(platform.questions[static_cast<size_t>(i - 1)].rfind("Caution:  the word Q" + std::to_string(i) + " ]", 0),
              0u);
  }
  EXPECT_EQ(platform.questions.back().rfind("Caution:  the word Q140000 ]", 0), 0u);
  // Ids in order of first occurrence, as one pass gives them.
  EXPECT_EQ(form->lexicon().Symbols.Text(form->lexicon().Transcriptions.At(kEntries, 2)), "Q140000");
  EXPECT_EQ(form->lexicon().Transcriptions.At(kEntries, 2), static_cast<SymbolId>(kEntries + 2));
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoThreads, Division, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "TwoThreads" : "OneThread"; });

}  // namespace
}  // namespace velmora
