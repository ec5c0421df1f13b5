// The Maximal Onset rule and the vowel and onset lists. The filling of a
// dictionary's syllabified field is the tool's (tool_test.cc).
#include "syllabify/syllabifier.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmora::syllabify
