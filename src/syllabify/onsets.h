// SPDX-License-Identifier: GPL-3.0-or-later
// Derivation of the legal onsets from the word-initial consonant clusters of
// a pronouncing dictionary: a cluster that begins enough distinct words is
// taken to be a possible onset of the language.
#ifndef VELMORA_SYLLABIFY_ONSETS_H_
#define VELMORA_SYLLABIFY_ONSETS_H_

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "syllabify/syllabifier.h"

namespace velmora::syllabify {

struct ClusterCount {
  std::string cluster;  // symbols separated by single blanks ("S T R")
  int words = 0;        // distinct words that begin with it
};

// Counts, for every non-empty run of consonants that stands before the first
// vowel of a transcription, the distinct spellings whose transcription begins
// with it. Transcriptions without a vowel are skipped: they show no cluster
// before a nucleus. `words` holds (spelling, transcription) pairs; a spelling
// listed twice counts once per cluster.
std::map<std::string, int> CountInitialClusters(
    const std::vector<std::pair<std::string, std::string>>& words,
    const VowelSet& vowels);

// The clusters begun by at least `min_words` words, most frequent first,
// equal counts in byte order of the cluster.
std::vector<ClusterCount> ClustersAtLeast(const std::map<std::string, int>& counts,
                                          int min_words);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_ONSETS_H_
