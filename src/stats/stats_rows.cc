// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the statistics, each entry's or word's with its neighbours and
// minimal pairs, and the functional load of every pair of keys.
#include <algorithm>
#include <tuple>

#include "stats/stats.h"

namespace velmora {

StatsRow LexicalStatistics::RowOf(uint32_t f, int32_t entry, int32_t rhymeStart) const {
  // An entry is not among its own homophones or its own cohort; a word of a
  // word list has no "itself".
  const int32_t self = entry != 0 ? 1 : 0;
  StatsRow row;
  const Seq form = FormSeq(f);
  row.segments = static_cast<int32_t>(form.size);
  row.frequency = entry != 0 ? entryFrequency_[static_cast<size_t>(entry)] : 0;
  row.homophones = formEntries_[f] - self;
  row.substitutions = substitutions_[f];
  row.deletions = deletions_[f];
  row.additions = additions_[f];
  row.neighbourFrequency = neighbourFrequency_[f];
  row.uniquenessPoint = UniquenessPoint(f);
  row.cohort = form.size == 0 ? 0 : static_cast<int32_t>(CohortOf(f) - self);
  if (entry != 0) {
    row.rhymes = entryRhymes_[static_cast<size_t>(entry)];
  } else if (rhymeStart >= 0) {
    const Seq suffix{form.keys + rhymeStart, form.size - static_cast<uint32_t>(rhymeStart)};
    const int64_t g = FindRhyme(suffix);
    int32_t same = 0;
    if (formEntries_[f] == 1) {
      const int32_t start = entryRhymeStart_[entriesOfForm_[entriesStart_[f]]];
      same = start >= 0 && Length(f) - static_cast<uint32_t>(start) == suffix.size ? 1 : 0;
    } else if (const uint32_t slot = formRhymeIndex_.Find(uint64_t{f} << 32 | suffix.size); slot != 0) {
      same = formRhymeEntries_[slot - 1];
    }
    // The entries of the same transcription and rhyming part are not rhymes.
    row.rhymes = (g < 0 ? 0 : rhymeEntries_[static_cast<size_t>(g)]) - same;
  }
  std::tie(row.segmentProbability, row.biphoneProbability) = formProbabilities_[f];
  return row;
}

void LexicalStatistics::PushLinks(const StatsRow& row, uint32_t f, bool bothSides, StatsSink& sink) const {
  if (neighbourLinks_.empty() && pairLinks_.empty()) return;
  auto linksOf = [f](const BigVector<Link>& links) {
    return std::equal_range(links.begin(), links.end(), Link{f, 0, 0},
                            [](const Link& a, const Link& b) { return a.form < b.form; });
  };
  // (entry, data) of every entry of the linked forms, in dictionary order.
  std::vector<std::pair<uint32_t, int32_t>> found;
  auto gather = [&](const BigVector<Link>& links) {
    found.clear();
    const auto [first, last] = linksOf(links);
    for (auto link = first; link != last; ++link) {
      if (!bothSides && link->data < 0) continue;
      for (uint32_t k = entriesStart_[link->other]; k < entriesStart_[link->other + 1]; ++k) {
        found.emplace_back(entriesOfForm_[k], link->data);
      }
    }
    std::sort(found.begin(), found.end());
  };
  gather(neighbourLinks_);
  for (const auto& [entry, kind] : found) sink.Neighbour(row.word, dict_.Spellings[entry], static_cast<char>(kind));
  gather(pairLinks_);
  for (const auto& [entry, position] : found) {
    const std::string_view partner = dict_.Spellings[entry];
    if (position > 0) {
      sink.MinimalPair(row.word, partner, position);
    } else {
      sink.MinimalPair(partner, row.word, -position);
    }
  }
}

void LexicalStatistics::PushRows(const std::vector<StatsSubject>* subjects, StatsSink& sink) const {
  auto pushEntry = [&](int32_t e) {
    const auto n = static_cast<size_t>(e);
    StatsRow row = RowOf(entryForm_[n], e, -1);
    row.word = dict_.Spellings[n];
    row.transcription = dict_.TranscriptionStrings.field(n);
    sink.Row(row);
    PushLinks(row, entryForm_[n], subjects != nullptr, sink);
  };
  if (subjects == nullptr) {
    for (int32_t e = 1; e <= dict_.NumberOfWords; ++e) pushEntry(e);
    return;
  }
  for (const StatsSubject& subject : *subjects) {
    if (subject.entry != 0) {
      pushEntry(subject.entry);
      continue;
    }
    StatsRow row = RowOf(subject.form, 0, subject.rhymeStart);
    row.word = subject.spelling;
    row.transcription = subject.transcription;
    sink.Row(row);
    PushLinks(row, subject.form, true, sink);
  }
}

std::vector<SegmentLoad> LexicalStatistics::FunctionalLoad() const {
  std::vector<SegmentLoad> loads;
  for (const auto& [keys, pairs] : loads_) {
    SegmentLoad load{keyText_[keys.first], keyText_[keys.second], pairs};
    if (load.second < load.first) std::swap(load.first, load.second);
    loads.push_back(std::move(load));
  }
  std::sort(loads.begin(), loads.end(), [](const SegmentLoad& a, const SegmentLoad& b) {
    return std::tie(b.pairs, a.first, a.second) < std::tie(a.pairs, b.first, b.second);
  });
  return loads;
}

}  // namespace velmora
