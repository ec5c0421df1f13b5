// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/segmentation.h"

#include "platform/text.h"

namespace velmora {

SymbolTable::SymbolTable() { Clear(); }

void SymbolTable::Clear() {
  texts_.assign(1, std::string());
  byHash_.Clear();
  byHash_.Insert(HashBytes({}), 1);
  byPackedText_.Clear();
}

namespace {
// The bytes of a text of 1..7 bytes with its length in the top byte: never 0.
inline uint64_t PackShort(std::string_view text) {
  uint64_t key = static_cast<uint64_t>(text.size()) << 56;
  for (size_t i = 0; i < text.size(); ++i) key |= static_cast<uint64_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  return key;
}
}  // namespace

SymbolId SymbolTable::Intern(std::string_view text) {
  if (text.empty() || text.size() > 7) return InternLong(text);
  return InternPacked(PackShort(text), text);
}

SymbolId SymbolTable::InternPacked(uint64_t key, std::string_view text) {
  const uint32_t found = byPackedText_.Find(key);
  if (found != 0) return found - 1;
  const SymbolId id = InternLong(text);
  byPackedText_.Insert(key, id + 1);
  return id;
}

SymbolId SymbolTable::InternLong(std::string_view text) {
  const uint64_t hash = HashBytes(text);
  const uint32_t found = byHash_.Find(hash, [&](uint32_t value) { return texts_[value - 1] == text; });
  if (found != 0) return found - 1;
  const SymbolId id = static_cast<SymbolId>(texts_.size());
  texts_.emplace_back(text);
  byHash_.Insert(hash, id + 1);
  return id;
}

void SegmentTable::Reset() {
  offsets_.clear();
  ids_.clear();
  filled_ = false;
}

void SegmentTable::AppendRemapped(const SegmentTable& other, const std::vector<SymbolId>& idMap) {
  const uint32_t base = static_cast<uint32_t>(ids_.size());
  for (uint32_t offset : other.offsets_) offsets_.push_back(base + offset);
  ids_.reserve(ids_.size() + other.ids_.size());
  for (SymbolId id : other.ids_) ids_.push_back(idMap[id]);
}

SymbolId SegmentTable::At(int32_t entry, int32_t pos) const {
  if (!filled_ || entry < 1 || static_cast<size_t>(entry) >= offsets_.size() || pos < 1) return 0;
  uint32_t begin = offsets_[entry - 1], end = offsets_[entry];
  if (static_cast<uint32_t>(pos) > end - begin) return 0;
  return ids_[begin + pos - 1];
}

}  // namespace velmora
