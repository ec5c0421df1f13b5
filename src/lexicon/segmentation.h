// SPDX-License-Identifier: GPL-3.0-or-later
// Segment tables: every transcription divided into its segments. Symbols are
// interned once (symbol text -> small id, id 0 being the empty segment) and an
// entry's segments are a slice of one contiguous array of ids, so the search
// compares integers.
#ifndef VELMORA_LEXICON_SEGMENTATION_H_
#define VELMORA_LEXICON_SEGMENTATION_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/flat_index.h"
#include "platform/big_memory.h"

namespace velmora {

using SymbolId = uint32_t;

// Interned segment symbols. Id 0 is the empty text.
class SymbolTable {
 public:
  SymbolTable();
  SymbolId Intern(std::string_view text);
  // Intern for a text of 1 to 7 bytes whose packed form the caller has made:
  // its bytes in order from the lowest byte up, its length in the top byte.
  SymbolId InternPacked(uint64_t key, std::string_view text);
  const std::string& Text(SymbolId id) const { return texts_[id]; }
  size_t size() const { return texts_.size(); }
  void Clear();

 private:
  // Ids + 1 by the hash of the text. Texts of up to seven bytes (nearly
  // every symbol) are found first by their bytes packed into one number, in
  // an index of their own.
  SymbolId InternLong(std::string_view text);
  std::vector<std::string> texts_;
  FlatIndex byHash_;
  FlatIndex byPackedText_;
};

// One table of segments: entry n occupies positions 1..length(n). A table
// that was never filled answers the empty segment (id 0) at every position.
class SegmentTable {
 public:
  // Starts a table for entries 1..count, all empty and unfilled.
  void Reset();
  // Makes room for this many entries and segments in all.
  void Reserve(int32_t entries, size_t segments) {
    offsets_.reserve(static_cast<size_t>(entries) + 1);
    ids_.reserve(segments);
  }
  // Appends the segments of the next entry (entries are filled in order from 1).
  void BeginEntry() { offsets_.push_back(static_cast<uint32_t>(ids_.size())); }
  void Append(SymbolId id) { ids_.push_back(id); }
  void Finish() { offsets_.push_back(static_cast<uint32_t>(ids_.size())); filled_ = true; }
  // Appends every entry of another, unfinished table, whose ids belong to
  // another symbol table: its id k becomes idMap[k].
  void AppendRemapped(const SegmentTable& other, const std::vector<SymbolId>& idMap);

  bool filled() const { return filled_; }
  // Segments of entry n (1-based); nullptr for an unfilled table.
  const SymbolId* Row(int32_t entry) const { return filled_ ? ids_.data() + offsets_[entry - 1] : nullptr; }
  // Segment at position pos (1-based) of entry n; 0 beyond the entry or when unfilled.
  SymbolId At(int32_t entry, int32_t pos) const;

 private:
  BigVector<uint32_t> offsets_;  // offsets_[n-1] .. offsets_[n] is entry n
  BigVector<SymbolId> ids_;
  bool filled_ = false;
};

}  // namespace velmora

#endif  // VELMORA_LEXICON_SEGMENTATION_H_
