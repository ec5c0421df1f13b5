// The search engine of one program folder: a lexicon kept from one search to
// the next, and the steps that take a query to the six result files. Both
// front ends (the window's model and velmora-batch) run their searches
// through it. It words no message and never ends the process: every failure
// comes back as a Status, every question goes to the caller's reporter.
#ifndef VELMORA_ENGINE_ENGINE_H_
#define VELMORA_ENGINE_ENGINE_H_

#include <cstdint>
#include <functional>
#include <string>

#include "lexicon/lexicon.h"
#include "output/result_files.h"
#include "platform/status.h"
#include "search/query.h"

namespace velmora {

// What a search asks of its caller while it runs.
class SearchEvents : public DivisionReporter, public InUsePolicy {
 public:
  // Every 100 entries of the search.
  virtual void Progress(int32_t done, int32_t total) { (void)done, (void)total; }
};

class Engine {
 public:
  // folder: the program folder, where the dictionary file is looked for.
  explicit Engine(std::string folder) : folder_(std::move(folder)) {}

  // Makes the lexicon ready for a search: the dictionary is read again
  // whenever inputFileName names another file than the one loaded, and
  // divided again whenever it was read again or syllabified differs from the
  // choice of the last division. A failure to read leaves nothing loaded
  // (kNotFound, kTooLarge, ...); a No to a caution gives kStopped.
  Status Prepare(const std::string& inputFileName, bool syllabified, DivisionReporter& reporter);

  // Runs query over the prepared lexicon and writes the six result files into
  // outFolder (only the two running files when nothing is found). *hits gets
  // the number of hits. A failure leaves the earlier files of outFolder as
  // they were. REQUIRES: Prepare succeeded for query.syllabified.
  Status Run(const Query& query, const std::string& outFolder, SearchEvents& events, int32_t* hits);

  // Abandons the result files of a search that is running (from an event
  // that the search's progress let in): the earlier files stay as they were.
  void AbandonRunningFiles() {
    if (running_ != nullptr) running_->Abandon();
  }

  const std::string& folder() const { return folder_; }
  // The input-file name the loaded dictionary was read from.
  const std::string& loadedFileName() const { return loadedFileName_; }

  Lexicon lexicon;

 private:
  const std::string folder_;
  std::string loadedFileName_;
  ResultFiles* running_ = nullptr;
};

}  // namespace velmora

#endif  // VELMORA_ENGINE_ENGINE_H_
