// SPDX-License-Identifier: GPL-3.0-or-later
// The six result files of one search, written into one folder from the hits a
// search pushes: FullOutput.txt and ResultsOfSearchInInputFormat.txt row by
// row while it runs, then SmallOutput.txt, MediumOutput.txt, Hits.txt and
// Misses.txt from what was collected. The files of one search replace the
// earlier ones together, once every one of them is whole; a search that fails
// leaves every earlier file as it was.
#ifndef VELMORA_OUTPUT_RESULT_FILES_H_
#define VELMORA_OUTPUT_RESULT_FILES_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lexicon/dictionary.h"
#include "lexicon/flat_index.h"
#include "output/result_layout.h"
#include "platform/files.h"
#include "platform/status.h"
#include "output/hit_table.h"
#include "search/search.h"

namespace velmora {

// Decides what happens when a result file is held by another program.
class InUsePolicy {
 public:
  virtual ~InUsePolicy() = default;
  // True to try the step again (the user has closed the file), false to give
  // up with the in-use status.
  virtual bool RetryInUse(const Status& status) = 0;
};

class ResultFiles : public HitSink {
 public:
  // REQUIRES: dictionary outlives this object and does not change.
  ResultFiles(std::string folder, const Dictionary& dictionary, int32_t exampleLengthLimit, InUsePolicy& policy);

  // Creates FullOutput.txt and ResultsOfSearchInInputFormat.txt, the files
  // written while the search runs.
  Status Open();
  void InstallANewEntry(int32_t n, const FocusText& focus) override;
  void EntryDone(int32_t n, bool found) override;
  void Progress(int32_t done, int32_t total) override {
    if (onProgress) onProgress(done, total);
  }
  // Told of the search's progress every 100 entries, when set.
  std::function<void(int32_t done, int32_t total)> onProgress;
  // Ends the two running files, their search string line written; when there
  // were hits, writes the other four; then puts them all in place together.
  // display: the search string as the files show it.
  Status Finish(const std::string& display);
  // Abandons the files of a search that did not finish: the earlier files
  // stay as they were.
  void Abandon();

  int32_t NumberOfHits() const { return NumberOfHits_; }

 private:
  // Runs one step of writing a file, again while the policy asks for it.
  template <typename Step>
  Status FileStep(const std::string& path, Step&& step);
  std::string PathOf(const char* name) const { return folder_ + "/" + name; }

  const std::string folder_;
  const Dictionary& dictionary_;
  const int32_t exampleLengthLimit_;
  InUsePolicy& policy_;
  // Writes one of the four files written at the end; write: fills it.
  template <typename Fill>
  Status WriteFile(OutputFile& file, const char* name, Fill&& write);

  OutputFile full_;
  OutputFile results_;
  OutputFile small_, medium_, hits_, misses_;
  HitRowWriter hitRows_;
  HitTable hitTable_;
  FlatIndex rowOfKey_;  // hit-table rows by focus key
  int32_t NumberOfHits_ = 0;
  std::string HitWordList;
  std::vector<uint8_t> hitFlags_;  // by entry: 1 when the search found it
};

}  // namespace velmora

#endif  // VELMORA_OUTPUT_RESULT_FILES_H_
