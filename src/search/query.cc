// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/query.h"

#include <unordered_set>
#include <utility>

#include "platform/text.h"

namespace velmora {

int32_t SetSearchStringLength(const std::array<std::string, kMaxItems>& items) {
  int32_t k = 0;
  while (k < kMaxItems && !TrimView(items[static_cast<size_t>(k)]).empty()) ++k;
  return k;
}

std::string SearchStringDisplay(const std::array<std::string, kMaxItems>& items) {
  std::string s = items[0];
  for (size_t b = 1; b < items.size(); ++b) {
    s += ' ';
    s += items[b];
  }
  return Trim(s);
}

const ClassTable& Query::Classes() const {
  static const ClassTable kNone;
  return classes != nullptr ? *classes : kNone;
}

FeatureLoader FeaturesOfFolder(const std::string& folder) {
  return [path = folder + "/" + kFeatureTableFileName](Status* status) -> std::shared_ptr<const FeatureTable> {
    auto table = std::make_shared<FeatureTable>();
    *status = LoadFeatureTable(path, table.get());
    if (!status->ok()) return nullptr;
    return table;
  };
}

namespace {

// What item reading needs of a lexicon: its names (symbols of the inventory
// and class names, compared lowered) and the given table.
ItemContext ItemContextOf(const Lexicon& lexicon, const ClassTable& classes,
                          std::function<const FeatureTable*(Status*)> features) {
  auto names = std::make_shared<std::unordered_set<std::string>>();
  for (int32_t j = 1; j <= lexicon.NumberOfPhonemes(); ++j) names->insert(Lower(lexicon.Phonemes()[static_cast<size_t>(j)]));
  for (int32_t k = 1; k <= classes.NumberOfNaturalClasses; ++k) names->insert(Lower(classes.NaturalClassNames[k]));
  ItemContext context;
  context.isName = [names](std::string_view text) { return names->count(Lower(text)) != 0; };
  context.features = std::move(features);
  return context;
}

// Trims every box and moves the items to the left over empty boxes; false
// when every box is empty.
bool TidyBoxes(std::array<std::string, kMaxItems>& items) {
  bool any = false;
  for (std::string& item : items) {
    item = Trim(item);
    any = any || !item.empty();
  }
  for (bool moved = true; moved;) {
    moved = false;
    for (size_t i = 0; i + 1 < items.size(); ++i) {
      if (items[i].empty() && !items[i + 1].empty()) {
        items[i] = std::move(items[i + 1]);
        items[i + 1].clear();
        moved = true;
        break;
      }
    }
  }
  return any;
}

// The symbols of the inventory that the search of tier may read, other than
// the word boundaries (which agree with no bundle): on plain data all but
// the coda symbols, on syllabified data all, on the vowel tier the members
// of the class "vowel".
std::vector<std::string> TierSymbols(const Lexicon& lexicon, const ClassTable& classes, Tier tier) {
  std::vector<std::string> symbols;
  const ItemRule vowel(classes, "vowel");
  for (int32_t j = 1; j <= lexicon.NumberOfPhonemes(); ++j) {
    const std::string& s = lexicon.Phonemes()[static_cast<size_t>(j)];
    if (s == "[" || s == "]") continue;
    if (tier == Tier::kPlain && Lower(LastChars(s, 4)) == "coda") continue;
    if (tier == Tier::kVowels && !vowel.InClass(s)) continue;
    symbols.push_back(s);
  }
  return symbols;
}

// Ok when the table has a line for every symbol the search of tier may
// read; else kMalformed naming the first few it lacks.
Status CoversTier(const FeatureTable& table, const Lexicon& lexicon, const ClassTable& classes, Tier tier) {
  constexpr size_t kNamed = 5;
  std::vector<std::string> missing;
  for (const std::string& s : TierSymbols(lexicon, classes, tier)) {
    if (!table.HasSymbol(s)) missing.push_back(s);
  }
  if (missing.empty()) return Status::Ok();
  std::string list;
  for (size_t k = 0; k < missing.size() && k < kNamed; ++k) list += (k > 0 ? ", \"" : "\"") + missing[k] + "\"";
  if (missing.size() > kNamed) list += " and " + std::to_string(missing.size() - kNamed) + " more";
  return Status::Malformed(table.path(), 0,
                           std::string("it has no line for the symbol") + (missing.size() == 1 ? " " : "s ") + list +
                               " of the searched transcriptions");
}

}  // namespace

Refusal ValidateItems(std::array<std::string, kMaxItems>& items, const Lexicon& lexicon, const ClassTable& classes,
                      Tier tier, const FeatureLoader& features, ParsedBoxes* parsed) {
  if (parsed != nullptr) *parsed = ParsedBoxes();
  if (!TidyBoxes(items)) return {Refusal::kNoItems, 0, {}, {}};
  // The table is read once, by the first box that holds a bundle.
  std::shared_ptr<const FeatureTable> loaded;
  Status loadStatus;
  bool tried = false;
  const ItemContext context = ItemContextOf(lexicon, classes, [&](Status* status) -> const FeatureTable* {
    if (!tried && features) {
      loaded = features(&loadStatus);
      // A table that lacks a symbol the search reads would leave its words out unseen.
      if (loaded != nullptr) loadStatus = CoversTier(*loaded, lexicon, classes, tier);
      if (!loadStatus.ok()) loaded = nullptr;
    }
    tried = true;
    if (loaded == nullptr) *status = loadStatus;
    return loaded.get();
  });
  ParsedBoxes read;
  for (size_t p = 0; p < items.size(); ++p) {
    if (items[p].empty()) continue;
    const int box = static_cast<int>(p) + 1;
    // A word boundary is an item only where the inventory lists it, as ever.
    if ((items[p] == "[" || items[p] == "]") && !context.isName(items[p])) return {Refusal::kIllegalItem, box, {}, {}};
    ParsedItem item = ParseItem(items[p], box, context);
    if (item.kind == ParsedItem::Kind::kPlainUnknownName) return {Refusal::kIllegalItem, box, {}, {}};
    if (item.kind == ParsedItem::Kind::kMalformed) {
      return {Refusal::kMalformedItem, box, std::move(item.message), std::move(item.features)};
    }
    read.items.push_back(std::move(item));
  }
  read.features = loaded;
  if (parsed != nullptr) *parsed = std::move(read);
  return {};
}

ParsedBoxes ParseBoxes(const std::array<std::string, kMaxItems>& items, const Lexicon& lexicon,
                       const ClassTable& classes) {
  const ItemContext context = ItemContextOf(lexicon, classes, nullptr);
  ParsedBoxes parsed;
  const int32_t n = SetSearchStringLength(items);
  for (int32_t b = 0; b < n; ++b) parsed.items.push_back(ParseItem(Trim(items[static_cast<size_t>(b)]), b + 1, context));
  return parsed;
}

}  // namespace velmora
