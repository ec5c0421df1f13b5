// SPDX-License-Identifier: GPL-3.0-or-later
// The two searches as functions of a loaded lexicon and a query: each goes
// through the entries in order and pushes what it finds to a sink. Neither
// reads anything but its arguments, and neither writes a file or a message.
#ifndef VELMORA_SEARCH_SEARCH_H_
#define VELMORA_SEARCH_SEARCH_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "lexicon/lexicon.h"
#include "search/query.h"

namespace velmora {

// The focus string of a hit: what the kept items matched, TAB-separated. It is
// made only when asked for; two hits of one search whose keys are equal and
// not 0 have equal focus strings, so a sink that groups hits by focus string
// need not make it again.
class FocusText {
 public:
  // A focus string of a fixed text.
  void SetText(std::string_view text, uint64_t key) {
    key_ = key;
    segments_ = nullptr;
    text_.assign(text);
  }
  // The focus string of a match: its count segments, less those whose
  // ignore flag is set.
  void SetSegments(const SymbolId* segments, int32_t count, const bool* ignore, const SymbolTable& symbols,
                   uint64_t key) {
    key_ = key;
    segments_ = segments;
    count_ = count;
    ignore_ = ignore;
    symbols_ = &symbols;
    made_ = false;
  }
  uint64_t key() const { return key_; }
  std::string_view Text() const;

 private:
  uint64_t key_ = 0;
  const SymbolId* segments_ = nullptr;  // nullptr for a fixed text
  int32_t count_ = 0;
  const bool* ignore_ = nullptr;
  const SymbolTable* symbols_ = nullptr;
  mutable std::string text_;
  mutable bool made_ = false;
};

class HitSink {
 public:
  virtual ~HitSink() = default;
  // One hit on entry n (entries are numbered from 1) that the exclusion let
  // through; an entry may have several.
  virtual void InstallANewEntry(int32_t n, const FocusText& focus) = 0;
  // Entry n is done: found tells whether the search found it (an entry left
  // out by the exclusion counts as found).
  virtual void EntryDone(int32_t n, bool found) = 0;
  // Called every 100 entries with the entries done and their total.
  virtual void Progress(int32_t done, int32_t total) { (void)done, (void)total; }
};

// Searches the transcriptions of the query's tier for its boxes as
// ValidateItems read them (query.parsed; the boxes themselves when it is
// empty). Items of one segment each report every matching start position;
// with items of other lengths each start position gives one hit at most, the
// first successful way in greedy order, and a focus column holds the
// segments its box matched joined by one blank (empty when it matched none).
// REQUIRES: lexicon is divided; for the vowel tier, MakeVowelTier has run.
void FindInTranscriptions(const Lexicon& lexicon, const Query& query, HitSink& sink);
// Searches "[" + spelling + "]" of every entry for the query's orthography string.
void FindInOrthography(const Lexicon& lexicon, const Query& query, HitSink& sink);
// The search the query's kind names.
void Search(const Lexicon& lexicon, const Query& query, HitSink& sink);

}  // namespace velmora

#endif  // VELMORA_SEARCH_SEARCH_H_
