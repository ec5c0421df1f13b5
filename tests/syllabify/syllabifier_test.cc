// SPDX-License-Identifier: GPL-3.0-or-later
// The Maximal Onset rule and the vowel and onset lists, and the annotation
// of compounds and affixed words. The filling of a dictionary's syllabified
// field is the tool's (tool_test.cc).
#include <gtest/gtest.h>

#include "syllabify/annotation.h"
#include "syllabify/syllabifier.h"

namespace velmora::syllabify {
namespace {

using Lines = std::vector<std::string>;

// English-like: the single consonants but NG, and a few clusters.
const Lines kVowels = {"AA", "AE", "AH", "AO", "AY", "EH", "ER", "EY", "IH", "IY", "OW", "UW"};
const Lines kOnsets = {"P", "B", "T", "D", "K", "G", "CH", "F", "TH", "S", "SH", "M", "N", "L", "R", "W", "Y",
                       "HH", "S T", "S T R", "T R", "P R", "K R", "K L", "K W", "S K W"};

TEST(SyllabifierTest, CodasByMaximalOnset) {
  const struct {
    Lines vowels, onsets;
    const char* plain;
    const char* syllabified;
  } cases[] = {
      // K S T R: only S T R is an onset, so K closes the first syllable.
      {kVowels, kOnsets, "EH1 K S T R AH0", "EH1 KCoda S T R AH0"},
      {kVowels, kOnsets, "IH0 N S T R AH1 K T", "IH0 NCoda S T R AH1 KCoda TCoda"},
      {kVowels, kOnsets, "AE1 TH L IY2 T", "AE1 THCoda L IY2 TCoda"},
      {kVowels, kOnsets, "K AH0 N S K W EH1 N S", "K AH0 NCoda S K W EH1 NCoda SCoda"},
      {kVowels, kOnsets, "S IH1 T IY0", "S IH1 T IY0"},
      {kVowels, kOnsets, "S IH1 NG ER0", "S IH1 NGCoda ER0"},
      {kVowels, kOnsets, "K EY1 AA0 S", "K EY1 AA0 SCoda"},
      // Every consonant after the last vowel, up to the last segment.
      {kVowels, kOnsets, "CH AY1 L D", "CH AY1 LCoda DCoda"},
      // Word-initial consonants open the word even where no onset lists them.
      {kVowels, kOnsets, "T S EH1 T S IY0", "T S EH1 TCoda S IY0"},
      {kVowels, kOnsets, "AH0", "AH0"},
      {kVowels, kOnsets, "HH M", "HH M"},
      {kVowels, kOnsets, "", ""},
      // Blanks are normalised; stress digits stay on the vowels.
      {kVowels, kOnsets, "  T  AE1   B ", "T AE1 BCoda"},
      {{"AA0", "AA1", "AA2"}, {"P"}, "P AA1 P AA2 P AA0 P", "P AA1 P AA2 P AA0 PCoda"},
      // The onset is the longest legal final run: T R is not, though R is.
      {{"A"}, {"S T R", "R"}, "A S T R A", "A S T R A"},
      {{"A"}, {"S T R", "R"}, "A T R A", "A TCoda R A"},
      {{"A"}, {"S T R", "R"}, "A K T A", "A KCoda TCoda A"},
      // Both lists ignore letter case and blanks; a listed vowel covers
      // itself followed by stress digits, and only then.
      {{" a ", ""}, {"  s   t ", "t", ""}, "A S T A", "A S T A"},
      {{"AA", "ER"}, {}, "K AA T er2 T", "K AA TCoda er2 TCoda"},
      {{"AA", "ER"}, {}, "K AAB1 T 1", "K AAB1 T 1"},
      {{"AA0", "AA1"}, {}, "K AA AA2 T", "K AA AA2 T"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Syllabifier(VowelSet(c.vowels), OnsetSet(c.onsets)).Syllabify(c.plain), c.syllabified)
        << c.plain;
  }
}

// Which words the annotation calls compound or affixed, and into which parts.
TEST(AnnotationTest, PartsWhoseSpellingAndSoundsJoinToTheWord) {
  const Annotator annotator({
      {"kind", "K AY1 N D"},   {"black", "B L AE1 K"},  {"bird", "B ER1 D"},     {"blackbird", "B L AE1 K B ER0 D"},
      {"make", "M EY1 K"},     {"stop", "S T AA1 P"},   {"happy", "HH AE1 P IY0"}, {"box", "B AA1 K S"},
      {"cry", "K R AY1"},      {"car", "K AA1 R"},      {"ton", "T AH1 N"},      {"hope", "HH OW1 P"},
      {"hop", "HH AA1 P"},     {"go", "G OW1"},         {"ne", "N IY1"},         {"am", "AE1 M"},
      {"bush", "B UH1 SH"},    {"sense", "S EH1 N S"},  {"love", "L AH1 V"},     {"sea", "S IY1"},
      {"son", "S AH1 N"},      {"john", "JH AA1 N"},    {"self", "S EH1 L F"},   {"her", "HH ER1"},
      {"large", "L AA1 R JH"}, {"read", "R IY1 D"},     {"wash", "W AA1 SH"},    {"able", "EY1 B AH0 L"},
      {"bodied", "B AA1 D IY0 D"},
  });
  const struct {
    const char* spelling;
    const char* transcription;
    const char* annotation;
  } cases[] = {
      {"kindness", "K AY1 N D N AH0 S", "affixed: kind+ness"},
      {"kindly", "K AY1 N D L IY0", "affixed: kind+ly"},
      {"kinder", "K AY1 N D ER0", "affixed: kind+er"},
      {"kindest", "K AY1 N D AH0 S T", "affixed: kind+est"},
      {"washed", "W AA1 SH T", "affixed: wash+ed"},
      {"going", "G OW1 IH0 NG", "affixed: go+ing"},
      {"john's", "JH AA1 N Z", "affixed: john+s"},
      // Spelling changes at the join.
      {"making", "M EY1 K IH0 NG", "affixed: make+ing"},
      {"loved", "L AH1 V D", "affixed: love+ed"},
      {"stopped", "S T AA1 P T", "affixed: stop+ed"},
      {"happiness", "HH AE1 P IY0 N AH0 S", "affixed: happy+ness"},
      {"boxes", "B AA1 K S AH0 Z", "affixed: box+s"},
      {"cries", "K R AY1 Z", "affixed: cry+s"},
      {"goes", "G OW1 Z", "affixed: go+s"},
      {"larger", "L AA1 R JH ER0", "affixed: large+er"},
      // hope and hop both fit the spelling of hoping; the sounds choose.
      {"hoping", "HH OW1 P IH0 NG", "affixed: hope+ing"},
      {"hopping", "HH AA1 P IH0 NG", "affixed: hop+ing"},
      // Prefixes, with any stress on the prefix, and with a hyphen.
      {"unkind", "AH0 N K AY1 N D", "affixed: un+kind"},
      {"unkind", "AH2 N K AY1 N D", "affixed: un+kind"},
      {"nonsense", "N AA1 N S EH0 N S", "affixed: non+sense"},
      {"non-sense", "N AA1 N S EH1 N S", "affixed: non+sense"},
      {"reread", "R IY0 R IY1 D", "affixed: re+read"},
      {"remake", "R IH0 M EY1 K", ""},
      // Compounds: stress digits aside, but a schwa is not AH1.
      {"blackbird", "B L AE1 K B ER0 D", "compound: black+bird"},
      {"herself", "HH ER0 S EH1 L F", "compound: her+self"},
      {"able-bodied", "EY1 B AH0 L B AA1 D IY0 D", "compound: able+bodied"},
      {"blackbird", "B L AE1 K B ER0 D D", ""},
      {"carton", "K AA1 R T AH0 N", ""},
      {"season", "S IY1 Z AH0 N", ""},
      // A suffix comes before a compound.
      {"blackbirds", "B L AE1 K B ER0 D Z", "affixed: blackbird+s"},
      // Sounds that differ from the stem's, letters alone, short pieces.
      {"kindness", "K IH1 N D N AH0 S", ""},
      {"reader", "R EH1 D ER0", ""},
      {"kindling", "K IH1 N D L IH0 NG", ""},
      {"stopps", "S T AA1 P S", ""},  // -s doubles no letter
      {"need", "N IY1 D", ""},
      {"ambush", "AE1 M B UH2 SH", ""},
      // A word is not its own stem or part.
      {"kind", "K AY1 N D", ""},
      {"", "", ""},
      {"kindness", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(annotator.Annotate(c.spelling, c.transcription), c.annotation)
        << c.spelling << " " << c.transcription;
  }
}

}  // namespace
}  // namespace velmora::syllabify
