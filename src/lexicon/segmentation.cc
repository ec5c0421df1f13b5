#include "lexicon/segmentation.h"

namespace velmora {

SymbolTable::SymbolTable() { Clear(); }

void SymbolTable::Clear() {
  texts_.assign(1, std::string());
  ids_.clear();
  ids_.emplace(std::string(), 0);
}

SymbolId SymbolTable::Intern(std::string_view text) {
  auto it = ids_.find(text);
  if (it != ids_.end()) return it->second;
  SymbolId id = static_cast<SymbolId>(texts_.size());
  texts_.emplace_back(text);
  ids_.emplace(std::string(text), id);
  return id;
}

void SegmentTable::Reset() {
  offsets_.clear();
  ids_.clear();
  filled_ = false;
}

SymbolId SegmentTable::At(int32_t entry, int32_t pos) const {
  if (!filled_ || entry < 1 || static_cast<size_t>(entry) >= offsets_.size() || pos < 1) return 0;
  uint32_t begin = offsets_[entry - 1], end = offsets_[entry];
  if (static_cast<uint32_t>(pos) > end - begin) return 0;
  return ids_[begin + pos - 1];
}

}  // namespace velmora
