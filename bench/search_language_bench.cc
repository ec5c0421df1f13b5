// The whole search path of the search language, as velmora-batch runs it:
// Search() over the whole CMU dictionary (data/cmudict-full.txt) loaded and
// divided by the Lexicon, the items compiled from the boxes, every hit handed
// to a sink. The sink counts the hits and makes each focus string, as the
// result files do for a new row; no file is written.
//  * BM_Search/AY1, CONSONANT and AY1_CONSONANT_CONSONANT_]: the fast path
//    (every item takes one segment);
//  * BM_Search/..._..._..._AY1 and the rest: the pattern matcher's path.
// The ratio of ..._..._..._AY1 to AY1 is what the unbounded items cost on the
// way the program takes (bench/RESULTS.md: at most 3).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/label.h"
#include "lexicon/lexicon.h"
#include "search/query.h"
#include "search/search.h"

namespace {

struct GoOn : velmora::DivisionReporter {
  bool Continue(const velmora::Caution&) override { return true; }
};

struct CountingSink : velmora::HitSink {
  void InstallANewEntry(int32_t, const velmora::FocusText& focus) override {
    ++hits;
    bytes += focus.Text().size();
  }
  void EntryDone(int32_t, bool found) override { entries += found ? 1 : 0; }
  int64_t hits = 0;
  int64_t bytes = 0;
  int64_t entries = 0;
};

velmora::Lexicon& Cmu() {
  static velmora::Lexicon* const lexicon = [] {
    auto* l = new velmora::Lexicon;
    const std::string data = VELMORA_DATA_DIR;
    GoOn goOn;
    if (!l->LoadInventory(data + "/AllSegments.txt").ok()) std::abort();
    if (!l->LoadDictionary(data + "/cmudict-full.txt").ok()) std::abort();
    if (!l->DivideWordsIntoPhonemes(false, goOn)) std::abort();
    velmora::LoadKeyAndClasses(data, false, &l->classes);
    return l;
  }();
  return *lexicon;
}

void BM_Search(benchmark::State& state, std::vector<std::string> boxes) {
  const velmora::Lexicon& lexicon = Cmu();
  velmora::Query query;
  for (size_t b = 0; b < boxes.size(); ++b) query.items[b] = boxes[b];
  const velmora::Refusal refusal =
      velmora::ValidateItems(query.items, lexicon, query.tier(), velmora::FeaturesOfFolder(VELMORA_DATA_DIR), &query.parsed);
  if (refusal.refused()) {
    state.SkipWithError(refusal.message.c_str());
    return;
  }
  CountingSink sink;
  for (auto _ : state) {
    sink = CountingSink();
    velmora::Search(lexicon, query, sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  state.counters["hits"] = static_cast<double>(sink.hits);
  state.counters["entries"] = static_cast<double>(sink.entries);
}

BENCHMARK_CAPTURE(BM_Search, AY1, std::vector<std::string>{"AY1"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, CONSONANT, std::vector<std::string>{"CONSONANT"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, ..._..._..._AY1, std::vector<std::string>{"...", "...", "...", "AY1"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, AY1_CONSONANT_CONSONANT_], std::vector<std::string>{"AY1", "CONSONANT", "CONSONANT", "]"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, [_STOP_LIQUID?_VOWEL, std::vector<std::string>{"[", "STOP", "LIQUID?", "VOWEL"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, VOWEL_..._NASAL_], std::vector<std::string>{"VOWEL", "...", "NASAL", "]"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, {+sonorant_+consonantal}+_],
                  std::vector<std::string>{"{+sonorant +consonantal}+", "]"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, CONSONANT*_CONSONANT*_CONSONANT*_],
                  std::vector<std::string>{"CONSONANT*", "CONSONANT*", "CONSONANT*", "]"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
