// SPDX-License-Identifier: GPL-3.0-or-later
// Neighbours, minimal pairs and the forms in sorted order. Substitution
// neighbours share the transcription with one position left out: the forms
// of one length are grouped by that in a hash table, one position at a time.
// Deletion and addition neighbours are the forms found by removing one symbol
// of each form.
#include <algorithm>
#include <exception>
#include <thread>

#include "stats/stats.h"

namespace velmora {

void LexicalStatistics::Compute(const Wants& wants) {
  if (wants.minimalPairs) {
    x_ = InternKey(KeyOf(wants.x, options_.keepStress));
    y_ = InternKey(KeyOf(wants.y, options_.keepStress));
  }
  const size_t forms = formEntries_.size();
  substitutions_.assign(forms, 0);
  deletions_.assign(forms, 0);
  additions_.assign(forms, 0);
  neighbourFrequency_.assign(forms, 0);
  // Two halves at once: the deletions and the positions, the substitutions
  // and the order. Each writes only its own members.
  ArenaVector<int64_t> deletionFrequency(forms, 0, Memory());
  BigVector<Link> deletionLinks;
  std::exception_ptr failure;
  {
    std::jthread other([&] {
      try {
        CountDeletions(wants.neighbourLists, &deletionFrequency, &deletionLinks);
        CountPositions();
      } catch (...) {
        failure = std::current_exception();
      }
    });
    CountAllSubstitutions(wants);
    SortForms();
  }
  if (failure) std::rethrow_exception(failure);
  for (size_t f = 0; f < forms; ++f) neighbourFrequency_[f] += deletionFrequency[f];
  neighbourLinks_.insert(neighbourLinks_.end(), deletionLinks.begin(), deletionLinks.end());
  // The entries of each form, in dictionary order.
  entriesStart_.assign(forms + 1, 0);
  for (size_t f = 0; f < forms; ++f) entriesStart_[f + 1] = entriesStart_[f] + static_cast<uint32_t>(formEntries_[f]);
  entriesOfForm_.assign(entryForm_.size() > 0 ? entryForm_.size() - 1 : 0, 0);
  ArenaVector<uint32_t> next(entriesStart_.begin(), entriesStart_.end() - 1, Memory());
  for (size_t e = 1; e < entryForm_.size(); ++e) entriesOfForm_[next[entryForm_[e]]++] = static_cast<uint32_t>(e);
  auto byForm = [](const Link& a, const Link& b) { return a.form < b.form; };
  std::sort(neighbourLinks_.begin(), neighbourLinks_.end(), byForm);
  std::sort(pairLinks_.begin(), pairLinks_.end(), byForm);
}

void LexicalStatistics::CountDeletions(bool lists, ArenaVector<int64_t>* frequency, BigVector<Link>* links) {
  const auto forms = static_cast<uint32_t>(formEntries_.size());
  std::vector<uint64_t> sums;
  for (uint32_t g = 0; g < forms; ++g) {
    const Seq form = FormSeq(g);
    sums.resize(form.size + 1);
    PartialSums(form.keys, form.size, sums.data());
    // Removing any symbol of a run of equal symbols gives the same form.
    for (uint32_t i = 0; i < form.size; ++i) {
      if (i > 0 && form.keys[i] == form.keys[i - 1]) continue;
      const Seq shorter{form.keys, form.size, static_cast<int32_t>(i)};
      const uint32_t v = formIndex_.Find(SkipHash(sums.data(), form.size, i),
                                         [&](uint32_t f) { return SameSeq(FormSeq(f - 1), shorter); });
      if (v == 0) continue;
      const uint32_t f = v - 1;
      deletions_[g] += formEntries_[f];
      (*frequency)[g] += formFrequency_[f];
      additions_[f] += formEntries_[g];
      (*frequency)[f] += formFrequency_[g];
      if (lists && formEntries_[f] > 0) links->push_back({g, f, 'D'});
      if (lists && formEntries_[g] > 0) links->push_back({f, g, 'A'});
    }
  }
}

void LexicalStatistics::CountAllSubstitutions(const Wants& wants) {
  std::vector<std::vector<uint32_t>> byLength;
  for (uint32_t f = 0; f < formEntries_.size(); ++f) {
    const uint32_t length = Length(f);
    if (byLength.size() <= length) byLength.resize(length + 1);
    byLength[length].push_back(f);
  }
  // The room of the largest pass, made once.
  size_t most = 0;
  for (const std::vector<uint32_t>& forms : byLength) most = std::max(most, forms.size());
  groups_.Reset(most);
  passGroupOf_.reserve(most);
  ArenaVector<uint64_t> sums(Memory());
  for (uint32_t length = 1; length < byLength.size(); ++length) {
    const std::vector<uint32_t>& forms = byLength[length];
    if (forms.size() < 2) continue;
    sums.resize(forms.size() * (length + 1));
    for (size_t k = 0; k < forms.size(); ++k) PartialSums(FormSeq(forms[k]).keys, length, &sums[k * (length + 1)]);
    for (uint32_t i = 0; i < length; ++i) CountSubstitutions(forms, sums, length, static_cast<int32_t>(i), wants);
  }
}

void LexicalStatistics::CountSubstitutions(const std::vector<uint32_t>& forms, const ArenaVector<uint64_t>& sums,
                                           uint32_t length, int32_t position, const Wants& wants) {
  HashGroups& table = groups_;
  table.Reset(forms.size());
  ArenaVector<uint32_t>& rep = passRep_;
  ArenaVector<uint32_t>& groupOf = passGroupOf_;
  ArenaVector<int32_t>& entries = passEntries_;
  ArenaVector<int64_t>& frequency = passFrequency_;
  rep.clear();
  entries.clear();
  frequency.clear();
  groupOf.resize(forms.size());
  const auto at = static_cast<uint32_t>(position);
  for (size_t k = 0; k < forms.size(); ++k) {
    const Seq seq{FormSeq(forms[k]).keys, length, position};
    const uint64_t hash = SkipHash(&sums[k * (length + 1)], length, at);
    uint32_t g = table.Find(hash, [&](uint32_t v) { return SameSeq(Seq{FormSeq(rep[v - 1]).keys, length, position}, seq); });
    if (g == 0) {
      rep.push_back(forms[k]);
      entries.push_back(0);
      frequency.push_back(0);
      g = static_cast<uint32_t>(rep.size());
      table.Insert(hash, g);
    }
    groupOf[k] = g - 1;
    entries[g - 1] += formEntries_[forms[k]];
    frequency[g - 1] += formFrequency_[forms[k]];
  }
  for (size_t k = 0; k < forms.size(); ++k) {
    const uint32_t f = forms[k];
    substitutions_[f] += entries[groupOf[k]] - formEntries_[f];
    neighbourFrequency_[f] += frequency[groupOf[k]] - formFrequency_[f];
  }
  if (!wants.neighbourLists && !wants.functionalLoad && !wants.minimalPairs) return;
  // The members of each group, one group after another.
  std::vector<uint32_t> start(rep.size() + 1, 0), members(forms.size());
  for (uint32_t g : groupOf) ++start[g + 1];
  for (size_t g = 0; g < rep.size(); ++g) start[g + 1] += start[g];
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  for (size_t k = 0; k < forms.size(); ++k) members[next[groupOf[k]]++] = forms[k];
  for (size_t g = 0; g < rep.size(); ++g) {
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
  sorted_.clear();
  for (uint32_t f = 0; f < formEntries_.size(); ++f) {
    if (formEntries_[f] > 0) sorted_.push_back(f);
  }
  std::sort(sorted_.begin(), sorted_.end(), [this](uint32_t a, uint32_t b) {
    const Seq sa = FormSeq(a), sb = FormSeq(b);
    return std::lexicographical_compare(sa.keys, sa.keys + sa.size, sb.keys, sb.keys + sb.size);
  });
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
