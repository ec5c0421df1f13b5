// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"
#include "search/matcher.h"
#include "search/pattern.h"

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

bool PassesFilters(const Lexicon& lexicon, const Query& query, int32_t n) {
  const size_t i = static_cast<size_t>(n);
  const LexicalFilters& f = query.filters;
  if (f.usesMeasures() && query.measures != nullptr) {
    if (f.neighbours && !f.neighbours->Holds(query.measures->neighbours[i])) return false;
    if (f.uniquenessPoint && !f.uniquenessPoint->Holds(query.measures->uniquenessPoints[i])) return false;
  }
  return f.Passes(lexicon.dictionary().Frequencies[i], lexicon.dictionary().TranscriptionStrings.field(i));
}

// The walk of every search over the entries, in order: progress every 100
// entries, an entry the filters leave out counted as not found, and each
// entry done once matched. match(i, excluded) reports the hits of entry i
// (none when excluded) and tells whether it found the entry.
template <typename Match>
void ForEachEntry(const Lexicon& lexicon, const Query& query, HitSink& sink, Match&& match) {
  const bool filtering = query.filters.any();
  const int32_t total = lexicon.dictionary().NumberOfWords;
  for (int32_t i = 1; i <= total; ++i) {
    if (i % 100 == 0) sink.Progress(i, total);
    const bool found = (!filtering || PassesFilters(lexicon, query, i)) && match(i, Excluded(lexicon, query, i));
    sink.EntryDone(i, found);
  }
}

// The search's boxes compiled against the lexicon's symbols.
Pattern CompileBoxes(const Lexicon& lexicon, const ClassTable& classes, const ParsedBoxes& boxes) {
  const MatchesOfName matchesOfName = [&](std::string_view name) {
    return CompileItem(name, lexicon.Symbols(), classes).matches;
  };
  std::vector<PatternItem> items;
  for (const ParsedItem& item : boxes.items) {
    items.push_back(CompilePatternItem(item, matchesOfName, lexicon.Symbols(), boxes.features.get()));
  }
  return Pattern(std::move(items));
}

// The matching of one transcription search, entry by entry. Items of one
// segment each (the fast path) test every start position in place and make
// a focus string only when the sink asks for it; other items go through the
// pattern matcher, one hit at most per start position (the first successful
// way in greedy order), each kept box's segments joined by one blank.
class TranscriptionMatch {
 public:
  TranscriptionMatch(const Lexicon& lexicon, const Query& query, const ParsedBoxes& boxes, HitSink& sink)
      : lexicon_(lexicon),
        sink_(sink),
        table_(lexicon.Table(query.tier())),
        lengths_(lexicon.Lengths(query.tier())),
        pattern_(CompileBoxes(lexicon, query.Classes(), boxes)),
        n_(pattern_.size()) {
    // One item is never left out of the focus string.
    for (int32_t b = 0; b < n_ && n_ > 1; ++b) ignore_[b] = query.ignore[static_cast<size_t>(b)];
    for (int32_t b = 0; b < n_; ++b) matches_[b] = pattern_.items()[static_cast<size_t>(b)].matches.data();
    // A table that was never filled holds the empty segment at every position.
    if (!table_.filled()) {
      int32_t longest = 0;
      for (int32_t len : lengths_) longest = std::max(longest, len);
      emptyRow_.assign(static_cast<size_t>(longest), 0);
    }
  }

  bool operator()(int32_t i, bool excluded) {
    if (n_ == 0) return false;
    const SymbolId* row = table_.filled() ? table_.Row(i) : emptyRow_.data();
    const int32_t length = lengths_[static_cast<size_t>(i)];
    return pattern_.exactlyOne() ? OneSegmentEach(i, row, length, excluded) : AnyLength(i, row, length, excluded);
  }

 private:
  // Equal ids of the kept segments give equal focus strings (symbols hold no
  // TAB): the ids, packed into one number where they fit, are the focus key.
  static constexpr SymbolId kMaxPackedId = 1u << 12;

  bool OneSegmentEach(int32_t i, const SymbolId* row, int32_t length, bool excluded) {
    // Locals, so that the sink's calls cannot make the compiler read them again.
    const int32_t n = n_;
    const uint8_t* matches[kMaxItems];
    std::copy(matches_, matches_ + kMaxItems, matches);
    bool found = false;
    const int32_t last = length - n;  // last start position, 0-based
    for (int32_t j = 0; j <= last; ++j) {
      if (matches[0][row[j]] == 0) continue;
      int32_t b = 1;
      while (b < n && matches[b][row[j + b]] != 0) ++b;
      if (b < n) continue;
      found = true;
      if (excluded) continue;  // not recorded, but the entry was found
      uint64_t key = 1;
      bool packable = true;
      for (int32_t k = 0; k < n; ++k) {
        if (ignore_[k]) continue;
        packable = packable && row[j + k] < kMaxPackedId;
        key = (key << 12) | (row[j + k] & (kMaxPackedId - 1));
      }
      focus_.SetSegments(row + j, n, ignore_, lexicon_.Symbols(), packable ? key : 0);
      sink_.InstallANewEntry(i, focus_);
    }
    return found;
  }

  bool AnyLength(int32_t i, const SymbolId* row, int32_t length, bool excluded) {
    if (!pattern_.BeginEntry(row, length)) return false;
    bool found = false;
    int32_t ends[kMaxItems] = {};
    for (int32_t j = 0; j < length; ++j) {
      if (!pattern_.MatchAt(j, ends)) continue;
      found = true;
      if (excluded) continue;
      text_.clear();
      bool firstColumn = true;
      for (int32_t k = 0, from = j; k < n_; from = ends[k], ++k) {
        if (ignore_[k]) continue;
        if (!firstColumn) text_ += '\t';
        firstColumn = false;
        for (int32_t p = from; p < ends[k]; ++p) {
          if (p > from) text_ += ' ';
          text_ += lexicon_.Symbols().Text(row[p]);
        }
      }
      // No key: the ids of variable-length items would not tell their columns apart.
      focus_.SetText(text_, 0);
      sink_.InstallANewEntry(i, focus_);
    }
    return found;
  }

  const Lexicon& lexicon_;
  HitSink& sink_;
  const SegmentTable& table_;
  const std::vector<int32_t>& lengths_;
  Pattern pattern_;
  const int32_t n_;
  bool ignore_[kMaxItems] = {};
  const uint8_t* matches_[kMaxItems] = {};
  std::vector<SymbolId> emptyRow_;
  FocusText focus_;
  std::string text_;
};

}  // namespace

void FindInTranscriptions(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  const ParsedBoxes unvalidated = query.parsed.items.empty() ? ParseBoxes(query.items, lexicon, query.Classes()) : ParsedBoxes();
  TranscriptionMatch match(lexicon, query, query.parsed.items.empty() ? unvalidated : query.parsed, sink);
  ForEachEntry(lexicon, query, sink, match);
}

void FindInOrthography(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  const std::string& target = query.orthography;
  FocusText focus;  // every hit has the same focus string: the search string
  focus.SetText(target, 1);
  std::string framed;
  std::vector<size_t> starts;  // character starts of the framed spelling, and its end
  ForEachEntry(lexicon, query, sink, [&](int32_t i, bool excluded) {
    framed.clear();
    framed += '[';
    framed += lexicon.dictionary().Spellings[static_cast<size_t>(i)];
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
    for (size_t k = 0; k < found && !excluded; ++k) sink.InstallANewEntry(i, focus);
    return found != 0;
  });
}

void Search(const Lexicon& lexicon, const Query& query, HitSink& sink) {
  if (query.kind == Query::Kind::kOrthography) {
    FindInOrthography(lexicon, query, sink);
  } else {
    FindInTranscriptions(lexicon, query, sink);
  }
}

}  // namespace velmora
