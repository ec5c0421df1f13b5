// SPDX-License-Identifier: GPL-3.0-or-later
// The search session of one program folder: what a search reads (the
// inventory, the segment key and the natural classes, the feature table, the
// dictionary), the one place a query is made from the settings, and the steps
// that take a query to the six result files. Both front ends (the window's
// model and velmora-batch) run their searches through it and only turn its
// statuses and outcomes into words. It words no message and never ends the
// process: a failure comes back as a Status, a question goes to the caller.
#ifndef VELMORA_ENGINE_ENGINE_H_
#define VELMORA_ENGINE_ENGINE_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classes/natural_classes.h"
#include "engine/settings.h"
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

// The segment key and the classes of one class folder, as loaded.
struct ClassLoad {
  Status key;      // reading SegmentKey.txt; when it failed, nothing else was done
  Status classes;  // loading the class folder
  std::vector<std::string> keyLines;  // SegmentKey.txt, a line each
  std::vector<std::string> names;     // the classes, in the order they were loaded
};

// How a search ended.
enum class Outcome {
  kHits,
  kNoHits,
  kStopped,       // a No to a caution, or the files abandoned while it ran: nothing was written
  kInputFailed,   // the dictionary could not be read (the status says why)
  kOutputFailed,  // a result file could not be written (the status says why)
};

struct SearchResult {
  Outcome outcome = Outcome::kStopped;
  Status status;        // kInputFailed, kOutputFailed
  int32_t hits = 0;     // kHits
  int32_t entries = 0;  // the entries of the dictionary searched, once it was read
};

class Engine {
 public:
  struct Options {
    // Every dictionary file read is kept for later searches (velmora-batch
    // --queries); otherwise a search of another file forgets the one read.
    bool keepEveryDictionary = false;
    // A search of a dictionary divided earlier asks its cautions again, so
    // that each search answers them as a run of its own would.
    bool askCautionsAgain = false;
  };

  // folder: the program folder, where the dictionary files a search reads
  // are looked for. Its data set (inventory, key, classes, features and
  // in.txt) is the English one in the same folder until SetDataFolder.
  explicit Engine(std::string folder, Options options);
  explicit Engine(std::string folder) : Engine(std::move(folder), Options()) {}
  ~Engine();

  // Takes the data set of dataFolder: the inventory, the classes and every
  // dictionary read are forgotten until they are loaded again.
  void SetDataFolder(std::string dataFolder);
  // The file an input-file name reads: in.txt is the data set's dictionary;
  // any other name lies in the program folder.
  std::string DictionaryPath(const std::string& inputFileName) const;

  // Reads the folder's AllSegments.txt. On failure the inventory is empty.
  Status LoadInventory();
  // Reads SegmentKey.txt and, when it could be read, the class folder that
  // syllabified selects; those classes become the ones queries are made
  // with. When the key cannot be read the classes in use stay as they were.
  ClassLoad LoadClasses(bool syllabified);
  // The classes of the folder syllabified selects, loaded the first time they
  // are asked for and kept; they become the ones queries are made with.
  const ClassLoad& UseClasses(bool syllabified);

  // Makes the query of settings. For a transcription search the boxes of
  // settings are trimmed and moved to the left (as the window then shows
  // them) and read by the search language; a refusal leaves *query unset.
  Refusal Compile(Settings& settings, Query::Kind kind, Query* query) const;

  // Reads and divides the query's dictionary as far as needed, runs the query
  // and writes the result files into outFolder (only the two running files
  // when nothing is found). Whatever fails, the earlier files of outFolder
  // stay as they were.
  SearchResult Run(const Query& query, const std::string& outFolder, SearchEvents& events);

  // Abandons the result files of a search that is running (from an event
  // that the search's progress let in): the search ends as kStopped and the
  // earlier files stay as they were.
  void AbandonRunningFiles();

  const std::string& folder() const { return folder_; }
  const std::string& dataFolder() const { return dataFolder_; }
  // The inventory (from index 1) and the classes queries are made with.
  const std::vector<std::string>& phonemes() const { return phonemes_; }
  const ClassTable& classes() const;
  // The lexicon of the last search's dictionary file; null before one was read.
  const Lexicon* lexicon() const { return current_; }

 private:
  struct Loaded;
  // Makes the lexicon of the dictionary file at path ready: read again
  // whenever it is not loaded, divided again whenever syllabified differs
  // from its division.
  SearchResult Prepare(const std::string& path, bool syllabified, SearchEvents& events);

  const std::string folder_;
  std::string dataFolder_;
  const Options options_;
  std::vector<std::string> phonemes_{1};  // the inventory, from index 1
  ClassLoad classLoads_[2];               // plain, syllabified
  std::shared_ptr<const ClassTable> classTables_[2];
  bool classesLoaded_[2] = {false, false};
  std::shared_ptr<const ClassTable> classes_;  // the ones in use
  Lexicon names_;                             // the inventory alone, for reading items
  std::map<std::string, std::unique_ptr<Loaded>> loaded_;  // by path
  const Lexicon* current_ = nullptr;
  ResultFiles* running_ = nullptr;
  bool abandoned_ = false;
};

}  // namespace velmora

#endif  // VELMORA_ENGINE_ENGINE_H_
