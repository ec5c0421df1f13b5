// What velmora-batch keeps while it runs searches in one program folder: the
// settings as they stood at its start, the inventory, the classes of each
// class folder and one engine (a loaded, divided lexicon) per dictionary
// file, so that a file of queries loads each of them once.
#ifndef VELMORA_BATCH_BATCH_SESSION_H_
#define VELMORA_BATCH_BATCH_SESSION_H_

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/label.h"
#include "app/settings.h"
#include "batch/options.h"
#include "engine/engine.h"

namespace velmora {

class BatchSession : public SearchEvents {
 public:
  BatchSession(std::string folder, std::ostream& out, std::ostream& messages);

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
  // The engine of the dictionary file name, made (not loaded) when first asked for.
  Engine& EngineFor(const std::string& inputFileName);
  // The key and classes of one class folder, loaded when first asked for.
  struct Classes {
    KeyAndClasses loaded;
    ClassTable table;
  };
  const Classes& ClassesFor(bool syllabified);

  const std::string folder_;
  std::ostream& out_;
  std::ostream& messages_;
  Settings start_;                // UserSettings.txt as it stood
  Lexicon inventory_;             // holds only the inventory
  Status inventoryStatus_;
  std::optional<Classes> classes_[2];  // plain, syllabified
  std::map<std::string, std::unique_ptr<Engine>> engines_;

  // The running search's prefix, answer and button caption.
  std::string prefix_;
  bool answerYes_ = true;
  std::string caption_;
};

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_SESSION_H_
