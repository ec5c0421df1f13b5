// SPDX-License-Identifier: GPL-3.0-or-later
// The files of the lexical statistics: Statistics.txt, and Neighbours.txt,
// MinimalPairs.txt and FunctionalLoad.txt as asked, written whole beside the
// earlier ones and put in their places together, or not at all. Both front
// ends write them through here.
#ifndef VELMORA_ENGINE_STATISTICS_FILES_H_
#define VELMORA_ENGINE_STATISTICS_FILES_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lexicon/dictionary.h"
#include "platform/status.h"
#include "stats/stats.h"
#include "stats/word_list.h"

namespace velmora {

inline constexpr const char* kStatisticsHeader =
    "Word\tTranscription\tSegments\tFrequency\tHomophones\tNeighbours\tSubstitutions\tDeletions\tAdditions\t"
    "Neighbour frequency\tUniqueness point\tCohort\tRhymes\tSegment probability\tBiphone probability";

// Writes x at out as "%.6f" writes it; returns the end. REQUIRES: room for
// kFixed6Room characters at out.
inline constexpr size_t kFixed6Room = 330;
char* AppendFixed6(char* out, double x);

// What a run of the statistics computes and writes besides Statistics.txt.
struct StatisticsRequest {
  StatsOptions stats;
  bool neighbourLists = false;                                     // Neighbours.txt
  bool functionalLoad = false;                                     // FunctionalLoad.txt
  std::optional<std::pair<std::string, std::string>> minimalPairs;  // MinimalPairs.txt of these two keys
};

// The measures request asks for, over dict and the words of list that are
// not entries (list may be null).
LexicalStatistics ComputeStatistics(const Dictionary& dict, const StatisticsRequest& request, WordList* list);

// Writes the rows of every entry, or of the subjects of list when it is not
// null, with the lists request asks for, into folder.
Status WriteStatisticsFiles(const StatisticsRequest& request, const LexicalStatistics& stats, const WordList* list,
                            const std::string& folder);

}  // namespace velmora

#endif  // VELMORA_ENGINE_STATISTICS_FILES_H_
