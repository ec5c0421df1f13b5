// SPDX-License-Identifier: GPL-3.0-or-later
// Recognition of compounds and productively affixed forms.
//
// A word is annotated when its spelling divides into listed parts whose
// transcriptions join to give the word's own transcription. Transcriptions
// are compared by vowel quality: stress digits aside, except that unstressed
// AH0 (schwa) is a vowel of its own, apart from stressed AH1/AH2 (the vowel
// of "cut"); so carton (K AA1 R T AH0 N) is no car+ton (T AH1 N), while
// blackbird (B L AE1 K B ER0 D) is black+bird (B ER1 D).
//
// The checks run in this order, and the first that holds gives the
// annotation:
//   1. "affixed: STEM+SUFFIX": the spelling is a listed stem plus one of the
//      suffixes ness less ment ful ing est ly ed er s, and the transcription
//      is the stem's followed by one of that suffix's forms (-s: S, Z, AH0 Z,
//      IH Z; -ed: D, T, AH0 D, IH D; ...). The usual spelling changes at the
//      join are recognised: a final e of the stem dropped (make → making,
//      love → loved), a doubled final consonant (stop → stopped), y spelled i
//      (happy → happiness, cry → cries), -es after the stem (box → boxes),
//      and 's for the possessive.
//   2. "affixed: PREFIX+STEM": one of the prefixes un re non (also written
//      with a hyphen) before a listed stem of three letters or more, with the
//      transcription of the prefix (AH N, R IY, N AA N) before the stem's.
//   3. "compound: FIRST+SECOND": the spelling splits into two listed words
//      (or two joined by a hyphen) whose transcriptions join to the word's.
// Stems have three letters or more, or are be, do or go; compound parts have
// three letters or more, or are one of the two-letter words be by do go in
// it my no of on to up. Shorter pieces are mostly syllables that happen to be
// listed words (ne+ed, am+bush). The stem or part must be a word other than
// the word itself. Where several divisions hold, the first in the order above
// wins: suffixes in the order listed, for each the stem as written, then
// with e restored, undoubled, y for i; among compound divisions the one with
// the shortest first part.
#ifndef VELMORA_SYLLABIFY_ANNOTATION_H_
#define VELMORA_SYLLABIFY_ANNOTATION_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora::syllabify {

class Annotator {
 public:
  // `lexicon` maps each listed spelling to its plain transcription; it is
  // the stock of stems and compound parts.
  explicit Annotator(const std::unordered_map<std::string, std::string>& lexicon);

  // The annotation of the word `spelling` with plain transcription
  // `transcription`, or "" when it is neither compound nor affixed.
  std::string Annotate(const std::string& spelling,
                       std::string_view transcription) const;

 private:
  // Stress-free segments of a listed word, or nullptr when it is not listed.
  const std::vector<std::string>* Lookup(const std::string& spelling) const;
  std::string FindSuffix(const std::string& spelling,
                         const std::vector<std::string>& sounds) const;
  std::string FindPrefix(const std::string& spelling,
                         const std::vector<std::string>& sounds) const;
  std::string FindCompound(const std::string& spelling,
                           const std::vector<std::string>& sounds) const;

  std::unordered_map<std::string, std::vector<std::string>> lexicon_;
};

// The segments of `transcription` as the annotation compares them: without
// their stress digits, except that unstressed AH0 (schwa) becomes "AX", a
// vowel apart from stressed AH1 and AH2.
std::vector<std::string> VowelQualities(std::string_view transcription);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_ANNOTATION_H_
