// SPDX-License-Identifier: GPL-3.0-or-later
// A query: a plain value holding everything a search depends on. The window
// builds it from its controls once, when a search button is clicked; the
// batch tool builds it from its command line. Nothing else is read while the
// search runs.
#ifndef VELMORA_SEARCH_QUERY_H_
#define VELMORA_SEARCH_QUERY_H_

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classes/natural_classes.h"
#include "features/feature_table.h"
#include "lexicon/lexicon.h"
#include "platform/status.h"
#include "search/filters.h"
#include "search/item_syntax.h"

namespace velmora {

inline constexpr int kMaxItems = 5;

// The boxes of a transcription search read by the search language: one item
// per filled box, in box order, and the feature table the bundles were read
// with (null when no box holds a bundle).
struct ParsedBoxes {
  std::vector<ParsedItem> items;
  std::shared_ptr<const FeatureTable> features;
};

// The tier that the search of these choices reads.
inline Tier TierOf(bool syllabified, bool vowels) {
  return vowels ? Tier::kVowels : syllabified ? Tier::kSyllabified : Tier::kPlain;
}

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
  LexicalFilters filters;     // entries failing them count as entries without hits
  // The entries' measures when the filters use them (the engine sets them).
  std::shared_ptr<const EntryMeasures> measures;
  // The boxes as ValidateItems read them, so that the search reads them no
  // more; empty when the boxes were not validated (the search then reads
  // them itself, by the one matching rule and without a feature table).
  ParsedBoxes parsed;
  // The natural classes the items are read with; null reads as no classes.
  std::shared_ptr<const ClassTable> classes;
  // The dictionary file searched, a name in the program folder.
  std::string inputFileName = "in.txt";
  const ClassTable& Classes() const;

  // The tier a transcription search reads.
  Tier tier() const { return TierOf(syllabified, vowels); }
};

// The number of items of a search: boxes from Box 1 on up to the first empty one.
int32_t SetSearchStringLength(const std::array<std::string, kMaxItems>& items);

// The search string as the result files show it: the five boxes joined by one
// blank, trimmed.
std::string SearchStringDisplay(const std::array<std::string, kMaxItems>& items);

// Why ValidateItems refused the boxes.
struct Refusal {
  enum Kind { kNone, kNoItems, kIllegalItem, kMalformedItem };
  Kind kind = kNone;
  int box = 0;          // the first refused box, for kIllegalItem and kMalformedItem
  std::string message;  // kMalformedItem: "Box N: what is wrong", unless features says it
  Status features;      // kMalformedItem: why the box's bundle could not be read with the feature table
  bool refused() const { return kind != kNone; }
};

// Reads the feature table when a box holds a bundle: null with *status set
// when it cannot.
using FeatureLoader = std::function<std::shared_ptr<const FeatureTable>(Status* status)>;
inline constexpr const char* kFeatureTableFileName = "Features.txt";
// The loader of folder's Features.txt, read afresh at each call.
FeatureLoader FeaturesOfFolder(const std::string& folder);

// Trims every box and moves the items to the left over empty boxes; then
// reads every item by the search language (search/item_syntax.h): a symbol
// of the inventory or the name of a class, ignoring case, or one of the
// richer items. The first box refused gives the refusal: kIllegalItem for an
// unknown name without any of the new characters (today's message),
// kMalformedItem for the rest. features is asked only when a box holds a
// bundle, and a bundle is refused when the table lacks a line for a symbol
// that the search of tier may read. *parsed (when given) gets the items
// read, or nothing when refused.
Refusal ValidateItems(std::array<std::string, kMaxItems>& items, const Lexicon& lexicon, const ClassTable& classes,
                      Tier tier, const FeatureLoader& features = {}, ParsedBoxes* parsed = nullptr);

// The boxes of the query read without a feature table, for a query that was
// not validated: its trimmed boxes up to the first empty one.
ParsedBoxes ParseBoxes(const std::array<std::string, kMaxItems>& items, const Lexicon& lexicon,
                       const ClassTable& classes);

}  // namespace velmora

#endif  // VELMORA_SEARCH_QUERY_H_
