// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_session.h"

#include <algorithm>
#include <utility>

#include "app/messages.h"
#include "batch/batch_run.h"
#include "platform/program_folder.h"
#include "platform/text.h"

namespace velmora {

namespace {

// The settings of the session's start with the options of one search put in
// their place, as the window would show them after the user set them.
Settings Apply(Settings s, const BatchOptions& options) {
  if (!options.items.empty()) {
    for (size_t i = 0; i < s.boxes.size(); ++i) s.boxes[i] = i < options.items.size() ? options.items[i] : "";
  }
  if (options.input) s.inputFileName = *options.input;
  if (options.syllabified) s.syllabified = *options.syllabified;
  if (options.vowels) s.vowels = *options.vowels;
  if (options.exclude) s.exclude = *options.exclude;
  if (!options.ignore.empty()) {
    s.ignore.fill(false);
    for (int b : options.ignore) s.ignore[static_cast<size_t>(b - 1)] = true;
  }
  if (options.limit) s.exampleLength = std::max<int32_t>(0, NumericValue(Trim(*options.limit)));
  if (options.orthography) s.orthography = *options.orthography;
  if (options.minFrequency) s.filters.minFrequency = *options.minFrequency;
  if (options.maxFrequency) s.filters.maxFrequency = *options.maxFrequency;
  if (options.segments) s.filters.segments = *options.segments;
  if (options.syllables) s.filters.syllables = *options.syllables;
  if (options.stress) s.filters.stress = *options.stress;
  if (options.neighbours) s.filters.neighbours = *options.neighbours;
  if (options.uniquenessPoint) s.filters.uniquenessPoint = *options.uniquenessPoint;
  return s;
}

std::string Hits(int32_t n) { return n == 1 ? "1 hit" : n == 0 ? "no hits" : std::to_string(n) + " hits"; }

}  // namespace

BatchSession::BatchSession(std::string folder, std::ostream& out, std::ostream& messages, std::string source)
    : folder_(std::move(folder)), source_(std::move(source)), out_(out), messages_(messages) {
  // A saved filter that could not be read is off; the user is told once.
  const std::vector<Status> lostFilters = ReadSettingsFile(folder_, &start_);
  if (!lostFilters.empty()) Message(UnreadableFiltersMessage(lostFilters));
}

Status BatchSession::UseDataSet(const BatchOptions& options, DataSet** set) {
  const std::string name = options.data ? *options.data : Trim(start_.dataSet);
  *set = nullptr;
  if (const auto known = chosen_.find(name); known != chosen_.end()) {
    *set = known->second;
    return Status::Ok();
  }
  const DataSetChoice choice = FindDataSet(folder_, source_, name);
  if (choice.status.kind == Status::kMalformed) {
    return Status::Malformed("", 0, UnknownDataSetMessage(choice, BundledDataSets(folder_, source_), !options.data));
  }
  if (!choice.status.ok()) {
    Status failed = choice.status;
    failed.detail = DataSetNotCopiedMessage(name, choice);
    return failed;
  }
  std::unique_ptr<DataSet>& slot = sets_[choice.folder];
  if (slot == nullptr) {
    // The English set is the program folder's own; another one only lends
    // the engine its files.
    slot = std::make_unique<DataSet>(folder_);
    if (choice.folder != folder_) slot->engine.SetDataFolder(choice.folder);
    slot->inventory = slot->engine.LoadInventory();
    slot->saved = choice.saved;
  }
  *set = chosen_[name] = slot.get();
  return Status::Ok();
}

int BatchSession::DataSetFailed(const Status& status) {
  if (status.kind == Status::kMalformed) {
    Message("velmora-batch: " + UsageErrorMessage(status));
    return kExitRefused;
  }
  Message(status.detail);
  return kExitFailed;
}

int BatchSession::ReadDictionary(const BatchOptions& options, Lexicon* lexicon, DataSet** set, std::string* input) {
  *input = options.input ? *options.input : start_.inputFileName;
  if (const Status found = UseDataSet(options, set); !found.ok()) return DataSetFailed(found);
  if (const Status read = lexicon->LoadDictionary((*set)->engine.DictionaryPath(*input)); !read.ok()) {
    Message(InputFileMessage(read));
    return kExitFailed;
  }
  return 0;
}

void BatchSession::Message(const std::string& text) {
  std::string line = prefix_ + text;
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  messages_ << line << '\n';
  messages_.flush();
}

bool BatchSession::Continue(const Caution& caution) {
  Message(CautionMessage(caution));
  return answerYes_;
}

bool BatchSession::RetryInUse(const Status&) {
  // Nobody is there to close the other program: the search ends.
  Message(kFileInUseMessage);
  return false;
}

void BatchSession::Progress(int32_t done, int32_t total) { caption_ = ProgressCaption(done, total); }

void BatchSession::StartupMessages(DataSet& set, bool syllabified) {
  if (!set.inventory.ok()) Message(InventoryMessage(set.inventory));
  const ClassLoad& classes = set.engine.UseClasses(syllabified);
  if (!classes.key.ok()) {
    Message(ErrorText(classes.key));
  } else if (!classes.classes.ok() && !syllabified) {
    Message(ErrorText(classes.classes));
  }
}

Status BatchSession::Validate(const BatchOptions& options) {
  DataSet* set = nullptr;
  const Status found = UseDataSet(options, &set);
  // A set that could not be copied is the search's failure, not a usage error.
  if (!found.ok()) return found.kind == Status::kMalformed ? found : Status::Ok();
  if (options.orthography) return Status::Ok();
  Settings s = Apply(start_, options);
  set->engine.UseClasses(s.syllabified);
  Query query;
  const Refusal refusal = set->engine.Compile(s, Query::Kind::kTranscriptions, &query);
  return refusal.refused() ? Status::Malformed("", 0, RefusalMessage(refusal)) : Status::Ok();
}

int BatchSession::Search(const BatchOptions& options, const std::string& outFolder, const std::string& prefix,
                         bool saveSettings) {
  prefix_ = prefix;
  answerYes_ = options.answerYes;
  DataSet* set = nullptr;
  if (const Status found = UseDataSet(options, &set); !found.ok()) return DataSetFailed(found);
  Engine& engine = set->engine;
  Settings s = Apply(start_, options);
  s.dataSet = set->saved;
  const bool orthography = options.orthography.has_value();
  StartupMessages(*set, s.syllabified);
  caption_ = orthography ? kSearchOrthographyCaption : kSearchTranscriptionsCaption;
  Query query;
  const Refusal refusal =
      engine.Compile(s, orthography ? Query::Kind::kOrthography : Query::Kind::kTranscriptions, &query);
  int status = kExitFailed;
  SearchResult result;
  if (refusal.refused()) {
    Message(RefusalMessage(refusal));
    status = kExitRefused;
  } else {
    caption_ = kPreparingCaption;
    if (saveSettings) {
      const Status saved = WriteSettingsFile(folder_, s);
      if (!saved.ok()) Message(SettingsNotSavedMessage(saved));
    }
    result = engine.Run(query, outFolder, *this);
    switch (result.outcome) {
      case Outcome::kInputFailed:
        Message(InputFileMessage(result.status));
        caption_ = kReclickCaption;
        break;
      case Outcome::kOutputFailed:
        // A file in use was reported when it was found.
        if (result.status.kind == Status::kInUse) break;
        Message(GeneralFileErrorMessage(result.status));
        caption_ = kReclickCaption;
        break;
      case Outcome::kStopped:
        break;
      case Outcome::kHits:
      case Outcome::kNoHits:
        if (result.hits == 0) Message(kNoExamplesMessage);
        caption_ = result.hits != 0 ? kDoneCaption : kReclickCaption;
        status = result.hits != 0 ? kExitHits : kExitNoHits;
        PrintSearched(options, s, result);
        break;
    }
  }
  out_ << prefix_ << caption_ << '\n';
  out_.flush();
  return status;
}

void BatchSession::PrintSearched(const BatchOptions& options, const Settings& s, const SearchResult& result) {
  const bool orthography = options.orthography.has_value();
  const std::string target = orthography ? "\"" + *options.orthography + "\"" : SearchStringDisplay(s.boxes);
  out_ << prefix_ << "Searched " << result.entries << (orthography ? " spellings of " : " entries of ")
       << s.inputFileName << " for " << target << FiltersSuffix(s.filters) << ": " << Hits(result.hits) << ".\n";
}

}  // namespace velmora
