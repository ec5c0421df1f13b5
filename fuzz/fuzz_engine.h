// SPDX-License-Identifier: GPL-3.0-or-later
// The engine as the fuzz targets drive it: a program folder loaded as a front
// end loads it (inventory, then the segment key and the classes of the chosen
// folder), settings compiled into a query, and a search run into the folder
// with every question answered Yes. The one place to change when the
// engine's API does.
#ifndef VELMORA_FUZZ_FUZZ_ENGINE_H_
#define VELMORA_FUZZ_FUZZ_ENGINE_H_

#include <cstddef>
#include <string>

#include "engine/engine.h"
#include "engine/settings.h"
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

// Loads the inventory, the segment key and the classes of the engine's
// folder (the syllabified class folder when syllabified); returns the load
// of the classes.
inline ClassLoad LoadEngine(Engine& engine, bool syllabified) {
  engine.LoadInventory();
  return engine.LoadClasses(syllabified);
}

// A search of settings: the query compiled from them (as the search command
// does) and, when the boxes pass, the search run into the program folder.
struct Ran {
  bool refused = false;  // the boxes were refused: nothing ran
  Query query;           // the query compiled (unset when refused)
  SearchResult result;
  // Whether the search ran to its end and wrote its files.
  bool finished() const {
    return !refused && (result.outcome == Outcome::kHits || result.outcome == Outcome::kNoHits);
  }
};

inline Ran RunQuery(Engine& engine, Settings& settings, Query::Kind kind, YesEvents& events) {
  Ran ran;
  ran.refused = engine.Compile(settings, kind, &ran.query).refused();
  if (!ran.refused) ran.result = engine.Run(ran.query, engine.folder(), events);
  return ran;
}

}  // namespace velmora::fuzz

#endif  // VELMORA_FUZZ_FUZZ_ENGINE_H_
