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

std::vector<std::string> Row(Form1& f, const SegmentTable& t, const std::vector<int32_t>& lengths, int32_t n) {
  std::vector<std::string> out;
  for (int32_t j = 1; j <= lengths[n]; ++j) out.push_back(f.lexicon().Symbols.Text(t.At(n, j)));
  return out;
}

using V = std::vector<std::string>;

TEST_P(Division, PlainTranscriptionsWithBoundariesAndTheVowelTier) {
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_TRUE(form->OnceOnlyTasksDone);
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 4), (V{"[", "T", "AE1", "B", "]"}));
  // The vowel tier is made when a search first asks for it.
  EXPECT_FALSE(form->lexicon().VowelTranscriptions.filled());
  form->lexicon().MakeVowelTier();
  EXPECT_EQ(Row(*form, form->lexicon().VowelTranscriptions, form->lexicon().VowelTranscriptionLengths, 5), (V{"[", "AE1", "ER0", "]"}));
  // The table not chosen stays empty.
  EXPECT_FALSE(form->lexicon().SyllabifiedTranscriptions.filled());
  EXPECT_TRUE(platform.questions.empty());
}

TEST_P(Division, SyllabifiedDataKeepCodaSymbolsWithoutACaution) {
  Start();
  platform.SetValue(Control::chkSyllabified, 1);
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_EQ(Row(*form, form->lexicon().SyllabifiedTranscriptions, form->lexicon().TranscriptionLengths, 4),
            (V{"[", "T", "AE1", "BCoda", "]"}));
  EXPECT_TRUE(platform.questions.empty());
}

TEST_P(Division, TwoBlanksInARowEndTheEntry) {
  Write("in.txt", "a\tT  AE1 B\r\nb\t\r\nc\t T\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 1), (V{"[", "T"}));
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 2), (V{"["}));
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 3), (V{"["}));
  EXPECT_TRUE(platform.questions.empty());  // what was not stored was not vetted
}

// Segments of every length around the eight bytes read at once, in the
// middle of the file and at its very end (where fewer than eight remain).
TEST_P(Division, SegmentsOfAnyLengthAreCutAtTheirBlanks) {
  Write("AllSegments.txt", "[\r\n]\r\nA\r\nABCDEFG\r\nABCDEFGH\r\nABCDEFGHI\r\nAB\r\n");
  Write("in.txt", "w\tABCDEFG ABCDEFGH A ABCDEFGHI AB\tx\r\nv\tAB A ABCDEFGH ABCDEFG\r\nu\tABCDEFGHI A");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 1),
            (V{"[", "ABCDEFG", "ABCDEFGH", "A", "ABCDEFGHI", "AB", "]"}));
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 2),
            (V{"[", "AB", "A", "ABCDEFGH", "ABCDEFG", "]"}));
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 3), (V{"[", "ABCDEFGHI", "A", "]"}));
  // One id for one text, however it was found.
  EXPECT_EQ(form->lexicon().Transcriptions.At(1, 2), form->lexicon().Transcriptions.At(2, 5));
  EXPECT_EQ(form->lexicon().Transcriptions.At(1, 3), form->lexicon().Transcriptions.At(2, 4));
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

TEST_P(Division, ASymbolMissingFromTheInventoryIsQuestionedAndKeptOnYes) {
  Write("AllSegments.txt", "[\r\n]\r\nT\r\nB\r\n");
  Write("in.txt", "tab\tT AE1 B\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  EXPECT_EQ(platform.questions,
            V{"Caution:  the word AE1 B ] contains the sound [AE1], which is not on the list of phonemes "
              "AllSegments.txt.  You may want to adjust either in.txt or AllSegments.txt before continuing.  Click "
              "Yes to continue, No to exit program."});
  EXPECT_EQ(Row(*form, form->lexicon().Transcriptions, form->lexicon().TranscriptionLengths, 1), (V{"[", "T", "AE1", "B", "]"}));
}

TEST_P(Division, EveryOccurrenceIsQuestionedAndLetterCaseCounts) {
  Write("AllSegments.txt", "[\r\n]\r\nT\r\n");
  Write("in.txt", "a\tt T\r\nb\tt\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  ASSERT_EQ(platform.questions.size(), 2u);
  EXPECT_NE(platform.questions[0].find("the word t T ] contains the sound [t]"), std::string::npos);
  EXPECT_NE(platform.questions[1].find("the word t ] contains the sound [t]"), std::string::npos);
}

TEST_P(Division, AnInventoryWithoutBoundariesQuestionsBothForEveryEntry) {
  Write("AllSegments.txt", "T\r\n");
  Write("in.txt", "a\tT\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  ASSERT_EQ(platform.questions.size(), 2u);
  EXPECT_NE(platform.questions[0].find("the word [ T ] contains the sound [[]"), std::string::npos);
  EXPECT_NE(platform.questions[1].find("the word ] contains the sound []]"), std::string::npos);
}

TEST_P(Division, ACodaSymbolInPlainDataDrawsTheCodaCautionFirst) {
  Write("in.txt", "tab\tT AE1 BCoda\r\nx\tT zCODA\r\n");
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  ASSERT_EQ(platform.questions.size(), 3u);
  EXPECT_EQ(platform.questions[0],
            "Caution:  the word BCoda ] contains the sound [BCoda], but you're doing a simulation specified for "
            "nonsyllabified segments.  You may want to adjust your input files.");
  // zCODA is also missing from the inventory: the second caution follows.
  EXPECT_NE(platform.questions[1].find("[zCODA], but you're doing"), std::string::npos);
  EXPECT_NE(platform.questions[2].find("[zCODA], which is not on the list"), std::string::npos);
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

TEST_P(Division, WithoutAVowelClassTheVowelTierHoldsTheBoundariesOnly) {
  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/VOWEL.txt").c_str()), 0);
  Start();
  ASSERT_TRUE(form->DoOnceOnlyTasks());
  form->lexicon().MakeVowelTier();
  EXPECT_EQ(Row(*form, form->lexicon().VowelTranscriptions, form->lexicon().VowelTranscriptionLengths, 1), (V{"[", "]"}));
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
  EXPECT_EQ(Row(*form, form->lexicon().SyllabifiedTranscriptions, form->lexicon().TranscriptionLengths, 1),
            (V{"[", "T", "AE1", "ZCoda", "]"}));
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
