// In-process microbenchmarks of the search over the divided bundled dictionary:
//  * BM_SearchLoop: the search loop alone, every start position of every entry
//    tested against the compiled items (matches counted, nothing recorded);
//  * BM_SearchCommand: a whole search command after the first (dictionary
//    already read and divided): reset, settings, result files opened, the
//    search with every hit recorded, the six files finished;
//  * BM_Responsiveness: the first search of a run on a dictionary, timing the
//    longest stretch between two moments where window events may run.
// Rates are start positions tested per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "support/recording_platform.h"
#include "search/matcher.h"

namespace {

namespace fs = std::filesystem;
using velmora::Control;
using velmora::Form1;

// A platform that notes the moment of every event-loop turn.
class TimingPlatform : public velmora::RecordingPlatform {
 public:
  using Clock = std::chrono::steady_clock;
  void DoEvents() override { turns.push_back(Clock::now()); }
  std::vector<Clock::time_point> turns;
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

// A window on the copied data with the job's boxes filled in, dictionary not
// yet read.
struct Session {
  TimingPlatform platform;
  std::unique_ptr<Form1> form;

  Session(const Job& job, const std::string& input) {
    form = std::make_unique<Form1>(platform, DataCopy());
    platform.SetText(Control::cmdSearchTranscriptions, "Search transcriptions");
    platform.SetText(Control::cmdSearchOrthography, "Search orthography");
    platform.SetText(Control::txtInputFileName, input);
    platform.SetText(Control::txtExampleLength, "100");
    for (int b = 1; b <= 5; ++b) {
      const size_t i = static_cast<size_t>(b - 1);
      platform.SetText(velmora::TextBox(b), i < job.items.size() ? job.items[i] : std::string());
      platform.SetValue(velmora::IgnoreBox(b), 0);
    }
    platform.SetText(Control::txtOrthography, job.orthography);
    platform.SetValue(Control::chkSyllabified, job.syllabified ? 1 : 0);
    platform.SetValue(Control::chkVowels, job.vowels ? 1 : 0);
    platform.SetValue(Control::chkExclude, 0);
    form->ReadPhonemeInventory();
    form->PostTheUserLabel();
  }

  void Search(const Job& job) {
    if (job.items.empty()) {
      form->cmdSearchOrthography_Click();
    } else {
      form->cmdSearchTranscriptions_Click();
    }
    if (form->lastOutcome != Form1::Outcome::kHits) std::abort();
  }

  const velmora::SegmentTable& Table(const Job& job) const {
    if (job.vowels) return form->lexicon().VowelTranscriptions;
    return job.syllabified ? form->lexicon().SyllabifiedTranscriptions : form->lexicon().Transcriptions;
  }
  const std::vector<int32_t>& Lengths(const Job& job) const {
    return job.vowels ? form->lexicon().VowelTranscriptionLengths : form->lexicon().TranscriptionLengths;
  }

  // The start positions the search tests.
  int64_t StartPositions(const Job& job) const {
    const int32_t words = form->lexicon().dictionary.NumberOfWords;
    int64_t positions = 0;
    if (job.items.empty()) {
      const int64_t length = static_cast<int64_t>(job.orthography.size());
      for (int32_t i = 1; i <= words; ++i) {
        positions += std::max<int64_t>(0, static_cast<int64_t>(form->lexicon().dictionary.Spellings[i].size()) + 2 - length + 1);
      }
    } else {
      const std::vector<int32_t>& lengths = Lengths(job);
      const int32_t n = static_cast<int32_t>(job.items.size());
      for (int32_t i = 1; i <= words; ++i) positions += std::max(0, lengths[i] - n + 1);
    }
    return positions;
  }
};

void BM_SearchLoop(benchmark::State& state, const Job& job) {
  Session session(job, "in.txt");
  if (!session.form->DoOnceOnlyTasks()) std::abort();
  if (job.vowels) session.form->lexicon().MakeVowelTier();
  const velmora::SegmentTable& table = session.Table(job);
  const std::vector<int32_t>& lengths = session.Lengths(job);
  const int32_t n = static_cast<int32_t>(job.items.size());
  std::vector<velmora::CompiledItem> compiled;
  for (const std::string& item : job.items) {
    compiled.push_back(velmora::CompileItem(item, session.form->lexicon().Symbols, session.form->lexicon().classes));
  }
  const int32_t words = session.form->lexicon().dictionary.NumberOfWords;
  int64_t matches = 0;
  for (auto _ : state) {
    matches = 0;
    for (int32_t i = 1; i <= words; ++i) {
      const velmora::SymbolId* row = table.Row(i);
      const int32_t last = lengths[i] - n;
      for (int32_t j = 0; j <= last; ++j) {
        int32_t b = 0;
        while (b < n && compiled[static_cast<size_t>(b)](row[j + b])) ++b;
        matches += b == n;
      }
    }
    benchmark::DoNotOptimize(matches);
  }
  const int64_t positions = session.StartPositions(job);
  state.counters["positions/s"] =
      benchmark::Counter(static_cast<double>(positions) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["positions"] = static_cast<double>(positions);
  state.counters["matches"] = static_cast<double>(matches);
}

void BM_SearchCommand(benchmark::State& state, const Job& job) {
  Session session(job, "in.txt");
  session.Search(job);  // the first search reads and divides the dictionary
  for (auto _ : state) session.Search(job);
  const int64_t positions = session.StartPositions(job);
  state.counters["positions/s"] =
      benchmark::Counter(static_cast<double>(positions) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["positions"] = static_cast<double>(positions);
  state.counters["hits"] = static_cast<double>(session.form->NumberOfHits);
}

// The first search of a run on the whole CMU dictionary, timed in the three
// stretches between event-loop turns that matter to the window: from the
// click to the first turn (settings, reading and dividing the dictionary,
// opening the files, the first 100 entries), the longest between two turns of
// the search itself, and from the last turn to the end (the files finished).
void BM_Responsiveness(benchmark::State& state, const Job& job) {
  using Ms = std::chrono::duration<double, std::milli>;
  double first = 0, middle = 0, last = 0;
  int64_t turns = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RemoveResults();
    Session session(job, "cmudict-full.txt");
    session.platform.turns.clear();
    state.ResumeTiming();
    const TimingPlatform::Clock::time_point start = TimingPlatform::Clock::now();
    session.Search(job);
    const TimingPlatform::Clock::time_point end = TimingPlatform::Clock::now();
    const std::vector<TimingPlatform::Clock::time_point>& t = session.platform.turns;
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
// dividing, and the whole first search (a fresh window each time: read,
// divide, search, six files). Memory freed by one iteration may be reused by
// the next, so these see fewer page faults than a fresh process.
struct AnswerYes : velmora::DivisionReporter {
  bool Continue(const velmora::Caution&) override { return true; }
};

void BM_ReadDictionary(benchmark::State& state, const std::string& input) {
  Session session(Jobs()[0], input);
  for (auto _ : state) {
    if (!session.form->lexicon().LoadDictionary(session.form->ProgramFolder + "/" + input).ok()) std::abort();
  }
  state.counters["entries"] = static_cast<double>(session.form->lexicon().dictionary.NumberOfWords);
}

void BM_Divide(benchmark::State& state, const std::string& input) {
  Session session(Jobs()[0], input);
  if (!session.form->lexicon().LoadDictionary(session.form->ProgramFolder + "/" + input).ok()) std::abort();
  AnswerYes yes;
  for (auto _ : state) session.form->lexicon().DivideWordsIntoPhonemes(false, yes);
  state.counters["entries"] = static_cast<double>(session.form->lexicon().dictionary.NumberOfWords);
}

void BM_FirstSearch(benchmark::State& state, const Job& job, const std::string& input) {
  for (auto _ : state) {
    state.PauseTiming();
    RemoveResults();
    state.ResumeTiming();
    Session session(job, input);
    session.Search(job);
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
