// The engine as the fuzz targets drive it: a program folder loaded as a front
// end loads it (inventory, then the classes of the chosen folder), boxes
// validated into a query, and a search run into the folder with every
// question answered Yes. The one place to change when the engine's API does.
#ifndef VELMORA_FUZZ_FUZZ_ENGINE_H_
#define VELMORA_FUZZ_FUZZ_ENGINE_H_

#include <cstddef>
#include <string>
#include <vector>

#include "classes/class_folder.h"
#include "engine/engine.h"
#include "search/query.h"

namespace velmora::fuzz {

// Answers every question Yes (the first No when noToFirst); counts the cautions.
class YesEvents : public SearchEvents {
 public:
  bool Continue(const Caution&) override {
    ++cautions;
    return !(noToFirst && cautions == 1);
  }
  bool RetryInUse(const Status&) override { return false; }
  bool noToFirst = false;
  size_t cautions = 0;
};

// Loads the inventory and the classes of folder (the syllabified class
// folder when syllabified) into engine's lexicon.
inline void LoadEngine(Engine& engine, bool syllabified) {
  engine.lexicon.LoadInventory(engine.folder() + "/AllSegments.txt");
  std::vector<std::string> names;
  LoadClassFolder(engine.folder() + (syllabified ? "/SyllabifiedNaturalClasses" : "/NaturalClasses"),
                  &engine.lexicon.classes, &names);
}

// Validates query's boxes (as the search command does) and, when they pass,
// prepares the lexicon and runs the search into the program folder. *hits is
// -1 when the boxes were refused.
inline Status RunQuery(Engine& engine, Query& query, const std::string& inputFileName, YesEvents& events,
                       int32_t* hits) {
  *hits = -1;
  if (query.kind == Query::Kind::kTranscriptions &&
      ValidateItems(query.items, engine.lexicon, query.tier(), FeaturesOfFolder(engine.folder()), &query.parsed)
          .refused()) {
    return Status::Ok();
  }
  Status status = engine.Prepare(inputFileName, query.syllabified, events);
  if (!status.ok()) return status;
  return engine.Run(query, engine.folder(), events, hits);
}

}  // namespace velmora::fuzz

#endif  // VELMORA_FUZZ_FUZZ_ENGINE_H_
