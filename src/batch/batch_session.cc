#include "batch/batch_session.h"

#include <algorithm>
#include <utility>

#include "app/messages.h"
#include "batch/batch_run.h"
#include "lexicon/text.h"

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
  return s;
}

std::string Hits(int32_t n) { return n == 1 ? "1 hit" : n == 0 ? "no hits" : std::to_string(n) + " hits"; }

}  // namespace

BatchSession::BatchSession(std::string folder, std::ostream& out, std::ostream& messages)
    : folder_(std::move(folder)), out_(out), messages_(messages) {
  ReadSettingsFile(folder_, &start_);
  inventoryStatus_ = inventory_.LoadInventory(folder_ + "/AllSegments.txt");
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

Engine& BatchSession::EngineFor(const std::string& inputFileName) {
  std::unique_ptr<Engine>& engine = engines_[inputFileName];
  if (!engine) {
    engine = std::make_unique<Engine>(folder_);
    engine->lexicon.NumberOfPhonemes = inventory_.NumberOfPhonemes;
    engine->lexicon.Phonemes = inventory_.Phonemes;
  }
  return *engine;
}

const BatchSession::Classes& BatchSession::ClassesFor(bool syllabified) {
  std::optional<Classes>& classes = classes_[syllabified ? 1 : 0];
  if (!classes) {
    classes.emplace();
    classes->loaded = LoadKeyAndClasses(folder_, syllabified, &classes->table);
  }
  return *classes;
}

int BatchSession::Search(const BatchOptions& options, const std::string& outFolder, const std::string& prefix,
                         bool saveSettings) {
  prefix_ = prefix;
  answerYes_ = options.answerYes;
  Settings s = Apply(start_, options);
  const bool orthography = options.orthography.has_value();

  // The start-up's messages, as the window shows them.
  if (!inventoryStatus_.ok()) Message(InventoryMessage(inventoryStatus_));
  const Classes& classes = ClassesFor(s.syllabified);
  if (!classes.loaded.key.ok()) {
    Message(ErrorText(classes.loaded.key));
  } else if (!classes.loaded.classes.ok() && !s.syllabified) {
    Message(ErrorText(classes.loaded.classes));
  }
  Engine& engine = EngineFor(s.inputFileName);
  engine.lexicon.classes = classes.table;

  int status = kExitFailed;
  int32_t hits = 0;
  caption_ = orthography ? kSearchOrthographyCaption : kSearchTranscriptionsCaption;
  ParsedBoxes parsed;
  const Refusal refusal = orthography ? Refusal()
                                      : ValidateItems(s.boxes, engine.lexicon, TierOf(s.syllabified, s.vowels),
                                                      FeaturesOfFolder(folder_), &parsed);
  if (refusal.refused()) {
    Message(RefusalMessage(refusal));
    status = kExitRefused;
  } else {
    caption_ = kPreparingCaption;
    if (saveSettings) {
      const Status saved = WriteSettingsFile(folder_, s);
      if (!saved.ok()) Message(SettingsNotSavedMessage(saved));
    }
    Query query;
    query.kind = orthography ? Query::Kind::kOrthography : Query::Kind::kTranscriptions;
    query.items = s.boxes;
    query.ignore = s.ignore;
    query.syllabified = s.syllabified;
    query.vowels = s.vowels;
    query.exclude = s.exclude;
    query.exampleLengthLimit = s.exampleLength;
    query.orthography = Trim(s.orthography);
    query.filters = s.filters;
    query.parsed = std::move(parsed);
    Status result = engine.Prepare(s.inputFileName, s.syllabified, *this);
    if (result.ok()) {
      result = engine.Run(query, outFolder, *this, &hits);
      if (!result.ok() && result.kind != Status::kInUse) {
        Message(GeneralFileErrorMessage(result));
        caption_ = kReclickCaption;
      }
    } else if (result.kind != Status::kStopped) {
      Message(InputFileMessage(result));
      caption_ = kReclickCaption;
    }
    if (result.ok()) {
      if (hits == 0) Message(kNoExamplesMessage);
      caption_ = hits != 0 ? kDoneCaption : kReclickCaption;
      status = hits != 0 ? kExitHits : kExitNoHits;
    }
  }
  if (status == kExitHits || status == kExitNoHits) {
    const std::string target = orthography ? "\"" + *options.orthography + "\"" : SearchStringDisplay(s.boxes);
    out_ << prefix_ << "Searched " << engine.lexicon.dictionary.NumberOfWords
         << (orthography ? " spellings of " : " entries of ") << s.inputFileName << " for " << target
         << FiltersSuffix(s.filters) << ": " << Hits(hits) << ".\n";
  }
  out_ << prefix_ << caption_ << '\n';
  out_.flush();
  return status;
}

}  // namespace velmora
