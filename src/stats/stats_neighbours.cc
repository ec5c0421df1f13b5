// SPDX-License-Identifier: GPL-3.0-or-later
// Neighbours, minimal pairs and the forms in sorted order. Substitution
// neighbours share the transcription with one position left out: the forms
// of one length are grouped by that in a hash table, one position at a time.
// Deletion and addition neighbours: a form one symbol shorter is the group,
// in the pass of its length and position, of the forms it comes from.
#include <algorithm>
#include <bit>
#include <exception>
#include <latch>
#include <span>
#include <thread>

#include "stats/stats.h"

namespace velmora {

namespace {
constexpr size_t kAhead = 8;  // how many look-ups ahead a pass asks for a slot
}  // namespace

void LexicalStatistics::Compute(const Wants& wants) {
  if (wants.minimalPairs) {
    x_ = InternKey(KeyOf(wants.x, options_.keepStress));
    y_ = InternKey(KeyOf(wants.y, options_.keepStress));
  }
  const auto forms = static_cast<uint32_t>(formEntries_.size());
  substitutions_.assign(forms, 0);
  deletions_.assign(forms, 0);
  additions_.assign(forms, 0);
  neighbourFrequency_.assign(forms, 0);
  // Two halves at once: the neighbours; and the positions, the order and
  // the rhymes. The positional probabilities of the forms, which need the
  // positions, are split between the two. Each writes only its own members.
  formProbabilities_.resize(forms);
  const uint32_t half = forms / 2;
  auto probabilities = [this](uint32_t begin, uint32_t end) {
    for (uint32_t f = begin; f < end; ++f) formProbabilities_[f] = Probabilities(f);
  };
  std::exception_ptr failure;
  std::latch positionsCounted(1);
  bool positionsFailed = false;
  {
    std::jthread other([&] {
      try {
        try {
          CountPositions();
        } catch (...) {
          positionsFailed = true;
          positionsCounted.count_down();
          throw;
        }
        positionsCounted.count_down();
        SortForms();
        CountRhymes();
        probabilities(half, forms);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    CountNeighbours(wants);
    // Only the lists and the words of a word list look up the entries of a form.
    if (wants.neighbourLists || wants.minimalPairs || hasWords_) ListEntriesOfForms();
    positionsCounted.wait();
    if (!positionsFailed) probabilities(0, half);
  }
  if (failure) std::rethrow_exception(failure);
  auto byForm = [](const Link& a, const Link& b) { return a.form < b.form; };
  std::sort(neighbourLinks_.begin(), neighbourLinks_.end(), byForm);
  std::sort(pairLinks_.begin(), pairLinks_.end(), byForm);
}

void LexicalStatistics::ListEntriesOfForms() {
  const size_t forms = formEntries_.size();
  // Form f's entries start where those of the forms before it end. While
  // they are put, entriesStart_[f + 1] is the next place of form f; after,
  // where it ends.
  entriesStart_.assign(forms + 1, 0);
  for (size_t f = 1; f < forms; ++f) {
    entriesStart_[f + 1] = entriesStart_[f] + static_cast<uint32_t>(formEntries_[f - 1]);
  }
  entriesOfForm_.assign(entryForm_.size() - 1, 0);
  for (size_t e = 1; e < entryForm_.size(); ++e) {
    entriesOfForm_[entriesStart_[entryForm_[e] + 1]++] = static_cast<uint32_t>(e);
  }
}

void LexicalStatistics::FillBlock(std::span<const uint32_t> forms, uint32_t length, Block* block) const {
  block->forms = forms;
  block->length = length;
  block->keys.resize(forms.size() * length);
  block->sums.resize(forms.size());
  block->before.assign(forms.size(), 0);
  for (size_t k = 0; k < forms.size(); ++k) {
    const Seq form = FormSeq(forms[k]);
    std::copy(form.keys, form.keys + length, block->keys.begin() + static_cast<ptrdiff_t>(k * length));
    block->sums[k] = seq_hash::SumOf(form.keys, length);
  }
}

void LexicalStatistics::CountNeighbours(const Wants& wants) {
  // The forms by length: those of length L are byLength[start[L] .. start[L + 1]).
  const auto forms = static_cast<uint32_t>(formEntries_.size());
  uint32_t longest = 0;
  for (uint32_t f = 0; f < forms; ++f) longest = std::max(longest, Length(f));
  ArenaVector<uint32_t> start(longest + 2, 0, Memory()), byLength(forms, 0, Memory());
  for (uint32_t f = 0; f < forms; ++f) ++start[Length(f) + 1];
  for (uint32_t length = 0; length <= longest; ++length) start[length + 1] += start[length];
  ArenaVector<uint32_t> next(start.begin(), start.end() - 1, Memory());
  for (uint32_t f = 0; f < forms; ++f) byLength[next[Length(f)]++] = f;
  auto ofLength = [&](uint32_t length) {
    return std::span<const uint32_t>(byLength.data() + start[length], start[length + 1] - start[length]);
  };
  // The room of the largest pass and of the largest two lengths, made once.
  size_t most = 0, keys = 0;
  for (uint32_t length = 0; length <= longest; ++length) {
    const size_t count = ofLength(length).size();
    most = std::max(most, count);
    keys = std::max(keys, count * length);
  }
  groups_.Reset(most);
  passGroupOf_.reserve(most);
  passHash_.reserve(most);
  Block blocks[2] = {Block(Memory()), Block(Memory())};
  for (Block& block : blocks) {
    block.keys.reserve(keys);
    block.sums.reserve(most);
    block.before.reserve(most);
  }
  FillBlock(ofLength(0), 0, &blocks[0]);
  for (uint32_t length = 1; length <= longest; ++length) {
    Block& longer = blocks[length % 2];
    const Block& shorter = blocks[(length + 1) % 2];
    FillBlock(ofLength(length), length, &longer);
    if (longer.forms.empty() || (longer.forms.size() < 2 && shorter.forms.empty())) continue;
    uint64_t power = 1;
    for (uint32_t i = 0; i < length; ++i, power *= seq_hash::kRadix) NeighbourPass(longer, shorter, i, power, wants);
  }
}

void LexicalStatistics::NeighbourPass(Block& longer, const Block& shorter, uint32_t position, uint64_t power,
                                      const Wants& wants) {
  GroupForms(longer, position, power);
  const std::span<const uint32_t> forms = longer.forms;
  for (size_t k = 0; k < forms.size(); ++k) {
    const uint32_t f = forms[k], g = passGroupOf_[k];
    substitutions_[f] += passEntries_[g] - formEntries_[f];
    neighbourFrequency_[f] += passFrequency_[g] - formFrequency_[f];
  }
  CountDeletions(longer, shorter, position, wants.neighbourLists);
  if (wants.neighbourLists || wants.functionalLoad || wants.minimalPairs) PairsInGroups(longer, position, wants);
}

void LexicalStatistics::GroupForms(Block& block, uint32_t position, uint64_t power) {
  const std::span<const uint32_t> forms = block.forms;
  const uint32_t length = block.length;
  groups_.Reset(forms.size());
  passRep_.clear();
  passEntries_.clear();
  passFrequency_.clear();
  passGroupOf_.resize(forms.size());
  passHash_.resize(forms.size());
  for (size_t k = 0; k < forms.size(); ++k) {
    const uint64_t term = (uint64_t{block.Row(k)[position]} + 1) * power;
    passHash_[k] = seq_hash::SkipHash(block.sums[k], length, block.before[k], term);
    block.before[k] += term;  // for the next position
  }
  // The table is larger than the nearest caches: each look-up's slot is asked
  // for a few forms ahead.
  for (size_t k = 0; k < forms.size(); ++k) {
    if (k + kAhead < forms.size()) groups_.Prefetch(passHash_[k + kAhead]);
    const uint32_t* row = block.Row(k);
    const uint64_t hash = passHash_[k];
    uint32_t g = groups_.Find(hash, [&](uint32_t v) {
      const uint32_t* other = block.Row(passRep_[v - 1]);
      for (uint32_t i = 0; i < length; ++i) {
        if (i != position && other[i] != row[i]) return false;
      }
      return true;
    });
    if (g == 0) {
      passRep_.push_back(static_cast<uint32_t>(k));
      passEntries_.push_back(0);
      passFrequency_.push_back(0);
      g = static_cast<uint32_t>(passRep_.size());
      groups_.Insert(hash, g);
    }
    passGroupOf_[k] = g - 1;
    passEntries_[g - 1] += formEntries_[forms[k]];
    passFrequency_[g - 1] += formFrequency_[forms[k]];
  }
}

void LexicalStatistics::CountDeletions(const Block& longer, const Block& shorter, uint32_t position, bool lists) {
  // The shorter form, if any, that each group's forms give with the key at
  // position removed.
  passShorter_.assign(passRep_.size(), 0);
  const uint32_t length = longer.length;
  passHash_.resize(shorter.forms.size());
  for (size_t j = 0; j < shorter.forms.size(); ++j) passHash_[j] = seq_hash::Mixed(shorter.sums[j], length - 1);
  for (size_t j = 0; j < shorter.forms.size(); ++j) {
    if (j + kAhead < shorter.forms.size()) groups_.Prefetch(passHash_[j + kAhead]);
    const uint32_t* row = shorter.Row(j);
    const uint32_t g = groups_.Find(passHash_[j], [&](uint32_t v) {
      const uint32_t* other = longer.Row(passRep_[v - 1]);
      return std::equal(other, other + position, row) &&
             std::equal(other + position + 1, other + length, row + position);
    });
    if (g != 0) passShorter_[g - 1] = static_cast<uint32_t>(j + 1);
  }
  // Removing any key of a run of equal keys gives the same form: it counts
  // at the run's first.
  for (size_t k = 0; k < longer.forms.size(); ++k) {
    const uint32_t j = passShorter_[passGroupOf_[k]];
    if (j == 0 || (position > 0 && longer.Row(k)[position] == longer.Row(k)[position - 1])) continue;
    const uint32_t g = longer.forms[k], f = shorter.forms[j - 1];
    deletions_[g] += formEntries_[f];
    neighbourFrequency_[g] += formFrequency_[f];
    additions_[f] += formEntries_[g];
    neighbourFrequency_[f] += formFrequency_[g];
    if (lists && formEntries_[f] > 0) neighbourLinks_.push_back({g, f, 'D'});
    if (lists && formEntries_[g] > 0) neighbourLinks_.push_back({f, g, 'A'});
  }
}

void LexicalStatistics::PairsInGroups(const Block& block, uint32_t position, const Wants& wants) {
  const std::span<const uint32_t> forms = block.forms;
  const size_t groups = passRep_.size();
  const ArenaVector<uint32_t>& groupOf = passGroupOf_;
  const uint32_t at = position;
  // The members of each group, one group after another.
  std::vector<uint32_t> start(groups + 1, 0), members(forms.size());
  for (uint32_t g : groupOf) ++start[g + 1];
  for (size_t g = 0; g < groups; ++g) start[g + 1] += start[g];
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  for (size_t k = 0; k < forms.size(); ++k) members[next[groupOf[k]]++] = forms[k];
  for (size_t g = 0; g < groups; ++g) {
    for (uint32_t a = start[g]; a < start[g + 1]; ++a) {
      for (uint32_t b = a + 1; b < start[g + 1]; ++b) {
        const uint32_t fa = members[a], fb = members[b];
        const uint32_t ka = FormSeq(fa).keys[at], kb = FormSeq(fb).keys[at];
        if (wants.neighbourLists && formEntries_[fb] > 0) neighbourLinks_.push_back({fa, fb, 'S'});
        if (wants.neighbourLists && formEntries_[fa] > 0) neighbourLinks_.push_back({fb, fa, 'S'});
        if (wants.functionalLoad && formEntries_[fa] > 0 && formEntries_[fb] > 0) {
          const uint64_t key = uint64_t{std::min(ka, kb)} << 32 | std::max(ka, kb);
          uint32_t slot = loadIndex_.Find(key);
          if (slot == 0) {
            loads_.push_back({{std::min(ka, kb), std::max(ka, kb)}, 0});
            slot = static_cast<uint32_t>(loads_.size());
            loadIndex_.Insert(key, slot);
          }
          loads_[slot - 1].second += int64_t{formEntries_[fa]} * formEntries_[fb];
        }
        if (!wants.minimalPairs) continue;
        const auto where = static_cast<int32_t>(at + 1);
        if (ka == x_ && kb == y_) {
          pairLinks_.push_back({fa, fb, where});
          pairLinks_.push_back({fb, fa, -where});
        } else if (ka == y_ && kb == x_) {
          pairLinks_.push_back({fb, fa, where});
          pairLinks_.push_back({fa, fb, -where});
        }
      }
    }
  }
}

namespace {

// The number of leading keys two sequences share.
uint32_t SharedPrefix(const Seq& a, const Seq& b) {
  const uint32_t n = std::min(a.size, b.size);
  uint32_t k = 0;
  while (k < n && a.keys[k] == b.keys[k]) ++k;
  return k;
}

// Compares the first m keys of a (fewer when it is shorter) with the first m of b.
int ComparePrefix(const Seq& a, const Seq& b, uint32_t m) {
  const uint32_t na = std::min(a.size, m), nb = std::min(b.size, m);
  const uint32_t shared = SharedPrefix(Seq{a.keys, na}, Seq{b.keys, nb});
  if (shared < na && shared < nb) return a.keys[shared] < b.keys[shared] ? -1 : 1;
  return na < nb ? -1 : na > nb ? 1 : 0;
}

}  // namespace

void LexicalStatistics::SortForms() {
  // Each form with entries beside its first keys packed into one number
  // (each key + 1 in as few bits as the keys take, 0 past the end), which
  // orders them as their keys do as far as it reaches; forms that tie there
  // are compared key by key after it.
  const auto bits = std::max<uint32_t>(1, static_cast<uint32_t>(std::bit_width(keyText_.size())));
  const uint32_t packed = 64 / bits;
  ArenaVector<std::pair<uint64_t, uint32_t>> order(Memory());
  order.reserve(formEntries_.size());
  for (uint32_t f = 0; f < formEntries_.size(); ++f) {
    if (formEntries_[f] == 0) continue;
    const Seq form = FormSeq(f);
    uint64_t first = 0;
    for (uint32_t k = 0; k < packed; ++k) first = first << bits | (k < form.size ? form.keys[k] + 1 : 0);
    order.emplace_back(first, f);
  }
  std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    const Seq sa = FormSeq(a.second), sb = FormSeq(b.second);
    return std::lexicographical_compare(sa.keys + std::min(packed, sa.size), sa.keys + sa.size,
                                        sb.keys + std::min(packed, sb.size), sb.keys + sb.size);
  });
  sorted_.resize(order.size());
  for (size_t i = 0; i < order.size(); ++i) sorted_[i] = order[i].second;
  const size_t n = sorted_.size();
  sortedEntries_.assign(n + 1, 0);
  rank_.assign(formEntries_.size(), -1);
  shared_.assign(n, 0);
  for (size_t i = 0; i < n; ++i) {
    sortedEntries_[i + 1] = sortedEntries_[i] + formEntries_[sorted_[i]];
    rank_[sorted_[i]] = static_cast<int32_t>(i);
    if (i + 1 < n) shared_[i] = SharedPrefix(FormSeq(sorted_[i]), FormSeq(sorted_[i + 1]));
  }
  // The forms that share their first K keys stand together: runs of places
  // whose neighbours share at least K.
  const auto k = static_cast<uint32_t>(options_.cohort);
  cohortRun_.assign(n, 0);
  for (size_t begin = 0, end = 0; begin < n; begin = end) {
    end = begin + 1;
    while (end < n && shared_[end - 1] >= k) ++end;
    for (size_t i = begin; i < end; ++i) cohortRun_[i] = sortedEntries_[end] - sortedEntries_[begin];
  }
}

int32_t LexicalStatistics::UniquenessPoint(uint32_t f) const {
  if (const int32_t r = rank_[f]; r >= 0) {
    const auto i = static_cast<size_t>(r);
    const uint32_t before = i > 0 ? shared_[i - 1] : 0, after = i + 1 < sorted_.size() ? shared_[i] : 0;
    return static_cast<int32_t>(std::max(before, after) + 1);
  }
  const Seq q = FormSeq(f);
  const auto pos = static_cast<size_t>(
      std::partition_point(sorted_.begin(), sorted_.end(),
                           [&](uint32_t g) { return ComparePrefix(FormSeq(g), q, UINT32_MAX) < 0; }) -
      sorted_.begin());
  uint32_t shared = 0;
  if (pos > 0) shared = SharedPrefix(FormSeq(sorted_[pos - 1]), q);
  const size_t after = pos < sorted_.size() && sorted_[pos] == f ? pos + 1 : pos;
  if (after < sorted_.size()) shared = std::max(shared, SharedPrefix(FormSeq(sorted_[after]), q));
  return static_cast<int32_t>(shared + 1);
}

int64_t LexicalStatistics::CohortOf(uint32_t f) const {
  const Seq q = FormSeq(f);
  if (q.size == 0) return 0;
  const uint32_t m = std::min<uint32_t>(q.size, static_cast<uint32_t>(options_.cohort));
  if (rank_[f] >= 0 && m == static_cast<uint32_t>(options_.cohort)) return cohortRun_[static_cast<size_t>(rank_[f])];
  const auto lo = std::partition_point(sorted_.begin(), sorted_.end(),
                                       [&](uint32_t g) { return ComparePrefix(FormSeq(g), q, m) < 0; });
  const auto hi = std::partition_point(lo, sorted_.end(),
                                       [&](uint32_t g) { return ComparePrefix(FormSeq(g), q, m) == 0; });
  return sortedEntries_[static_cast<size_t>(hi - sorted_.begin())] -
         sortedEntries_[static_cast<size_t>(lo - sorted_.begin())];
}

}  // namespace velmora
