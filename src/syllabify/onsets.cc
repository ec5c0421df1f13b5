// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/onsets.h"

#include <algorithm>
#include <set>

#include "syllabify/text_lines.h"

namespace velmora::syllabify {

std::map<std::string, int> CountInitialClusters(
    const std::vector<std::pair<std::string, std::string>>& words,
    const VowelSet& vowels) {
  std::set<std::pair<std::string, std::string>> seen;  // (cluster, spelling)
  std::map<std::string, int> counts;
  for (const auto& [spelling, transcription] : words) {
    std::vector<std::string> segments = SplitSegments(transcription);
    size_t first_vowel = 0;
    while (first_vowel < segments.size() && !vowels.IsVowel(segments[first_vowel])) {
      ++first_vowel;
    }
    if (first_vowel == 0 || first_vowel == segments.size()) continue;
    std::vector<std::string> cluster(segments.begin(), segments.begin() + first_vowel);
    std::string key = Join(cluster, " ");
    if (seen.insert({key, spelling}).second) ++counts[key];
  }
  return counts;
}

std::vector<ClusterCount> ClustersAtLeast(const std::map<std::string, int>& counts,
                                          int min_words) {
  std::vector<ClusterCount> kept;
  for (const auto& [cluster, words] : counts) {
    if (words >= min_words) kept.push_back({cluster, words});
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [](const ClusterCount& a, const ClusterCount& b) {
                     return a.words > b.words;
                   });
  return kept;
}

}  // namespace velmora::syllabify
