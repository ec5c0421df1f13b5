// The transcription search for boxes that hold the search language's richer
// items (alternations, negations, bundles, quantifiers, ...), by the pattern
// matcher; and the checks both transcription loops make of an entry as a
// whole before matching it.
#ifndef VELMORA_SEARCH_PATTERN_SEARCH_H_
#define VELMORA_SEARCH_PATTERN_SEARCH_H_

#include <cstdint>
#include <vector>

#include "lexicon/lexicon.h"
#include "search/query.h"
#include "search/search.h"

namespace velmora {

// True when some box of the query is not one of today's items (a symbol, a
// class name, [ or ]), so that the search needs the pattern matcher.
bool NeedsPattern(const Lexicon& lexicon, const Query& query);

// Searches the transcriptions of the query's tier by the pattern matcher. At
// each start position of an entry, one hit at most: the first successful way
// in greedy order. The focus string has one column per kept box, the
// segments that box matched joined by one blank (empty when it matched none).
// REQUIRES: as FindInTranscriptions.
void FindPatternInTranscriptions(const Lexicon& lexicon, const Query& query, HitSink& sink);

// Whether entry n passes the query's lexical filters.
inline bool PassesFilters(const Lexicon& lexicon, const Query& query, int32_t n) {
  const size_t i = static_cast<size_t>(n);
  return query.filters.Passes(lexicon.dictionary().Frequencies[i], lexicon.dictionary().TranscriptionStrings.field(i));
}

// What both transcription loops set up: which of the n boxes are left out of
// the focus string (one item is never left out), and the row that stands for
// every entry of a table that was never filled (the empty segment at every
// position; empty when the table is filled).
void KeptBoxes(const Query& query, int32_t n, bool ignore[kMaxItems]);
std::vector<SymbolId> EmptyRow(const SegmentTable& table, const std::vector<int32_t>& lengths);

}  // namespace velmora

#endif  // VELMORA_SEARCH_PATTERN_SEARCH_H_
