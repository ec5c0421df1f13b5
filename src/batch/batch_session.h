// SPDX-License-Identifier: GPL-3.0-or-later
// What velmora-batch keeps while it runs searches in one program folder: the
// settings as they stood at its start and, for each data set searched, one
// engine that keeps every dictionary file and class folder it loaded, so
// that a file of queries loads each of them once.
#ifndef VELMORA_BATCH_BATCH_SESSION_H_
#define VELMORA_BATCH_BATCH_SESSION_H_

#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "engine/settings.h"
#include "batch/options.h"
#include "engine/engine.h"

namespace velmora {

class BatchSession : public SearchEvents {
 public:
  // source: the folder the program folder's data is copied from ("" when
  // none), where bundled data sets are found too.
  BatchSession(std::string folder, std::ostream& out, std::ostream& messages, std::string source = "");

  const std::string& folder() const { return folder_; }
  std::ostream& out() { return out_; }
  std::ostream& messages() { return messages_; }
  // UserSettings.txt as it stood at the start.
  const Settings& start() const { return start_; }

  // A data set's engine and how its inventory was read.
  struct DataSet {
    explicit DataSet(const std::string& folder) : engine(folder, kEngineOptions) {}
    Engine engine;
    Status inventory;
    std::string saved;  // as UserSettings.txt keeps it
  };
  // The data set that options (or else the saved settings) choose, its
  // inventory read the first time; *set is null when the status is not ok
  // (kMalformed: a usage error, whose detail says what is wrong).
  Status UseDataSet(const BatchOptions& options, DataSet** set);
  // Prints why the data set could not be used; returns the exit status.
  int DataSetFailed(const Status& status);
  // Reads the dictionary a statistics run or an export works on: --input,
  // else the saved input file, as the chosen data set finds it. Returns 0
  // when it was read, else the exit status after the message.
  int ReadDictionary(const BatchOptions& options, Lexicon* lexicon, DataSet** set, std::string* input);
  // Checks the data set and the boxes of the search options describes, as
  // the search would; says nothing. A failure is a usage error.
  Status Validate(const BatchOptions& options);
  // Runs the search options describes, from the settings of the session's
  // start, writing its files into outFolder; returns its exit status.
  // prefix starts every line it prints. saveSettings: whether
  // UserSettings.txt takes the search's choices, as the window's searches do.
  int Search(const BatchOptions& options, const std::string& outFolder, const std::string& prefix,
             bool saveSettings);
  // Prints a message line (a line break inside it becomes a blank: a script
  // reads one message per line).
  void Message(const std::string& text);

  bool Continue(const Caution& caution) override;
  bool RetryInUse(const Status& status) override;
  void Progress(int32_t done, int32_t total) override;

 private:
  // Prints the start-up's messages (the inventory, the key and the classes of
  // the folder the search uses), as the window shows them.
  void StartupMessages(DataSet& set, bool syllabified);
  // Prints the line that says what was searched, for a search that ran.
  void PrintSearched(const BatchOptions& options, const Settings& settings, const SearchResult& result);

  static constexpr Engine::Options kEngineOptions{.keepEveryDictionary = true, .askCautionsAgain = true};
  const std::string folder_;
  const std::string source_;
  std::ostream& out_;
  std::ostream& messages_;
  Settings start_;  // UserSettings.txt as it stood
  std::map<std::string, DataSet*> chosen_;                // by the name given
  std::map<std::string, std::unique_ptr<DataSet>> sets_;  // by folder
  // The running search's prefix, answer and button caption.
  std::string prefix_;
  bool answerYes_ = true;
  std::string caption_;
};

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_SESSION_H_
