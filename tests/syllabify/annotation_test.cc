#include "syllabify/annotation.h"

#include <gtest/gtest.h>

namespace velmora::syllabify {
namespace {

class AnnotationTest : public ::testing::Test {
 protected:
  AnnotationTest()
      : annotator_({
            {"kind", "K AY1 N D"},       {"black", "B L AE1 K"},
            {"bird", "B ER1 D"},         {"blackbird", "B L AE1 K B ER0 D"},
            {"make", "M EY1 K"},         {"stop", "S T AA1 P"},
            {"happy", "HH AE1 P IY0"},   {"box", "B AA1 K S"},
            {"cry", "K R AY1"},          {"car", "K AA1 R"},
            {"ton", "T AH1 N"},          {"hope", "HH OW1 P"},
            {"hop", "HH AA1 P"},         {"go", "G OW1"},
            {"ne", "N IY1"},             {"am", "AE1 M"},
            {"bush", "B UH1 SH"},        {"sense", "S EH1 N S"},
            {"love", "L AH1 V"},         {"sea", "S IY1"},
            {"son", "S AH1 N"},          {"john", "JH AA1 N"},
            {"self", "S EH1 L F"},       {"her", "HH ER1"},
            {"large", "L AA1 R JH"},     {"read", "R IY1 D"},
            {"wash", "W AA1 SH"},        {"out", "AW1 T"},
            {"able", "EY1 B AH0 L"},     {"bodied", "B AA1 D IY0 D"},
        }) {}

  std::string Annotate(const std::string& spelling, const std::string& transcription) {
    return annotator_.Annotate(spelling, transcription);
  }

  Annotator annotator_;
};

TEST_F(AnnotationTest, SuffixedFormsWhoseSoundsAreTheStemsPlusTheSuffix) {
  EXPECT_EQ(Annotate("kindness", "K AY1 N D N AH0 S"), "affixed: kind+ness");
  EXPECT_EQ(Annotate("kindly", "K AY1 N D L IY0"), "affixed: kind+ly");
  EXPECT_EQ(Annotate("kinder", "K AY1 N D ER0"), "affixed: kind+er");
  EXPECT_EQ(Annotate("kindest", "K AY1 N D AH0 S T"), "affixed: kind+est");
  EXPECT_EQ(Annotate("washed", "W AA1 SH T"), "affixed: wash+ed");
  EXPECT_EQ(Annotate("going", "G OW1 IH0 NG"), "affixed: go+ing");
  EXPECT_EQ(Annotate("john's", "JH AA1 N Z"), "affixed: john+s");
}

TEST_F(AnnotationTest, SpellingChangesAtTheJoin) {
  EXPECT_EQ(Annotate("making", "M EY1 K IH0 NG"), "affixed: make+ing");
  EXPECT_EQ(Annotate("loved", "L AH1 V D"), "affixed: love+ed");
  EXPECT_EQ(Annotate("stopped", "S T AA1 P T"), "affixed: stop+ed");
  EXPECT_EQ(Annotate("happiness", "HH AE1 P IY0 N AH0 S"), "affixed: happy+ness");
  EXPECT_EQ(Annotate("boxes", "B AA1 K S AH0 Z"), "affixed: box+s");
  EXPECT_EQ(Annotate("cries", "K R AY1 Z"), "affixed: cry+s");
  EXPECT_EQ(Annotate("goes", "G OW1 Z"), "affixed: go+s");
  // hope and hop both fit the spelling of hoping; the sounds pick hope.
  EXPECT_EQ(Annotate("hoping", "HH OW1 P IH0 NG"), "affixed: hope+ing");
  EXPECT_EQ(Annotate("hopping", "HH AA1 P IH0 NG"), "affixed: hop+ing");
}

TEST_F(AnnotationTest, PronunciationMustAgreeNotOnlyTheSpelling) {
  // Spelled like kind+ness, but the vowel differs from the stem's.
  EXPECT_EQ(Annotate("kindness", "K IH1 N D N AH0 S"), "");
  // -er after a vowel letter that is no e-drop: "larger" keeps the stem whole.
  EXPECT_EQ(Annotate("larger", "L AA1 R JH ER0"), "affixed: large+er");
  EXPECT_EQ(Annotate("reader", "R EH1 D ER0"), "");
  // sea+son: Z is not S, and the schwa is not the stressed vowel of son.
  EXPECT_EQ(Annotate("season", "S IY1 Z AH0 N"), "");
  // car+ton by spelling, but the word's AH0 is a schwa, not the AH1 of ton.
  EXPECT_EQ(Annotate("carton", "K AA1 R T AH0 N"), "");
  // The letters of a listed word alone are not a stem.
  EXPECT_EQ(Annotate("kindling", "K IH1 N D L IH0 NG"), "");
}

TEST_F(AnnotationTest, PrefixedForms) {
  EXPECT_EQ(Annotate("unkind", "AH0 N K AY1 N D"), "affixed: un+kind");
  EXPECT_EQ(Annotate("unkind", "AH2 N K AY1 N D"), "affixed: un+kind");
  EXPECT_EQ(Annotate("nonsense", "N AA1 N S EH0 N S"), "affixed: non+sense");
  EXPECT_EQ(Annotate("reread", "R IY0 R IY1 D"), "affixed: re+read");
  EXPECT_EQ(Annotate("non-sense", "N AA1 N S EH1 N S"), "affixed: non+sense");
  EXPECT_EQ(Annotate("remake", "R IH0 M EY1 K"), "");
}

TEST_F(AnnotationTest, CompoundsIgnoreStressDigits) {
  EXPECT_EQ(Annotate("blackbird", "B L AE1 K B ER0 D"), "compound: black+bird");
  EXPECT_EQ(Annotate("herself", "HH ER0 S EH1 L F"), "compound: her+self");
  EXPECT_EQ(Annotate("washout", "W AA1 SH AW2 T"), "compound: wash+out");
  EXPECT_EQ(Annotate("able-bodied", "EY1 B AH0 L B AA1 D IY0 D"), "compound: able+bodied");
  EXPECT_EQ(Annotate("blackbird", "B L AE1 K B ER0 T"), "");
}

TEST_F(AnnotationTest, SuffixComesBeforeCompound) {
  EXPECT_EQ(Annotate("blackbirds", "B L AE1 K B ER0 D Z"), "affixed: blackbird+s");
}

TEST_F(AnnotationTest, ShortPiecesAreNoStemsOrParts) {
  // ne+ed and am+bush: the pieces are listed, but two-letter pieces are
  // stems only for be, do, go and parts only for a few function words.
  EXPECT_EQ(Annotate("need", "N IY1 D"), "");
  EXPECT_EQ(Annotate("ambush", "AE1 M B UH2 SH"), "");
}

TEST_F(AnnotationTest, WordIsNotItsOwnStem) {
  EXPECT_EQ(Annotate("kind", "K AY1 N D"), "");
  EXPECT_EQ(Annotate("black", "B L AE1 K"), "");
  EXPECT_EQ(Annotate("", ""), "");
  EXPECT_EQ(Annotate("kindness", ""), "");
}

TEST(VowelQualitiesTest, DropsStressButKeepsSchwaApart) {
  EXPECT_EQ(VowelQualities("B AH1 T AH0 N ER0 IY2"),
            (std::vector<std::string>{"B", "AH", "T", "AX", "N", "ER", "IY"}));
}

}  // namespace
}  // namespace velmora::syllabify
