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

#include "classes/natural_classes.h"
#include "features/feature_table.h"
#include "lexicon/lexicon.h"
#include "search/filters.h"
#include "search/item_syntax.h"

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
  LexicalFilters filters;     // entries failing them count as entries without hits
  // The feature table the boxes' bundles were read with (ValidateItems gives
  // it); null when no box holds a bundle.
  std::shared_ptr<const FeatureTable> features;
  // The natural classes the items are read with; null reads as no classes.
  std::shared_ptr<const ClassTable> classes;
  // The dictionary file searched, a name in the program folder.
  std::string inputFileName = "in.txt";
  const ClassTable& Classes() const;

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
  enum Kind { kNone, kNoItems, kIllegalItem, kMalformedItem };
  Kind kind = kNone;
  int box = 0;          // the first refused box, for kIllegalItem and kMalformedItem
  std::string message;  // kMalformedItem: "Box N: what is wrong"
  bool refused() const { return kind != kNone; }
};

// Reads the feature table when a box holds a bundle: null with *error set
// (one sentence naming the file and the line or the reason) when it cannot.
using FeatureLoader = std::function<std::shared_ptr<const FeatureTable>(std::string* error)>;
inline constexpr const char* kFeatureTableFileName = "Features.txt";
// The loader of folder's Features.txt, read afresh at each call.
FeatureLoader FeaturesOfFolder(const std::string& folder);

// Trims every box and moves the items to the left over empty boxes; then
// reads every item by the search language (search/item_syntax.h): a symbol
// of the inventory or the name of a class, ignoring case, or one of the
// richer items. The first box refused gives the refusal: kIllegalItem for an
// unknown name without any of the new characters (today's message),
// kMalformedItem for the rest. features is asked only when a box holds a
// bundle; *table (when given) gets the table it gave, else null.
Refusal ValidateItems(std::array<std::string, kMaxItems>& items, const Lexicon& lexicon, const ClassTable& classes,
                      const FeatureLoader& features = {}, std::shared_ptr<const FeatureTable>* table = nullptr);

// What item reading needs of a lexicon: its names (symbols of the
// inventory and class names, compared lowered) and the given table.
ItemContext ItemContextOf(const Lexicon& lexicon, const ClassTable& classes,
                          std::function<const FeatureTable*(std::string*)> features);

}  // namespace velmora

#endif  // VELMORA_SEARCH_QUERY_H_
