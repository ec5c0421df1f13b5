// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <string_view>
#include <vector>

#include "classes/natural_classes.h"
#include "engine/engine.h"
#include "engine/settings.h"
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

// The engine of the data folder, with the inventory and the plain classes
// loaded: it makes the queries. The dictionary is divided by a Lexicon of its
// own, so that the searches read it as the engine's would.
velmora::Engine& Data() {
  static velmora::Engine* const engine = [] {
    auto* e = new velmora::Engine(VELMORA_DATA_DIR);
    if (!e->LoadInventory().ok()) std::abort();
    const velmora::ClassLoad load = e->LoadClasses(false);
    if (!load.key.ok() || !load.classes.ok()) std::abort();
    return e;
  }();
  return *engine;
}

const velmora::Lexicon& Cmu() {
  static const velmora::Lexicon* const lexicon = [] {
    const velmora::Engine& engine = Data();
    auto* l = new velmora::Lexicon;
    const std::string data = VELMORA_DATA_DIR;
    GoOn goOn;
    l->SetInventory(engine.phonemes());
    if (!l->LoadDictionary(data + "/cmudict-full.txt").ok()) std::abort();
    const velmora::VowelTest isVowel = [&engine](std::string_view symbol) {
      return velmora::IsInNaturalClass(engine.classes(), symbol, "vowel");
    };
    if (!l->DivideWordsIntoPhonemes(false, goOn, isVowel)) std::abort();
    return l;
  }();
  return *lexicon;
}

void BM_Search(benchmark::State& state, std::vector<std::string> boxes) {
  const velmora::Lexicon& lexicon = Cmu();
  velmora::Settings settings;
  settings.inputFileName = "cmudict-full.txt";
  for (size_t b = 0; b < boxes.size(); ++b) settings.boxes[b] = boxes[b];
  velmora::Query query;
  const velmora::Refusal refusal = Data().Compile(settings, velmora::Query::Kind::kTranscriptions, &query);
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
