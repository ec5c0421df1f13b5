// SPDX-License-Identifier: GPL-3.0-or-later
// The pattern matcher against today's search loop, over every entry of the
// whole CMU dictionary (data/cmudict-full.txt, field 2 framed by [ and ], as
// the search divides it). Each benchmark tests every start position of every
// entry and counts the matches; nothing is recorded.
//  * BM_TodaysLoop/AY1: the loop of today's search with AY1 compiled by CompileItem;
//  * BM_Pattern/BOXES: the same positions through Pattern (BeginEntry, then
//    MatchAt at each start of an entry it did not rule out), the boxes
//    joined by "_" in the name.
// The ratio of BM_Pattern/..._..._..._AY1 to BM_TodaysLoop/AY1 is the cost
// of the unbounded items against the plainest search.
#include <algorithm>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classes/natural_classes.h"
#include "features/feature_table.h"
#include "lexicon/segmentation.h"
#include "platform/text.h"
#include "platform/files.h"
#include "search/item_syntax.h"
#include "search/matcher.h"
#include "search/pattern.h"

namespace {

using velmora::SymbolId;

struct Dictionary {
  velmora::SymbolTable symbols;
  std::vector<SymbolId> ids;
  std::vector<uint32_t> offsets{0};  // entry n is ids[offsets[n] .. offsets[n + 1])
  velmora::ClassTable classes;
  velmora::FeatureTable features;
  int64_t positions = 0;
  size_t entries() const { return offsets.size() - 1; }
};

std::string ReadOrDie(const std::string& path) {
  std::string contents;
  if (!velmora::ReadWholeFile(path, &contents).ok()) std::abort();
  return contents;
}

const Dictionary& Cmu() {
  static const Dictionary* const dictionary = [] {
    auto* d = new Dictionary;
    const std::string data = VELMORA_DATA_DIR;
    velmora::ForEachLine(ReadOrDie(data + "/cmudict-full.txt"), [&](std::string_view line) {
      // The plain transcription: the second TAB-separated field.
      const std::string_view afterSpelling = line.substr(std::min(line.size(), line.find('\t') + 1));
      const std::string field(afterSpelling.substr(0, afterSpelling.find('\t')));
      d->ids.push_back(d->symbols.Intern("["));
      for (size_t p = 0; p < field.size();) {
        size_t q = field.find(' ', p);
        if (q == std::string::npos) q = field.size();
        d->ids.push_back(d->symbols.Intern(std::string_view(field).substr(p, q - p)));
        p = q + 1;
      }
      d->ids.push_back(d->symbols.Intern("]"));
      d->offsets.push_back(static_cast<uint32_t>(d->ids.size()));
    });
    for (const char* name : {"CONSONANT", "VOWEL"}) {
      const int32_t k = d->classes.AddClass(name);
      for (std::string& member : velmora::ParseClassFile(ReadOrDie(data + "/NaturalClasses/" + name + ".txt"))) {
        d->classes.AddMember(k, member);
      }
    }
    // A small table for the bundle benchmark: voice and sonorant of the stops.
    std::string table = "Symbol\tvoice\tsonorant\r\n";
    for (const char* s : {"P", "T", "K"}) table += std::string(s) + "\t-\t-\r\n";
    for (const char* s : {"B", "D", "G"}) table += std::string(s) + "\t+\t-\r\n";
    if (!velmora::ReadFeatureTable(table, "bench", &d->features).ok()) std::abort();
    d->positions = static_cast<int64_t>(d->ids.size());
    return d;
  }();
  return *dictionary;
}

void Report(benchmark::State& state, int64_t matches) {
  const Dictionary& d = Cmu();
  state.counters["positions/s"] = benchmark::Counter(
      static_cast<double>(d.positions) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["matches"] = static_cast<double>(matches);
}

void BM_TodaysLoop(benchmark::State& state, const std::string& item) {
  const Dictionary& d = Cmu();
  const velmora::CompiledItem compiled = velmora::CompileItem(item, d.symbols, d.classes);
  int64_t matches = 0;
  for (auto _ : state) {
    matches = 0;
    for (size_t n = 0; n < d.entries(); ++n) {
      const SymbolId* row = d.ids.data() + d.offsets[n];
      const int32_t length = static_cast<int32_t>(d.offsets[n + 1] - d.offsets[n]);
      for (int32_t j = 0; j < length; ++j) matches += compiled(row[j]);
    }
    benchmark::DoNotOptimize(matches);
  }
  Report(state, matches);
}

void BM_Pattern(benchmark::State& state, const std::vector<std::string>& boxes) {
  const Dictionary& d = Cmu();
  velmora::ItemContext context;
  context.isName = [&](std::string_view text) {
    const std::string lowered = velmora::Lower(text);
    for (SymbolId id = 1; id < d.symbols.size(); ++id) {
      if (velmora::Lower(d.symbols.Text(id)) == lowered) return true;
    }
    for (int32_t k = 1; k <= d.classes.NumberOfNaturalClasses; ++k) {
      if (velmora::Lower(d.classes.NaturalClassNames[k]) == lowered) return true;
    }
    return false;
  };
  context.features = [&](velmora::Status*) { return &d.features; };
  std::vector<velmora::PatternItem> items;
  for (const std::string& box : boxes) {
    const velmora::ParsedItem item = velmora::ParseItem(box, 1, context);
    if (!item.ok()) std::abort();
    items.push_back(velmora::CompilePatternItem(
        item, [&](std::string_view name) { return velmora::CompileItem(name, d.symbols, d.classes).matches; },
        d.symbols, &d.features));
  }
  velmora::Pattern pattern(items);
  std::vector<int32_t> ends(items.size());
  int64_t matches = 0;
  for (auto _ : state) {
    matches = 0;
    for (size_t n = 0; n < d.entries(); ++n) {
      const SymbolId* row = d.ids.data() + d.offsets[n];
      const int32_t length = static_cast<int32_t>(d.offsets[n + 1] - d.offsets[n]);
      if (!pattern.BeginEntry(row, length)) continue;
      for (int32_t j = 0; j < length; ++j) matches += pattern.MatchAt(j, ends.data());
    }
    benchmark::DoNotOptimize(matches);
  }
  Report(state, matches);
}

void RegisterAll() {
  benchmark::RegisterBenchmark("BM_TodaysLoop/AY1", BM_TodaysLoop, std::string("AY1"))->Unit(benchmark::kMillisecond);
  const std::vector<std::vector<std::string>> patterns = {
      {"AY1"},
      {"...", "...", "...", "AY1"},
      {"AY1", "CONSONANT", "CONSONANT", "]"},
      {"AY1", "CONSONANT+", "]"},
      {"[", "...", "AY1", "...", "]"},
      {"!VOWEL*", "AY1|EY1", "{+voice -sonorant}?"},
  };
  for (const std::vector<std::string>& boxes : patterns) {
    std::string name = "BM_Pattern/";
    for (size_t b = 0; b < boxes.size(); ++b) name += (b > 0 ? "_" : "") + boxes[b];
    benchmark::RegisterBenchmark(name.c_str(), BM_Pattern, boxes)->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
