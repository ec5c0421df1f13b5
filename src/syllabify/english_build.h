// SPDX-License-Identifier: GPL-3.0-or-later
// The build of the bundled English data set from its two sources: the CMU
// Pronouncing Dictionary and the SUBTLEX-US word counts, as extracted by
// data/build/extract.mjs. Everything that decides the content of the data
// files lives here, so the rebuild is a pure function of the two sources.
#ifndef VELMORA_SYLLABIFY_ENGLISH_BUILD_H_
#define VELMORA_SYLLABIFY_ENGLISH_BUILD_H_

#include <string>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace velmora::syllabify {

struct EnglishSources {
  // Dictionary keys with their pronunciations, as the source lists them:
  // "word", "word(2)" for further pronunciations, values possibly followed by
  // a "# ..." comment.
  std::vector<std::pair<std::string, std::string>> pronunciations;
  // Subtitle tokens with their counts.
  std::vector<std::pair<std::string, long long>> counts;
};

struct EnglishBuildOptions {
  int word_count = 20000;      // entries of in.txt
  int onset_min_words = 30;    // distinct words a legal onset must begin
};

// One file of the data set: its path relative to the data folder and its
// lines (written with CR LF).
struct DataFile {
  std::string path;
  std::vector<std::string> lines;
};

struct EnglishBuildResult {
  std::vector<DataFile> files;
  std::vector<std::string> summary;  // human-readable counts for the log
  // Of a failed build: the word whose pronunciation has the symbol outside the
  // inventory (the Status's detail), or how many words qualified.
  std::string failed_word;
  size_t qualifying_words = 0;
};

// Reads the pronunciations written by extract.mjs: key TAB pronunciation on
// each line. A line of another form is kMalformed, its text the detail.
Status ReadPronunciations(const std::string& path, EnglishSources* sources);
// Reads the counts written by extract.mjs: word TAB count (a whole number of
// at least 0) on each line. A line of another form is as above.
Status ReadCounts(const std::string& path, EnglishSources* sources);

// Builds every file of the data set. kMalformed when a pronunciation uses a
// symbol outside the ARPABET inventory (the first word in byte order);
// kFailed when fewer than `options.word_count` words qualify.
Status BuildEnglishDataSet(const EnglishSources& sources, const EnglishBuildOptions& options,
                           EnglishBuildResult* result);

// Tokens of the subtitle counts that are pieces of contractions (don|'t,
// c'|mon) rather than words; they are left out of in.txt and get no
// frequency in the full dictionary.
const std::vector<std::string>& ContractionPieces();

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_ENGLISH_BUILD_H_
