#include "search/query.h"

#include <unordered_set>
#include <utility>

#include "lexicon/text.h"

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

FeatureLoader FeaturesOfFolder(const std::string& folder) {
  return [path = folder + "/" + kFeatureTableFileName](std::string* error) -> std::shared_ptr<const FeatureTable> {
    auto table = std::make_shared<FeatureTable>();
    if (!LoadFeatureTable(path, table.get(), error)) return nullptr;
    return table;
  };
}

const ClassTable& Query::Classes() const {
  static const ClassTable kNone;
  return classes != nullptr ? *classes : kNone;
}

ItemContext ItemContextOf(const Lexicon& lexicon, const ClassTable& classes,
                          std::function<const FeatureTable*(std::string*)> features) {
  auto names = std::make_shared<std::unordered_set<std::string>>();
  for (int32_t j = 1; j <= lexicon.NumberOfPhonemes(); ++j) names->insert(Lower(lexicon.Phonemes()[static_cast<size_t>(j)]));
  for (int32_t k = 1; k <= classes.NumberOfNaturalClasses; ++k) names->insert(Lower(classes.NaturalClassNames[k]));
  ItemContext context;
  context.isName = [names](std::string_view text) { return names->count(Lower(text)) != 0; };
  context.features = std::move(features);
  return context;
}

Refusal ValidateItems(std::array<std::string, kMaxItems>& items, const Lexicon& lexicon, const ClassTable& classes,
                      const FeatureLoader& features, std::shared_ptr<const FeatureTable>* table) {
  if (table != nullptr) table->reset();
  bool any = false;
  for (std::string& item : items) {
    item = Trim(item);
    any = any || !item.empty();
  }
  if (!any) return {Refusal::kNoItems, 0, {}};
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
  // The table is read once, by the first box that holds a bundle.
  std::shared_ptr<const FeatureTable> loaded;
  std::string loadError;
  bool tried = false;
  const ItemContext context = ItemContextOf(lexicon, classes, [&](std::string* error) -> const FeatureTable* {
    if (!tried && features) loaded = features(&loadError);
    tried = true;
    if (loaded == nullptr) *error = loadError;
    return loaded.get();
  });
  for (size_t p = 0; p < items.size(); ++p) {
    if (items[p].empty()) continue;
    const int box = static_cast<int>(p) + 1;
    // A word boundary is an item only where the inventory lists it, as ever.
    if ((items[p] == "[" || items[p] == "]") && !context.isName(items[p])) return {Refusal::kIllegalItem, box, {}};
    ParsedItem parsed = ParseItem(items[p], box, context);
    if (parsed.kind == ParsedItem::Kind::kPlainUnknownName) return {Refusal::kIllegalItem, box, {}};
    if (parsed.kind == ParsedItem::Kind::kMalformed) return {Refusal::kMalformedItem, box, std::move(parsed.message)};
  }
  if (table != nullptr) *table = loaded;
  return {};
}

}  // namespace velmora
