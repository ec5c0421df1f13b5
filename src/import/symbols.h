// SPDX-License-Identifier: GPL-3.0-or-later
// Symbols of an imported lexicon: a written transcription cut into tokens
// (segments and the syllable and stress marks between them), the stress
// digits that the marks give the vowels, and the cutting of an IPA text into
// the longest symbols of an inventory.
#ifndef VELMORA_IMPORT_SYMBOLS_H_
#define VELMORA_IMPORT_SYMBOLS_H_

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora::import {

// One piece of a written transcription.
struct Token {
  enum Kind { kSegment, kSyllable, kPrimary, kSecondary };
  Kind kind = kSegment;
  std::string text;       // the segment, for kSegment
  bool unplaced = false;  // a segment of IPA text that no symbol of the inventory matched
};

// The symbol without its stress digit and without the suffix Coda
// ("a1" -> "a", "NCoda" -> "N"); a symbol that is nothing else stays.
std::string_view BaseSymbol(std::string_view symbol);

// Whether the symbol ends in a stress digit 0, 1 or 2 after something else.
bool HasStressDigit(std::string_view symbol);

// The segments of the tokens, each vowel (by is_vowel of its text) that has no
// stress digit given one: in a word that marks no stress every vowel gets 0;
// otherwise the first run of vowels after a primary (secondary) mark gets 1
// (2), and every other vowel 0. A segment that carries a digit stays as it is.
std::vector<std::string> AssignStress(const std::vector<Token>& tokens,
                                      const std::function<bool(std::string_view)>& is_vowel);

// Cuts IPA text into segments by the longest match against a set of symbols.
// The text is first cut into characters with what belongs to them: the
// combining diacritics (U+0300 to U+036F) that follow, the next character
// after a tie bar (U+0361, U+035C), and the length marks ː and ˑ. A symbol
// matches a run of such characters whole. ˈ and ' are primary stress, ˌ
// secondary, and . - and blanks syllable breaks. A character that no symbol
// matches is a segment of its own, marked unplaced.
class Segmenter {
 public:
  explicit Segmenter(const std::vector<std::string>& symbols);
  std::vector<Token> Cut(std::string_view ipa) const;

 private:
  std::unordered_set<std::string> symbols_;
  size_t longest_ = 1;  // characters (with what belongs to them) of the longest symbol
};

}  // namespace velmora::import

#endif  // VELMORA_IMPORT_SYMBOLS_H_
