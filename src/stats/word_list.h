// SPDX-License-Identifier: GPL-3.0-or-later
// A word list for the statistics: one line per row asked for. A line holding
// a spelling asks for every entry of that spelling (letter case ignored); a
// line "SPELLING<TAB>TRANSCRIPTION" asks for a word measured against the
// lexicon, which need not be in it. Empty lines are skipped; line numbers
// count every line.
#ifndef VELMORA_STATS_WORD_LIST_H_
#define VELMORA_STATS_WORD_LIST_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/dictionary.h"
#include "stats/stats.h"

namespace velmora {

// A line that gives no row.
struct WordListProblem {
  enum Kind {
    kUnknownSpelling,  // text: the spelling, which no entry has
    kUnknownSymbol,    // text: the first symbol of the transcription that the inventory lacks
  };
  int32_t line = 0;
  Kind kind = kUnknownSpelling;
  std::string text;
};

struct WordList {
  std::vector<StatsSubject> subjects;  // in the order of the lines
  std::vector<WordListProblem> problems;
};

// Reads the contents of a word list against dict and the inventory (its
// symbols from index 1). Each line is trimmed of spaces at both ends; a
// byte-order mark at the start is skipped.
WordList ReadWordList(std::string_view text, const Dictionary& dict, const std::vector<std::string>& inventory);

}  // namespace velmora

#endif  // VELMORA_STATS_WORD_LIST_H_
