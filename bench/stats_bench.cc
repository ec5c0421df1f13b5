// SPDX-License-Identifier: GPL-3.0-or-later
// The lexical statistics in process, after the dictionary is read:
//   stats_bench DICTIONARY [SAMPLE]
// prints the median of 5 runs of each step (the tables, every measure
// computed, the rows made into a sink that only counts, the functional load
// besides) and the time per word of a pairwise loop (the edit distance of a
// sample of words against every entry), the way the statistics would be made
// without the tables.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "lexicon/lexicon.h"
#include "stats/stats.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& step) {
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const auto start = Clock::now();
    step();
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[2];
}

struct Counter : velmora::StatsSink {
  void Row(const velmora::StatsRow& row) override { sum += row.neighbours() + row.cohort; }
  int64_t sum = 0;
};

// Edit distance at most 1 between two sequences, by the full table.
int Distance(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  std::vector<int> row(b.size() + 1), next(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    next[0] = static_cast<int>(i);
    for (size_t j = 1; j <= b.size(); ++j) {
      next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
    }
    row.swap(next);
  }
  return row[b.size()];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: stats_bench DICTIONARY [SAMPLE]\n");
    return 2;
  }
  const int sample = argc > 2 ? std::atoi(argv[2]) : 200;
  velmora::Lexicon lexicon;
  const velmora::Status read = lexicon.LoadDictionary(argv[1]);
  if (!read.ok()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], read.reason.c_str());
    return 3;
  }
  const velmora::Dictionary& dict = lexicon.dictionary();
  const velmora::StatsOptions options;
  const double tables = Seconds([&] { velmora::LexicalStatistics stats(dict, options); });
  const double measures = Seconds([&] {
    velmora::LexicalStatistics stats(dict, options);
    stats.Compute({});
    Counter counter;
    stats.PushRows(nullptr, counter);
  });
  velmora::LexicalStatistics::Wants load;
  load.functionalLoad = true;
  const double withLoad = Seconds([&] {
    velmora::LexicalStatistics stats(dict, options);
    stats.Compute(load);
    Counter counter;
    stats.PushRows(nullptr, counter);
    (void)stats.FunctionalLoad();
  });
  // The pairwise loop: each sampled word against every entry.
  std::vector<std::vector<std::string_view>> words;
  for (int32_t e = 1; e <= dict.NumberOfWords; ++e) {
    std::vector<std::string_view> symbols = velmora::SplitSymbols(dict.TranscriptionStrings.field(e));
    for (std::string_view& s : symbols) s = velmora::KeyOf(s, false);
    words.push_back(std::move(symbols));
  }
  int64_t neighbours = 0;
  const int step = std::max<int>(1, static_cast<int>(words.size()) / std::max(sample, 1));
  int sampled = 0;
  const auto start = Clock::now();
  for (size_t w = 0; w < words.size() && sampled < sample; w += static_cast<size_t>(step), ++sampled) {
    for (const auto& other : words) neighbours += Distance(words[w], other) == 1;
  }
  const double perWord = std::chrono::duration<double>(Clock::now() - start).count() / std::max(sampled, 1);
  std::printf("entries %d\ntables %.3f s\nmeasures %.3f s\nwith functional load %.3f s\n", dict.NumberOfWords,
              tables, measures, withLoad);
  std::printf("pairwise %.3f ms per word (%d sampled, %lld neighbours), %.1f s for all\n", perWord * 1000, sampled,
              static_cast<long long>(neighbours), perWord * dict.NumberOfWords);
  return 0;
}
