// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_session.h"

#include <algorithm>
#include <utility>

#include "app/messages.h"
#include "batch/batch_run.h"
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

BatchSession::BatchSession(std::string folder, std::ostream& out, std::ostream& messages)
    : folder_(std::move(folder)),
      out_(out),
      messages_(messages),
      engine_(folder_, Engine::Options{.keepEveryDictionary = true, .askCautionsAgain = true}) {
  // A saved filter that could not be read is off; the user is told once.
  const std::vector<Status> lostFilters = ReadSettingsFile(folder_, &start_);
  if (!lostFilters.empty()) Message(UnreadableFiltersMessage(lostFilters));
  inventoryStatus_ = engine_.LoadInventory();
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

void BatchSession::StartupMessages(bool syllabified) {
  if (!inventoryStatus_.ok()) Message(InventoryMessage(inventoryStatus_));
  const ClassLoad& classes = engine_.UseClasses(syllabified);
  if (!classes.key.ok()) {
    Message(ErrorText(classes.key));
  } else if (!classes.classes.ok() && !syllabified) {
    Message(ErrorText(classes.classes));
  }
}

Refusal BatchSession::Validate(const BatchOptions& options) {
  if (options.orthography) return {};
  Settings s = Apply(start_, options);
  engine_.UseClasses(s.syllabified);
  Query query;
  return engine_.Compile(s, Query::Kind::kTranscriptions, &query);
}

int BatchSession::Search(const BatchOptions& options, const std::string& outFolder, const std::string& prefix,
                         bool saveSettings) {
  prefix_ = prefix;
  answerYes_ = options.answerYes;
  Settings s = Apply(start_, options);
  const bool orthography = options.orthography.has_value();
  StartupMessages(s.syllabified);
  caption_ = orthography ? kSearchOrthographyCaption : kSearchTranscriptionsCaption;
  Query query;
  const Refusal refusal =
      engine_.Compile(s, orthography ? Query::Kind::kOrthography : Query::Kind::kTranscriptions, &query);
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
    result = engine_.Run(query, outFolder, *this);
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
