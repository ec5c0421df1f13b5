// SPDX-License-Identifier: GPL-3.0-or-later
// In-process microbenchmarks of the search engine over the divided bundled
// dictionary:
//  * BM_SearchLoop: the search alone (Search() into a sink that counts the
//    hits, no file written);
//  * BM_SearchCommand: a whole search after the first (dictionary already read
//    and divided): result files opened, the search with every hit recorded,
//    the six files finished;
//  * BM_Responsiveness: the first search of a run on a dictionary, timing the
//    longest stretch between two progress reports (where the window lets its
//    events run).
// Rates are start positions tested per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classes/natural_classes.h"
#include "engine/engine.h"
#include "engine/settings.h"
#include "lexicon/lexicon.h"
#include "search/search.h"

namespace {

namespace fs = std::filesystem;

// Answers every question Yes and notes the moment of every progress report.
class TimingEvents : public velmora::SearchEvents {
 public:
  using Clock = std::chrono::steady_clock;
  bool Continue(const velmora::Caution&) override { return true; }
  bool RetryInUse(const velmora::Status&) override { return false; }
  void Progress(int32_t, int32_t) override { turns.push_back(Clock::now()); }
  std::vector<Clock::time_point> turns;
};

// Counts hits and makes each focus string, as a result file does for a new row.
struct CountingSink : velmora::HitSink {
  void InstallANewEntry(int32_t, const velmora::FocusText& focus) override {
    ++hits;
    bytes += focus.Text().size();
  }
  void EntryDone(int32_t, bool) override {}
  int64_t hits = 0;
  int64_t bytes = 0;
};

// A folder holding a copy of the bundled data, removed at exit. The path is
// never destroyed, so that the exit handler can still read it.
const std::string& DataCopy() {
  static const std::string* const folder = [] {
    std::string pattern = (fs::temp_directory_path() / "velmora-microbench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    const fs::path data = VELMORA_DATA_DIR;
    for (const char* name : {"in.txt", "cmudict-full.txt", "AllSegments.txt", "SegmentKey.txt"}) {
      fs::copy_file(data / name, fs::path(pattern) / name);
    }
    for (const char* name : {"NaturalClasses", "SyllabifiedNaturalClasses"}) {
      fs::copy(data / name, fs::path(pattern) / name, fs::copy_options::recursive);
    }
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(DataCopy(), ignored);
    });
    return new std::string(pattern);
  }();
  return *folder;
}

// Removes the result files and settings a search left in the data folder, so
// that the next search starts as on a fresh copy of it.
void RemoveResults() {
  for (const char* name : {"FullOutput.txt", "MediumOutput.txt", "SmallOutput.txt",
                           "ResultsOfSearchInInputFormat.txt", "Hits.txt", "Misses.txt", "UserSettings.txt"}) {
    std::error_code ignored;
    fs::remove(fs::path(DataCopy()) / name, ignored);
  }
}

struct Job {
  const char* name;
  bool syllabified;
  bool vowels;
  std::vector<std::string> items;  // empty: orthography search
  std::string orthography;
};

const std::vector<Job>& Jobs() {
  static const std::vector<Job> jobs = {
      {"AY1_CONSONANT_CONSONANT_]", false, false, {"AY1", "CONSONANT", "CONSONANT", "]"}, ""},
      {"CONSONANT", false, false, {"CONSONANT"}, ""},
      {"[_vowel_]/vowels", false, true, {"[", "vowel", "]"}, ""},
      {"STOP_CODA/syllabified", true, false, {"STOP", "CODA"}, ""},
      {"CONSONANT_CONSONANT_CONSONANT", false, false, {"CONSONANT", "CONSONANT", "CONSONANT"}, ""},
      {"orthography_ation]", false, false, {}, "ation]"},
      {"orthography_empty", false, false, {}, ""},
  };
  return jobs;
}

// An engine on the copied data with the job's query, dictionary not yet
// read: the inventory and the classes of the job's folder loaded, the query
// compiled from the job's settings. The one place that knows the engine's API.
struct Session {
  TimingEvents events;
  velmora::Engine engine{DataCopy()};
  velmora::Query query;
  int32_t hits = 0;

  Session(const Job& job, const std::string& inputFileName) {
    if (!engine.LoadInventory().ok()) std::abort();
    const velmora::ClassLoad load = engine.LoadClasses(job.syllabified);
    if (!load.key.ok() || !load.classes.ok()) std::abort();
    velmora::Settings settings;
    settings.inputFileName = inputFileName;
    for (size_t b = 0; b < job.items.size(); ++b) settings.boxes[b] = job.items[b];
    settings.orthography = job.orthography;
    settings.syllabified = job.syllabified;
    settings.vowels = job.vowels;
    const velmora::Query::Kind kind =
        job.items.empty() ? velmora::Query::Kind::kOrthography : velmora::Query::Kind::kTranscriptions;
    if (engine.Compile(settings, kind, &query).refused()) std::abort();
  }

  // A whole search: the dictionary read and divided when it is not yet, the
  // vowel tier made when the query reads it, the six files written.
  void Search() {
    const velmora::SearchResult result = engine.Run(query, DataCopy(), events);
    if (result.outcome != velmora::Outcome::kHits) std::abort();
    hits = result.hits;
  }

  const velmora::Lexicon& lexicon() const {
    if (engine.lexicon() == nullptr) std::abort();
    return *engine.lexicon();
  }

  // A lexicon of its own with the engine's inventory, the dictionary unread.
  velmora::Lexicon FreshLexicon() const {
    velmora::Lexicon fresh;
    fresh.SetInventory(engine.phonemes());
    return fresh;
  }

  // Whether a symbol is a vowel, by the classes the query is made with.
  velmora::VowelTest IsVowel() const {
    return [this](std::string_view symbol) { return velmora::IsInNaturalClass(engine.classes(), symbol, "vowel"); };
  }

  // The start positions the search tests.
  int64_t StartPositions(const Job& job) const {
    const velmora::Dictionary& dictionary = lexicon().dictionary();
    const int32_t words = dictionary.NumberOfWords;
    int64_t positions = 0;
    if (job.items.empty()) {
      const int64_t length = static_cast<int64_t>(job.orthography.size());
      for (int32_t i = 1; i <= words; ++i) {
        positions += std::max<int64_t>(0, static_cast<int64_t>(dictionary.Spellings[i].size()) + 2 - length + 1);
      }
    } else {
      const std::vector<int32_t>& lengths = lexicon().Lengths(query.tier());
      const int32_t n = static_cast<int32_t>(job.items.size());
      for (int32_t i = 1; i <= words; ++i) positions += std::max(0, lengths[i] - n + 1);
    }
    return positions;
  }
};

void CountPositions(benchmark::State& state, const Session& session, const Job& job) {
  const int64_t positions = session.StartPositions(job);
  state.counters["positions/s"] =
      benchmark::Counter(static_cast<double>(positions) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["positions"] = static_cast<double>(positions);
}

void BM_SearchLoop(benchmark::State& state, const Job& job) {
  Session session(job, "in.txt");
  session.Search();  // reads and divides the dictionary, makes the vowel tier
  CountingSink sink;
  for (auto _ : state) {
    sink = CountingSink();
    velmora::Search(session.lexicon(), session.query, sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  CountPositions(state, session, job);
  state.counters["matches"] = static_cast<double>(sink.hits);
}

void BM_SearchCommand(benchmark::State& state, const Job& job) {
  Session session(job, "in.txt");
  session.Search();  // the first search reads and divides the dictionary
  for (auto _ : state) session.Search();
  CountPositions(state, session, job);
  state.counters["hits"] = static_cast<double>(session.hits);
}

// The first search of a run on the whole CMU dictionary, timed in the three
// stretches between progress reports that matter to the window: from the
// start to the first report (reading and dividing the dictionary, opening the
// files, the first 100 entries), the longest between two reports of the
// search itself, and from the last report to the end (the files finished).
void BM_Responsiveness(benchmark::State& state, const Job& job) {
  using Ms = std::chrono::duration<double, std::milli>;
  double first = 0, middle = 0, last = 0;
  int64_t turns = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RemoveResults();
    Session session(job, "cmudict-full.txt");
    state.ResumeTiming();
    const TimingEvents::Clock::time_point start = TimingEvents::Clock::now();
    session.Search();
    const TimingEvents::Clock::time_point end = TimingEvents::Clock::now();
    const std::vector<TimingEvents::Clock::time_point>& t = session.events.turns;
    if (t.empty()) std::abort();
    first = std::max(first, Ms(t.front() - start).count());
    for (size_t k = 1; k < t.size(); ++k) middle = std::max(middle, Ms(t[k] - t[k - 1]).count());
    last = std::max(last, Ms(end - t.back()).count());
    turns = static_cast<int64_t>(t.size());
  }
  state.counters["ms_to_first_turn"] = first;
  state.counters["ms_between_turns"] = middle;
  state.counters["ms_after_last_turn"] = last;
  state.counters["event_turns"] = static_cast<double>(turns);
}

// The phases of a first search, in process, on one dictionary: reading,
// dividing, and the whole first search (a fresh engine each time: read,
// divide, search, six files). Memory freed by one iteration may be reused by
// the next, so these see fewer page faults than a fresh process.
void BM_ReadDictionary(benchmark::State& state, const std::string& input) {
  const Session session(Jobs()[0], input);
  velmora::Lexicon lexicon = session.FreshLexicon();
  for (auto _ : state) {
    if (!lexicon.LoadDictionary(DataCopy() + "/" + input).ok()) std::abort();
  }
  state.counters["entries"] = static_cast<double>(lexicon.dictionary().NumberOfWords);
}

void BM_Divide(benchmark::State& state, const std::string& input) {
  Session session(Jobs()[0], input);
  velmora::Lexicon lexicon = session.FreshLexicon();
  if (!lexicon.LoadDictionary(DataCopy() + "/" + input).ok()) std::abort();
  const velmora::VowelTest isVowel = session.IsVowel();
  for (auto _ : state) lexicon.DivideWordsIntoPhonemes(false, session.events, isVowel);
  state.counters["entries"] = static_cast<double>(lexicon.dictionary().NumberOfWords);
}

void BM_FirstSearch(benchmark::State& state, const Job& job, const std::string& input) {
  for (auto _ : state) {
    state.PauseTiming();
    RemoveResults();
    state.ResumeTiming();
    Session session(job, input);
    session.Search();
  }
}

void RegisterAll() {
  for (const Job& job : Jobs()) {
    if (!job.items.empty()) {
      benchmark::RegisterBenchmark((std::string("BM_SearchLoop/") + job.name).c_str(), BM_SearchLoop, job)
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const Job& job : Jobs()) {
    benchmark::RegisterBenchmark((std::string("BM_SearchCommand/") + job.name).c_str(), BM_SearchCommand, job)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  for (const char* input : {"in.txt", "cmudict-full.txt"}) {
    const std::string dict = std::string(input) == "in.txt" ? "bundled" : "CMU";
    benchmark::RegisterBenchmark(("BM_ReadDictionary/" + dict).c_str(), BM_ReadDictionary, std::string(input))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_Divide/" + dict).c_str(), BM_Divide, std::string(input))
        ->Unit(benchmark::kMillisecond);
    for (size_t j : {size_t{0}, size_t{1}, size_t{6}}) {
      const Job& job = Jobs()[j];
      benchmark::RegisterBenchmark(("BM_FirstSearch/" + dict + "/" + job.name).c_str(), BM_FirstSearch, job,
                                   std::string(input))
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const Job& job : Jobs()) {
    benchmark::RegisterBenchmark((std::string("BM_Responsiveness/CMU/") + job.name).c_str(), BM_Responsiveness,
                                 job)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
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
