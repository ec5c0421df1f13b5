#include "lexicon/segmentation.h"

#include "lexicon/text.h"

namespace velmora {

SymbolTable::SymbolTable() { Clear(); }

void SymbolTable::Clear() {
  texts_.assign(1, std::string());
  slots_.assign(64, 0);
  slots_[HashBytes({}) & (slots_.size() - 1)] = 1;
  shortKeys_.assign(256, 0);
  shortIds_.assign(256, 0);
  shortCount_ = 0;
}

namespace {
// The bytes of a text of 1..7 bytes with its length in the top byte: never 0.
inline uint64_t PackShort(std::string_view text) {
  uint64_t key = static_cast<uint64_t>(text.size()) << 56;
  for (size_t i = 0; i < text.size(); ++i) key |= static_cast<uint64_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  return key;
}
inline size_t ShortSlot(uint64_t key, size_t mask) { return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask; }
}  // namespace

SymbolId SymbolTable::Intern(std::string_view text) {
  if (text.empty() || text.size() > 7) return InternLong(text);
  return InternPacked(PackShort(text), text);
}

SymbolId SymbolTable::InternPacked(uint64_t key, std::string_view text) {
  const size_t mask = shortKeys_.size() - 1;
  for (size_t i = ShortSlot(key, mask);; i = (i + 1) & mask) {
    if (shortKeys_[i] == key) return shortIds_[i];
    if (shortKeys_[i] == 0) {
      const SymbolId id = InternLong(text);
      shortKeys_[i] = key;
      shortIds_[i] = id;
      if (++shortCount_ * 2 > shortKeys_.size()) GrowShort();
      return id;
    }
  }
}

void SymbolTable::GrowShort() {
  std::vector<uint64_t> oldKeys;
  std::vector<uint32_t> oldIds;
  oldKeys.swap(shortKeys_);
  oldIds.swap(shortIds_);
  shortKeys_.assign(oldKeys.size() * 2, 0);
  shortIds_.assign(oldKeys.size() * 2, 0);
  const size_t mask = shortKeys_.size() - 1;
  for (size_t k = 0; k < oldKeys.size(); ++k) {
    if (oldKeys[k] == 0) continue;
    size_t i = ShortSlot(oldKeys[k], mask);
    while (shortKeys_[i] != 0) i = (i + 1) & mask;
    shortKeys_[i] = oldKeys[k];
    shortIds_[i] = oldIds[k];
  }
}

SymbolId SymbolTable::InternLong(std::string_view text) {
  const size_t mask = slots_.size() - 1;
  for (size_t i = HashBytes(text) & mask;; i = (i + 1) & mask) {
    const uint32_t slot = slots_[i];
    if (slot == 0) {
      SymbolId id = static_cast<SymbolId>(texts_.size());
      texts_.emplace_back(text);
      slots_[i] = id + 1;
      if (texts_.size() * 2 > slots_.size()) Grow();
      return id;
    }
    if (texts_[slot - 1] == text) return slot - 1;
  }
}

void SymbolTable::Grow() {
  std::vector<uint32_t> old;
  old.swap(slots_);
  slots_.assign(old.size() * 2, 0);
  const size_t mask = slots_.size() - 1;
  for (uint32_t slot : old) {
    if (slot == 0) continue;
    size_t i = HashBytes(texts_[slot - 1]) & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
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
