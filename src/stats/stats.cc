// SPDX-License-Identifier: GPL-3.0-or-later
// The forms, keys, frequencies, rhyming parts and positional weights of a
// dictionary, read once when the statistics are made.
#include <algorithm>
#include <cmath>
#include <thread>

#include "platform/text.h"
#include "stats/stats.h"

namespace velmora {

namespace {

bool IsStressDigit(char c) { return c == '0' || c == '1' || c == '2'; }

// Field 5 of every entry as the statistics count it, from the file's bytes
// cut into lines and fields as the reader cuts them.
void ReadFrequencies(const Dictionary& dict, ArenaVector<int32_t>* out) {
  size_t entry = 0;
  ForEachLine(dict.bytes, [&](std::string_view raw) {
    if (++entry >= out->size()) return;
    std::string_view line = TrimView(raw);
    for (int tabs = 0; tabs < 4; ++tabs) {
      const size_t tab = line.find('\t');
      if (tab == std::string_view::npos) return;
      line.remove_prefix(tab + 1);
    }
    (*out)[entry] = StatsFrequency(line.substr(0, line.find('\t')));
  });
}

}  // namespace

uint64_t HashOf(const Seq& seq) { return seq_hash::Mixed(seq_hash::SumOf(seq.keys, seq.size), seq.size); }

bool SameSeq(const Seq& a, const Seq& b) {
  if (a.size != b.size) return false;
  for (uint32_t k = 0; k < a.size; ++k) {  // key by key: the sequences are short
    if (a.keys[k] != b.keys[k]) return false;
  }
  return true;
}

std::string_view KeyOf(std::string_view symbol, bool keepStress) {
  if (!keepStress && !symbol.empty() && IsStressDigit(symbol.back())) symbol.remove_suffix(1);
  return symbol;
}

int32_t StatsFrequency(std::string_view field) {
  int64_t value = 0;
  for (char c : TrimView(field)) {
    if (c < '0' || c > '9') return 0;
    value = std::min<int64_t>(value * 10 + (c - '0'), INT32_MAX);
  }
  return static_cast<int32_t>(value);
}

void SplitSymbols(std::string_view field, std::vector<std::string_view>* symbols) {
  symbols->clear();
  size_t start = 0;
  while (start < field.size()) {
    size_t blank = field.find(' ', start);
    if (blank == std::string_view::npos) blank = field.size();
    if (blank > start) symbols->push_back(field.substr(start, blank - start));
    start = blank + 1;
  }
}

std::vector<std::string_view> SplitSymbols(std::string_view field) {
  std::vector<std::string_view> symbols;
  SplitSymbols(field, &symbols);
  return symbols;
}

LexicalStatistics::LexicalStatistics(const Dictionary& dict, const StatsOptions& options)
    : dict_(dict), options_(options) {
  const size_t n = static_cast<size_t>(dict.NumberOfWords);
  entryForm_.assign(n + 1, 0);
  entryFrequency_.assign(n + 1, 0);
  entryRhymeStart_.assign(n + 1, -1);
  formIndex_.Reset(n + 1);
  keys_.reserve(dict.bytes.size() / 4);
  formStart_.reserve(n + 1);
  formEntries_.reserve(n);
  formFrequency_.reserve(n);
  {
    // The frequencies are read beside the forms (into room made already, so
    // that the reading allocates nothing and cannot fail).
    std::jthread frequencies([&] { ReadFrequencies(dict, &entryFrequency_); });
    std::vector<uint32_t> keys;
    for (size_t e = 1; e <= n; ++e) {
      entryRhymeStart_[e] = SplitKeys(dict.TranscriptionStrings.field(e), &keys);
      const uint32_t f = InternForm(keys);
      entryForm_[e] = f;
      ++formEntries_[f];
    }
  }
  for (size_t e = 1; e <= n; ++e) formFrequency_[entryForm_[e]] += entryFrequency_[e];
}

void LexicalStatistics::CountRhymes() {
  const size_t n = entryForm_.size() - 1;
  entryRhymes_.assign(n + 1, 0);
  rhymeIndex_.Reset(n / 4 + 1);
  // The rhyming part of each entry (its number + 1, or 0, held in
  // entryRhymes_ until its rhymes are counted), and the entries of each
  // rhyming part and of each form of several entries with a rhyming part of
  // each length.
  for (size_t e = 1; e <= n; ++e) {
    const int32_t start = entryRhymeStart_[e];
    if (start < 0) continue;
    const uint32_t f = entryForm_[e];
    const Seq form = FormSeq(f);
    const Seq suffix{form.keys + start, form.size - static_cast<uint32_t>(start)};
    int64_t g = FindRhyme(suffix);
    if (g < 0) {
      g = static_cast<int64_t>(rhymeRep_.size());
      rhymeRep_.emplace_back(f, static_cast<uint32_t>(start));
      rhymeEntries_.push_back(0);
      rhymeIndex_.Insert(HashOf(suffix), static_cast<uint32_t>(g + 1));
    }
    ++rhymeEntries_[static_cast<size_t>(g)];
    entryRhymes_[e] = static_cast<int32_t>(g + 1);
    if (formEntries_[f] == 1) continue;  // the entry alone
    const uint64_t key = uint64_t{f} << 32 | suffix.size;
    uint32_t slot = formRhymeIndex_.Find(key);
    if (slot == 0) {
      formRhymeEntries_.push_back(0);
      slot = static_cast<uint32_t>(formRhymeEntries_.size());
      formRhymeIndex_.Insert(key, slot);
    }
    ++formRhymeEntries_[slot - 1];
  }
  // The entries of the same transcription and rhyming part are not rhymes.
  for (size_t e = 1; e <= n; ++e) {
    const int32_t g = entryRhymes_[e];
    if (g == 0) continue;
    const uint32_t f = entryForm_[e];
    int32_t same = 1;
    if (formEntries_[f] > 1) {
      const uint32_t length = Length(f) - static_cast<uint32_t>(entryRhymeStart_[e]);
      same = formRhymeEntries_[formRhymeIndex_.Find(uint64_t{f} << 32 | length) - 1];
    }
    entryRhymes_[e] = rhymeEntries_[static_cast<size_t>(g - 1)] - same;
  }
}

uint32_t LexicalStatistics::InternKey(std::string_view key) {
  const auto [it, added] = keyIds_.try_emplace(std::string(key), static_cast<uint32_t>(keyText_.size()));
  if (added) keyText_.emplace_back(key);
  return it->second;
}

uint32_t LexicalStatistics::SymbolKey(std::string_view symbol) {
  if (symbol.size() > 7) return InternKey(KeyOf(symbol, options_.keepStress));
  uint64_t packed = uint64_t{symbol.size()} << 56;
  for (size_t k = 0; k < symbol.size(); ++k) packed |= uint64_t{static_cast<uint8_t>(symbol[k])} << (8 * k);
  // A packed symbol is never 0 (its length is not), which an unused place holds.
  auto& [seen, key] = recentSymbols_[(packed * 0x9E3779B97F4A7C15ull) >> 56];
  if (seen == packed) return key;
  uint32_t id = shortSymbols_.Find(packed);
  if (id == 0) {
    id = InternKey(KeyOf(symbol, options_.keepStress)) + 1;
    shortSymbols_.Insert(packed, id);
  }
  seen = packed;
  key = id - 1;
  return key;
}

int64_t LexicalStatistics::FindForm(const Seq& seq, uint64_t hash) const {
  const uint32_t v = formIndex_.Find(hash, [&](uint32_t f) { return SameSeq(FormSeq(f - 1), seq); });
  return static_cast<int64_t>(v) - 1;
}

uint32_t LexicalStatistics::InternForm(const std::vector<uint32_t>& keys) {
  const Seq seq{keys.data(), static_cast<uint32_t>(keys.size())};
  const uint64_t hash = HashOf(seq);
  if (const int64_t f = FindForm(seq, hash); f >= 0) return static_cast<uint32_t>(f);
  const auto f = static_cast<uint32_t>(formEntries_.size());
  keys_.insert(keys_.end(), keys.begin(), keys.end());
  formStart_.push_back(static_cast<uint32_t>(keys_.size()));
  formEntries_.push_back(0);
  formFrequency_.push_back(0);
  formIndex_.Insert(hash, f + 1);
  return f;
}

int32_t LexicalStatistics::SplitKeys(std::string_view field, std::vector<uint32_t>* keys) {
  // The symbols are the pieces between blanks. The rhyming part starts at
  // the last symbol that ends in 1 or 2, or failing that, in 0.
  keys->clear();
  int32_t stressed = -1, unstressed = -1;
  const char* p = field.data();
  const size_t size = field.size();
  for (size_t i = 0; i < size;) {
    if (p[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < size && p[end] != ' ') ++end;
    const char last = p[end - 1];
    const auto at = static_cast<int32_t>(keys->size());
    if (last == '1' || last == '2') {
      stressed = at;
    } else if (last == '0') {
      unstressed = at;
    }
    keys->push_back(SymbolKey(std::string_view(p + i, end - i)));
    i = end;
  }
  return stressed >= 0 ? stressed : unstressed;
}

int64_t LexicalStatistics::FindRhyme(const Seq& suffix) const {
  const uint32_t v = rhymeIndex_.Find(HashOf(suffix), [&](uint32_t g) {
    const auto& [f, start] = rhymeRep_[g - 1];
    const Seq form = FormSeq(f);
    return SameSeq(Seq{form.keys + start, form.size - start}, suffix);
  });
  return static_cast<int64_t>(v) - 1;
}

void LexicalStatistics::AddWord(StatsSubject& word) {
  std::vector<uint32_t> keys;
  word.rhymeStart = SplitKeys(word.transcription, &keys);
  word.form = InternForm(keys);
  hasWords_ = true;
}

double LexicalStatistics::Weight(int32_t frequency) const {
  switch (options_.weight) {
    case Weight::kToken:
      return frequency;
    case Weight::kType:
      return 1;
    case Weight::kLog:
      break;
  }
  return std::log10(static_cast<double>(frequency) + 1);
}

void LexicalStatistics::CountPositions() {
  atLeast_.assign(1, 0);
  for (size_t e = 1; e < entryForm_.size(); ++e) {
    const Seq form = FormSeq(entryForm_[e]);
    const double w = Weight(entryFrequency_[e]);
    if (atLeast_.size() <= form.size) atLeast_.resize(form.size + 1, 0);
    for (uint32_t i = 0; i < form.size; ++i) {
      atLeast_[i + 1] += w;
      const uint64_t key = uint64_t{i} << 32 | form.keys[i];
      uint32_t slot = segmentIndex_.Find(key);
      if (slot == 0) {
        segmentWeight_.push_back(0);
        slot = static_cast<uint32_t>(segmentWeight_.size());
        segmentIndex_.Insert(key, slot);
      }
      segmentWeight_[slot - 1] += w;
      if (i + 1 == form.size) continue;
      const uint64_t pair = uint64_t{form.keys[i]} << 32 | form.keys[i + 1];
      uint32_t pairId = pairIndex_.Find(pair);
      if (pairId == 0) {
        pairId = ++pairCount_;
        pairIndex_.Insert(pair, pairId);
      }
      const uint64_t biphone = uint64_t{i} << 32 | pairId;
      slot = biphoneIndex_.Find(biphone);
      if (slot == 0) {
        biphoneWeight_.push_back(0);
        slot = static_cast<uint32_t>(biphoneWeight_.size());
        biphoneIndex_.Insert(biphone, slot);
      }
      biphoneWeight_[slot - 1] += w;
    }
  }
}

std::pair<double, double> LexicalStatistics::Probabilities(uint32_t f) const {
  const Seq form = FormSeq(f);
  double segment = 0, biphone = 0;
  for (uint32_t i = 0; i < form.size; ++i) {
    const double below = i + 1 < atLeast_.size() ? atLeast_[i + 1] : 0;
    const uint32_t slot = segmentIndex_.Find(uint64_t{i} << 32 | form.keys[i]);
    segment += below == 0 ? 0 : (slot == 0 ? 0 : segmentWeight_[slot - 1]) / below;
    if (i + 1 == form.size) continue;
    const double belowPair = i + 2 < atLeast_.size() ? atLeast_[i + 2] : 0;
    const uint32_t pairId = pairIndex_.Find(uint64_t{form.keys[i]} << 32 | form.keys[i + 1]);
    const uint32_t pairSlot = pairId == 0 ? 0 : biphoneIndex_.Find(uint64_t{i} << 32 | pairId);
    biphone += belowPair == 0 ? 0 : (pairSlot == 0 ? 0 : biphoneWeight_[pairSlot - 1]) / belowPair;
  }
  return {segment, biphone};
}

}  // namespace velmora
