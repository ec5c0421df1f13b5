#include "search/pattern_search.h"

#include <algorithm>
#include <vector>

#include "lexicon/text.h"
#include "search/matcher.h"
#include "search/pattern.h"

namespace velmora {

namespace {

// The boxes of the query read with its feature table.
std::vector<ParsedItem> ParsedItems(const Lexicon& lexicon, const Query& query) {
  const ItemContext context = ItemContextOf(lexicon, query.Classes(), [&query](std::string* error) -> const FeatureTable* {
    if (query.features == nullptr) *error = "there is no feature table to read the bundle with";
    return query.features.get();
  });
  std::vector<ParsedItem> parsed;
  const int32_t n = SetSearchStringLength(query.items);
  for (int32_t b = 0; b < n; ++b) parsed.push_back(ParseItem(Trim(query.items[static_cast<size_t>(b)]), b + 1, context));
  return parsed;
}

}  // namespace

bool NeedsPattern(const Lexicon& lexicon, const Query& query) {
  // A box without any of the new characters is today's item, known or not
  // (an unvalidated query matches it by the one matching rule, as ever).
  for (const ParsedItem& item : ParsedItems(lexicon, query)) {
    if (item.kind != ParsedItem::Kind::kPlain && item.kind != ParsedItem::Kind::kPlainUnknownName) return true;
  }
  return false;
}

void FindPatternInTranscriptions(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  const SegmentTable& table = lexicon.Table(query.tier());
  const std::vector<int32_t>& lengths = lexicon.Lengths(query.tier());
  const std::vector<ParsedItem> parsed = ParsedItems(lexicon, query);
  const int32_t n = static_cast<int32_t>(parsed.size());
  const MatchesOfName matchesOfName = [&](std::string_view name) {
    return CompileItem(name, lexicon.Symbols(), query.Classes()).matches;
  };
  std::vector<PatternItem> items;
  bool fixedLength = true;  // every item takes exactly one segment
  for (const ParsedItem& item : parsed) {
    items.push_back(CompilePatternItem(item, matchesOfName, lexicon.Symbols(), query.features.get()));
    fixedLength = fixedLength && items.back().min == 1 && !items.back().many;
  }
  Pattern pattern(std::move(items));
  bool ignore[kMaxItems] = {};
  KeptBoxes(query, n, ignore);
  const bool filtering = query.filters.any();

  const std::vector<SymbolId> emptyRow = EmptyRow(table, lengths);

  constexpr SymbolId kMaxPackedId = 1u << 12;
  FocusText focus;
  std::string text;
  int32_t ends[kMaxItems] = {};
  const int32_t total = lexicon.dictionary().NumberOfWords;
  for (int32_t i = 1; i <= total; ++i) {
    if (i % 100 == 0) sink.Progress(i, total);
    const SymbolId* row = table.filled() ? table.Row(i) : emptyRow.data();
    const int32_t length = lengths[static_cast<size_t>(i)];
    if (n == 0 || (filtering && !PassesFilters(lexicon, query, i)) || !pattern.BeginEntry(row, length)) {
      sink.EntryDone(i, false);
      continue;
    }
    bool found = false;
    const bool excluded = query.exclude && !TrimView(lexicon.dictionary().Annotations[static_cast<size_t>(i)]).empty();
    for (int32_t j = 0; j < length; ++j) {
      if (!pattern.MatchAt(j, ends)) continue;
      found = true;
      if (excluded) continue;  // not recorded, but the entry was found
      // Items of one segment each give the key of today's loop; a key of
      // variable-length items would not tell their columns apart.
      uint64_t key = fixedLength ? 1 : 0;
      text.clear();
      bool firstColumn = true;
      for (int32_t k = 0, from = j; k < n; from = ends[k], ++k) {
        if (ignore[k]) continue;
        if (!firstColumn) text += '\t';
        firstColumn = false;
        for (int32_t p = from; p < ends[k]; ++p) {
          if (p > from) text += ' ';
          text += lexicon.Symbols().Text(row[p]);
        }
        if (key != 0) key = row[from] < kMaxPackedId ? (key << 12) | row[from] : 0;
      }
      focus.SetText(text, key);
      sink.InstallANewEntry(i, focus);
    }
    sink.EntryDone(i, found);
  }
}

}  // namespace velmora
