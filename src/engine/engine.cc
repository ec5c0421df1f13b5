// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <utility>

#include "classes/class_folder.h"
#include "platform/text.h"
#include "platform/files.h"
#include "search/search.h"
#include "stats/stats.h"

namespace velmora {

// A dictionary file read, its division, and the cautions that division asked.
struct Engine::Loaded {
  Lexicon lexicon;
  std::vector<Caution> cautions;
  std::shared_ptr<const EntryMeasures> measures;  // made for the first search whose filters use them
};

namespace {

// Passes each caution on and keeps it.
class RecordingReporter : public DivisionReporter {
 public:
  RecordingReporter(DivisionReporter& to, std::vector<Caution>& kept) : to_(to), kept_(kept) {}
  bool Continue(const Caution& caution) override {
    kept_.push_back(caution);
    return to_.Continue(caution);
  }

 private:
  DivisionReporter& to_;
  std::vector<Caution>& kept_;
};

// Keeps the neighbours and uniqueness point of each row.
class MeasuresSink : public StatsSink {
 public:
  explicit MeasuresSink(EntryMeasures& measures) : measures_(measures) {}
  void Row(const StatsRow& row) override {
    measures_.neighbours.push_back(row.neighbours());
    measures_.uniquenessPoints.push_back(row.uniquenessPoint);
  }

 private:
  EntryMeasures& measures_;
};

std::shared_ptr<const EntryMeasures> MeasureEntries(const Lexicon& lexicon) {
  auto measures = std::make_shared<EntryMeasures>();
  measures->neighbours.push_back(0);  // element 0 is no entry
  measures->uniquenessPoints.push_back(0);
  LexicalStatistics stats(lexicon.dictionary(), StatsOptions());
  stats.Compute(LexicalStatistics::Wants());
  MeasuresSink sink(*measures);
  stats.PushRows(nullptr, sink);
  return measures;
}

}  // namespace

Engine::Engine(std::string folder, Options options)
    : folder_(std::move(folder)), dataFolder_(folder_), options_(options) {}

Engine::~Engine() = default;

void Engine::SetDataFolder(std::string dataFolder) {
  dataFolder_ = std::move(dataFolder);
  phonemes_.assign(1, std::string());
  names_.SetInventory(phonemes_);
  for (int choice = 0; choice < 2; ++choice) {
    classLoads_[choice] = ClassLoad();
    classTables_[choice] = nullptr;
    classesLoaded_[choice] = false;
  }
  classes_ = nullptr;
  current_ = nullptr;
  loaded_.clear();
}

std::string Engine::DictionaryPath(const std::string& inputFileName) const {
  return (inputFileName == "in.txt" ? dataFolder_ : folder_) + "/" + inputFileName;
}

const ClassTable& Engine::classes() const {
  static const ClassTable kNone;
  return classes_ != nullptr ? *classes_ : kNone;
}

Status Engine::LoadInventory() {
  const Status status = names_.LoadInventory(dataFolder_ + "/AllSegments.txt");
  phonemes_ = names_.Phonemes();
  for (auto& entry : loaded_) entry.second->lexicon.SetInventory(phonemes_);
  return status;
}

ClassLoad Engine::LoadClasses(bool syllabified) {
  const int choice = syllabified ? 1 : 0;
  ClassLoad load;
  std::string contents;
  const std::string keyPath = dataFolder_ + "/SegmentKey.txt";
  load.key = ReadWholeFile(keyPath, &contents);
  if (!load.key.ok()) return load;
  ForEachLine(contents, [&](std::string_view line) { load.keyLines.emplace_back(line); });
  auto table = std::make_shared<ClassTable>();
  load.classes = LoadClassFolder(dataFolder_ + (syllabified ? "/SyllabifiedNaturalClasses" : "/NaturalClasses"),
                                 table.get(), &load.names);
  classLoads_[choice] = load;
  classTables_[choice] = table;
  classesLoaded_[choice] = true;
  classes_ = table;
  return load;
}

const ClassLoad& Engine::UseClasses(bool syllabified) {
  const int choice = syllabified ? 1 : 0;
  if (!classesLoaded_[choice]) {
    classLoads_[choice] = LoadClasses(syllabified);
    classesLoaded_[choice] = true;
  }
  // A folder whose key could not be read gives no classes.
  if (classTables_[choice] == nullptr) classTables_[choice] = std::make_shared<ClassTable>();
  classes_ = classTables_[choice];
  return classLoads_[choice];
}

Refusal Engine::Compile(Settings& settings, Query::Kind kind, Query* query) const {
  Query q;
  q.kind = kind;
  q.classes = classes_ != nullptr ? classes_ : std::make_shared<ClassTable>();
  if (kind == Query::Kind::kTranscriptions) {
    const Refusal refusal = ValidateItems(settings.boxes, names_, *q.classes, TierOf(settings.syllabified, settings.vowels),
                                          FeaturesOfFolder(dataFolder_), &q.parsed);
    if (refusal.refused()) return refusal;
  }
  q.items = settings.boxes;
  q.ignore = settings.ignore;
  q.syllabified = settings.syllabified;
  q.vowels = settings.vowels;
  q.exclude = settings.exclude;
  q.exampleLengthLimit = settings.exampleLength;
  q.orthography = Trim(settings.orthography);
  q.filters = settings.filters;
  q.inputFileName = settings.inputFileName;
  *query = std::move(q);
  return {};
}

SearchResult Engine::Prepare(const std::string& path, bool syllabified, SearchEvents& events) {
  SearchResult result;
  if (!options_.keepEveryDictionary && (loaded_.size() > 1 || loaded_.count(path) == 0)) {
    current_ = nullptr;
    loaded_.clear();
  }
  std::unique_ptr<Loaded>& slot = loaded_[path];
  if (slot == nullptr) {
    auto fresh = std::make_unique<Loaded>();
    fresh->lexicon.SetInventory(phonemes_);
    result.status = fresh->lexicon.LoadDictionary(path);
    if (!result.status.ok()) {
      // Nothing stays loaded: the next search reads the file again.
      loaded_.erase(path);
      result.outcome = Outcome::kInputFailed;
      return result;
    }
    slot = std::move(fresh);
  }
  Lexicon& lexicon = slot->lexicon;
  current_ = &lexicon;
  result.entries = lexicon.dictionary().NumberOfWords;
  if (!lexicon.divided() || syllabified != lexicon.dividedSyllabified()) {
    slot->cautions.clear();
    RecordingReporter recording(events, slot->cautions);
    const std::shared_ptr<const ClassTable> classes = classes_;
    const VowelTest isVowel = [&classes](std::string_view symbol) {
      return classes != nullptr && IsInNaturalClass(*classes, symbol, "vowel");
    };
    if (!lexicon.DivideWordsIntoPhonemes(syllabified, recording, isVowel)) return result;
  } else if (options_.askCautionsAgain) {
    for (const Caution& caution : slot->cautions) {
      if (!events.Continue(caution)) return result;
    }
  }
  result.outcome = Outcome::kHits;
  return result;
}

SearchResult Engine::Run(const Query& query, const std::string& outFolder, SearchEvents& events) {
  const std::string path = DictionaryPath(query.inputFileName);
  SearchResult result = Prepare(path, query.syllabified, events);
  if (result.outcome != Outcome::kHits) return result;
  Loaded& loaded = *loaded_[path];
  Lexicon& lexicon = loaded.lexicon;
  // The neighbour and uniqueness filters read measures of the whole lexicon.
  Query measured;
  if (query.filters.usesMeasures()) {
    if (loaded.measures == nullptr) loaded.measures = MeasureEntries(lexicon);
    measured = query;
    measured.measures = loaded.measures;
  }
  const Query& searched = query.filters.usesMeasures() ? measured : query;
  // The dictionary was read before the result files are created, so that the
  // results of one search can be searched in turn.
  ResultFiles files(outFolder, lexicon.dictionary(), query.exampleLengthLimit, events);
  files.onProgress = [&events](int32_t done, int32_t total) { events.Progress(done, total); };
  // The files are known as the running ones until this call ends, however it ends.
  running_ = &files;
  abandoned_ = false;
  struct Forget {
    ResultFiles*& running;
    ~Forget() { running = nullptr; }
  } forget{running_};
  result.status = files.Open();
  if (result.status.ok()) {
    if (query.kind == Query::Kind::kTranscriptions && query.tier() == Tier::kVowels) lexicon.MakeVowelTier();
    Search(lexicon, searched, files);
    // The search string line says which filters made the files.
    if (!abandoned_) result.status = files.Finish(SearchStringDisplay(query.items) + FiltersSuffix(query.filters));
  }
  if (abandoned_) {
    result.outcome = Outcome::kStopped;
    return result;
  }
  if (!result.status.ok()) {
    files.Abandon();
    result.outcome = Outcome::kOutputFailed;
    return result;
  }
  result.hits = files.NumberOfHits();
  result.outcome = result.hits != 0 ? Outcome::kHits : Outcome::kNoHits;
  return result;
}

void Engine::AbandonRunningFiles() {
  if (running_ == nullptr) return;
  running_->Abandon();
  abandoned_ = true;
}

}  // namespace velmora
