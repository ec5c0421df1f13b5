// A query: a plain value holding everything a search depends on. The window
// builds it from its controls once, when a search button is clicked; the
// batch tool builds it from its command line. Nothing else is read while the
// search runs.
#ifndef VELMORA_SEARCH_QUERY_H_
#define VELMORA_SEARCH_QUERY_H_

#include <array>
#include <cstdint>
#include <string>

#include "lexicon/lexicon.h"

namespace velmora {

inline constexpr int kMaxItems = 5;

struct Query {
  enum class Kind { kTranscriptions, kOrthography };
  Kind kind = Kind::kTranscriptions;
  // The five boxes as typed (the transcription search reads them trimmed and
  // moved to the left by ValidateItems; both searches show them).
  std::array<std::string, kMaxItems> items;
  std::array<bool, kMaxItems> ignore{};  // "ignore this item when sorting"
  bool syllabified = false;
  bool vowels = false;        // search the vowel tier
  bool exclude = false;       // leave out entries that carry an annotation
  int32_t exampleLengthLimit = 100;
  std::string orthography;    // the orthography search's string, trimmed

  // The tier a transcription search reads.
  Tier tier() const { return vowels ? Tier::kVowels : syllabified ? Tier::kSyllabified : Tier::kPlain; }
};

// The number of items of a search: boxes from Box 1 on up to the first empty one.
int32_t SetSearchStringLength(const std::array<std::string, kMaxItems>& items);

// The search string as the result files show it: the five boxes joined by one
// blank, trimmed.
std::string SearchStringDisplay(const std::array<std::string, kMaxItems>& items);

// Why ValidateItems refused the boxes.
struct Refusal {
  enum Kind { kNone, kNoItems, kIllegalItem };
  Kind kind = kNone;
  int box = 0;  // the first refused box, for kIllegalItem
  bool refused() const { return kind != kNone; }
};

// Trims every box and moves the items to the left over empty boxes; then
// every item must be a symbol of the inventory or the name of a class,
// ignoring case.
Refusal ValidateItems(std::array<std::string, kMaxItems>& items, const Lexicon& lexicon);

}  // namespace velmora

#endif  // VELMORA_SEARCH_QUERY_H_
