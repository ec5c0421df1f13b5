#include "search/search.h"

#include <algorithm>
#include <vector>

#include "lexicon/text.h"
#include "search/matcher.h"
#include "search/pattern_search.h"

namespace velmora {

std::string_view FocusText::Text() const {
  if (segments_ != nullptr && !made_) {
    text_.clear();
    bool first = true;
    for (int32_t k = 0; k < count_; ++k) {
      if (ignore_[k]) continue;
      if (!first) text_ += '\t';
      text_ += symbols_->Text(segments_[k]);
      first = false;
    }
    made_ = true;
  }
  return text_;
}

namespace {
bool Excluded(const Lexicon& lexicon, const Query& query, int32_t n) {
  return query.exclude && !TrimView(lexicon.dictionary().Annotations[static_cast<size_t>(n)]).empty();
}
}  // namespace

void KeptBoxes(const Query& query, int32_t n, bool ignore[kMaxItems]) {
  for (int32_t b = 0; b < n && n > 1; ++b) ignore[b] = query.ignore[static_cast<size_t>(b)];
}

std::vector<SymbolId> EmptyRow(const SegmentTable& table, const std::vector<int32_t>& lengths) {
  int32_t longest = 0;
  if (!table.filled()) {
    for (int32_t len : lengths) longest = std::max(longest, len);
  }
  return std::vector<SymbolId>(static_cast<size_t>(longest), 0);
}

void FindInTranscriptions(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  // Today's loop serves the boxes that hold only today's items.
  if (NeedsPattern(lexicon, query)) {
    FindPatternInTranscriptions(lexicon, query, sink);
    return;
  }
  const SegmentTable& table = lexicon.Table(query.tier());
  const std::vector<int32_t>& lengths = lexicon.Lengths(query.tier());
  const int32_t n = SetSearchStringLength(query.items);
  CompiledItem compiled[kMaxItems];
  for (int32_t b = 0; b < n; ++b) {
    compiled[b] = CompileItem(Trim(query.items[static_cast<size_t>(b)]), lexicon.Symbols(), query.Classes());
  }
  bool ignore[kMaxItems] = {};
  KeptBoxes(query, n, ignore);

  const std::vector<SymbolId> emptyRow = EmptyRow(table, lengths);

  // Equal ids of the kept segments give equal focus strings (symbols hold no
  // TAB): the ids, packed into one number where they fit, are the focus key.
  constexpr SymbolId kMaxPackedId = 1u << 12;
  FocusText focus;
  const bool filtering = query.filters.any();
  const int32_t total = lexicon.dictionary().NumberOfWords;
  for (int32_t i = 1; i <= total; ++i) {
    if (i % 100 == 0) sink.Progress(i, total);
    if (n == 0 || (filtering && !PassesFilters(lexicon, query, i))) {
      sink.EntryDone(i, false);
      continue;
    }
    bool found = false;
    const SymbolId* row = table.filled() ? table.Row(i) : emptyRow.data();
    const bool excluded = Excluded(lexicon, query, i);
    const int32_t last = lengths[static_cast<size_t>(i)] - n;  // last start position, 0-based
    for (int32_t j = 0; j <= last; ++j) {
      if (!compiled[0](row[j])) continue;
      int32_t b = 1;
      while (b < n && compiled[b](row[j + b])) ++b;
      if (b < n) continue;
      found = true;
      if (excluded) continue;  // not recorded, but the entry was found
      uint64_t key = 1;
      bool packable = true;
      for (int32_t k = 0; k < n; ++k) {
        if (ignore[k]) continue;
        packable = packable && row[j + k] < kMaxPackedId;
        key = (key << 12) | (row[j + k] & (kMaxPackedId - 1));
      }
      focus.SetSegments(row + j, n, ignore, lexicon.Symbols(), packable ? key : 0);
      sink.InstallANewEntry(i, focus);
    }
    sink.EntryDone(i, found);
  }
}

void FindInOrthography(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  const std::string& target = query.orthography;
  const Dictionary& dictionary = lexicon.dictionary();
  const int32_t total = dictionary.NumberOfWords;
  FocusText focus;  // every hit has the same focus string: the search string
  focus.SetText(target, 1);
  std::string framed;
  std::vector<size_t> starts;  // character starts of the framed spelling, and its end
  const bool filtering = query.filters.any();
  for (int32_t i = 1; i <= total; ++i) {
    if (i % 100 == 0) sink.Progress(i, total);
    if (filtering && !PassesFilters(lexicon, query, i)) {
      sink.EntryDone(i, false);
      continue;
    }
    framed.clear();
    framed += '[';
    framed += dictionary.Spellings[static_cast<size_t>(i)];
    framed += ']';
    size_t found = 0;
    const bool ascii = std::all_of(framed.begin(), framed.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
      if (target.empty()) {
        found = framed.size() + 1;
      } else {
        for (size_t j = framed.find(target); j != std::string::npos; j = framed.find(target, j + 1)) ++found;
      }
    } else {
      // Matches start and end on character boundaries.
      starts.clear();
      for (size_t p = 0; p < framed.size(); p += CharLengthAt(framed, p)) starts.push_back(p);
      starts.push_back(framed.size());
      for (size_t c = 0; c < starts.size(); ++c) {
        const size_t j = starts[c];
        if (framed.size() - j < target.size() || framed.compare(j, target.size(), target) != 0) continue;
        if (!std::binary_search(starts.begin(), starts.end(), j + target.size())) continue;
        ++found;
      }
    }
    // Each occurrence is one hit.
    if (!Excluded(lexicon, query, i)) {
      for (size_t k = 0; k < found; ++k) sink.InstallANewEntry(i, focus);
    }
    sink.EntryDone(i, found != 0);
  }
}

void Search(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  if (query.kind == Query::Kind::kOrthography) {
    FindInOrthography(lexicon, query, sink);
  } else {
    FindInTranscriptions(lexicon, query, sink);
  }
}

}  // namespace velmora
