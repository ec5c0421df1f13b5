// SPDX-License-Identifier: GPL-3.0-or-later
// What velmora-batch keeps while it runs searches in one program folder: the
// settings as they stood at its start and one engine that keeps every
// dictionary file and class folder it loaded, so that a file of queries loads
// each of them once.
#ifndef VELMORA_BATCH_BATCH_SESSION_H_
#define VELMORA_BATCH_BATCH_SESSION_H_

#include <ostream>
#include <string>

#include "engine/settings.h"
#include "batch/options.h"
#include "engine/engine.h"

namespace velmora {

class BatchSession : public SearchEvents {
 public:
  BatchSession(std::string folder, std::ostream& out, std::ostream& messages);

  const std::string& folder() const { return folder_; }
  std::ostream& out() { return out_; }
  std::ostream& messages() { return messages_; }
  // UserSettings.txt as it stood at the start, the engine and how its
  // inventory was read.
  const Settings& start() const { return start_; }
  const Engine& engine() const { return engine_; }
  const Status& inventoryStatus() const { return inventoryStatus_; }

  // Checks the boxes of the search options describes, as the search would;
  // says nothing.
  Refusal Validate(const BatchOptions& options);
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
  void StartupMessages(bool syllabified);
  // Prints the line that says what was searched, for a search that ran.
  void PrintSearched(const BatchOptions& options, const Settings& settings, const SearchResult& result);

  const std::string folder_;
  std::ostream& out_;
  std::ostream& messages_;
  Settings start_;  // UserSettings.txt as it stood
  Engine engine_;
  Status inventoryStatus_;
  // The running search's prefix, answer and button caption.
  std::string prefix_;
  bool answerYes_ = true;
  std::string caption_;
};

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_SESSION_H_
