#include "syllabify/syllabifier.h"

#include <gtest/gtest.h>

#include "syllabify/dictionary_file.h"

namespace velmora::syllabify {
namespace {

// English-like onsets: the single consonants but NG, and a few clusters.
Syllabifier English() {
  return Syllabifier(
      VowelSet({"AA", "AE", "AH", "AO", "AY", "EH", "ER", "EY", "IH", "IY", "OW", "UW"}),
      OnsetSet({"P", "B", "T", "D", "K", "G", "CH", "F", "TH", "S", "SH", "M", "N", "L",
                "R", "W", "Y", "HH", "S T", "S T R", "T R", "P R", "K R", "K L", "P L",
                "S P L", "S K W", "K W", "B L"}));
}

TEST(SyllabifierTest, MaximisesOnsetsAcrossWordInternalClusters) {
  const Syllabifier s = English();
  // K S T R: only S T R is a legal onset, so K closes the first syllable.
  EXPECT_EQ(s.Syllabify("EH1 K S T R AH0"), "EH1 KCoda S T R AH0");
  EXPECT_EQ(s.Syllabify("IH0 N S T R AH1 K T"), "IH0 NCoda S T R AH1 KCoda TCoda");
  // TH L is no English onset: TH closes the first syllable.
  EXPECT_EQ(s.Syllabify("AE1 TH L IY2 T"), "AE1 THCoda L IY2 TCoda");
  EXPECT_EQ(s.Syllabify("IH0 K S P L EY1 N"), "IH0 KCoda S P L EY1 NCoda");
  EXPECT_EQ(s.Syllabify("K AH0 N S K W EH1 N S"), "K AH0 NCoda S K W EH1 NCoda SCoda");
}

TEST(SyllabifierTest, SingleConsonantBetweenVowelsOpensTheNextSyllable) {
  const Syllabifier s = English();
  EXPECT_EQ(s.Syllabify("S IH1 T IY0"), "S IH1 T IY0");
  // NG is no onset: it stays with the syllable before.
  EXPECT_EQ(s.Syllabify("S IH1 NG ER0"), "S IH1 NGCoda ER0");
  // Neighbouring vowels: no consonant to divide.
  EXPECT_EQ(s.Syllabify("K EY1 AA0 S"), "K EY1 AA0 SCoda");
}

TEST(SyllabifierTest, WordEdges) {
  const Syllabifier s = English();
  EXPECT_EQ(s.Syllabify("T AE1 B"), "T AE1 BCoda");
  EXPECT_EQ(s.Syllabify("CH AY1 L D"), "CH AY1 LCoda DCoda");
  // Word-initial consonants are onsets even where they form no listed onset.
  EXPECT_EQ(s.Syllabify("T S EH1 T S IY0"), "T S EH1 TCoda S IY0");
  EXPECT_EQ(s.Syllabify("AH0"), "AH0");
  EXPECT_EQ(s.Syllabify(""), "");
}

TEST(SyllabifierTest, WordWithoutVowelIsLeftUnmarked) {
  const Syllabifier s = English();
  EXPECT_EQ(s.Syllabify("HH M"), "HH M");
  EXPECT_EQ(s.Syllabify("SH"), "SH");
}

TEST(SyllabifierTest, VowelListCoversStressDigitsAndIgnoresCase) {
  const VowelSet bare({"AA", "ER"});
  EXPECT_TRUE(bare.IsVowel("AA1"));
  EXPECT_TRUE(bare.IsVowel("AA0"));
  EXPECT_TRUE(bare.IsVowel("AA"));
  EXPECT_TRUE(bare.IsVowel("er2"));
  EXPECT_FALSE(bare.IsVowel("AAB1"));
  EXPECT_FALSE(bare.IsVowel("1"));
  EXPECT_FALSE(bare.IsVowel(""));

  // A class file lists the stressed forms; those do not cover the bare symbol.
  const VowelSet stressed({"AA0", "AA1", " AA2 ", ""});
  EXPECT_TRUE(stressed.IsVowel("AA2"));
  EXPECT_FALSE(stressed.IsVowel("AA"));
  EXPECT_FALSE(stressed.IsVowel("AA3"));
}

TEST(SyllabifierTest, StressDigitsStayOnTheVowels) {
  const Syllabifier s(VowelSet({"AA0", "AA1", "AA2"}), OnsetSet({"P"}));
  EXPECT_EQ(s.Syllabify("P AA1 P AA2 P AA0 P"), "P AA1 P AA2 P AA0 PCoda");
}

TEST(SyllabifierTest, OnsetIsTheLongestLegalFinalRun) {
  // S T R and R are legal, T R is not: the onset is the whole S T R, not a
  // run with a gap in it.
  const Syllabifier s(VowelSet({"A"}), OnsetSet({"S T R", "R"}));
  EXPECT_EQ(s.Syllabify("A S T R A"), "A S T R A");
  EXPECT_EQ(s.Syllabify("A T R A"), "A TCoda R A");
  EXPECT_EQ(s.Syllabify("A K T A"), "A KCoda TCoda A");
}

TEST(SyllabifierTest, OnsetListIgnoresCaseAndSpacing) {
  const Syllabifier s(VowelSet({"a"}), OnsetSet({"  s   t ", "t"}));
  EXPECT_EQ(s.Syllabify("A S T A"), "A S T A");
  EXPECT_EQ(s.Syllabify("A  S  T  A "), "A S T A");
}

TEST(SyllabifyDictionaryTest, FillsFieldThreeAndKeepsTheRest) {
  const Syllabifier s = English();
  SyllabifyCounts counts;
  std::vector<std::string> out = SyllabifyDictionary(
      {"tab\tT AE1 B\told\tnote\t12\t3", "child\tCH AY1 L D", "", "hmm\tHH M\t\t\t1\t2\textra"},
      s, &counts);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0], "tab\tT AE1 B\tT AE1 BCoda\tnote\t12\t3");
  EXPECT_EQ(out[1], "child\tCH AY1 L D\tCH AY1 LCoda DCoda\t\t\t");
  EXPECT_EQ(out[2], "");
  EXPECT_EQ(out[3], "hmm\tHH M\tHH M\t\t1\t2\textra");
  EXPECT_EQ(counts.entries, 3);
  EXPECT_EQ(counts.without_vowel, 1);
}

}  // namespace
}  // namespace velmora::syllabify
