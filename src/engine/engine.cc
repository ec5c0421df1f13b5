#include "engine/engine.h"

#include "search/search.h"

namespace velmora {

Status Engine::Prepare(const std::string& inputFileName, bool syllabified, DivisionReporter& reporter) {
  if (!lexicon.loaded() || inputFileName != loadedFileName_) {
    loadedFileName_.clear();
    Status status = lexicon.LoadDictionary(folder_ + "/" + inputFileName);
    if (!status.ok()) return status;
    loadedFileName_ = inputFileName;
  }
  if (!lexicon.divided() || syllabified != lexicon.dividedSyllabified()) {
    if (!lexicon.DivideWordsIntoPhonemes(syllabified, reporter)) return Status::Make(Status::kStopped, "");
  }
  return Status::Ok();
}

Status Engine::Run(const Query& query, const std::string& outFolder, SearchEvents& events, int32_t* hits) {
  *hits = 0;
  // The dictionary was read before the result files are created, so that the
  // results of one search can be searched in turn.
  ResultFiles files(outFolder, lexicon.dictionary, query.exampleLengthLimit, events);
  files.onProgress = [&events](int32_t done, int32_t total) { events.Progress(done, total); };
  // The files are known as the running ones until this call ends, however it ends.
  running_ = &files;
  struct Forget {
    ResultFiles*& running;
    ~Forget() { running = nullptr; }
  } forget{running_};
  Status status = files.Open();
  if (!status.ok()) {
    files.Abandon();
    return status;
  }
  if (query.kind == Query::Kind::kTranscriptions && query.tier() == Tier::kVowels) lexicon.MakeVowelTier();
  Search(lexicon, query, files);
  // The search string line says which filters made the files.
  status = files.Finish(SearchStringDisplay(query.items) + FiltersSuffix(query.filters));
  if (!status.ok()) {
    files.Abandon();
    return status;
  }
  *hits = files.NumberOfHits();
  return status;
}

}  // namespace velmora
