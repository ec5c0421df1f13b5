// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of velmora-batch: what it changes in the saved settings
// before the search (or each search of --queries), and how to answer its
// questions.
#ifndef VELMORA_BATCH_OPTIONS_H_
#define VELMORA_BATCH_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "search/filters.h"
#include "search/query.h"
#include "stats/stats.h"

namespace velmora {

// An option that is absent leaves the control as UserSettings.txt set it.
struct BatchOptions {
  bool help = false;                       // --help: print the usage, search nothing
  std::string folder;                      // --folder; empty: the executable's folder
  std::optional<std::string> data;         // --data: the data set, by name or folder
  std::optional<std::string> input;        // --input: the input-file box
  std::optional<bool> syllabified;         // --syllabified / --plain
  std::optional<bool> vowels;              // --vowels / --no-vowels
  std::optional<bool> exclude;             // --exclude / --no-exclude
  std::vector<int> ignore;                 // --ignore N, box numbers 1..5 in order given
  std::optional<std::string> limit;        // --limit: text for the example-length box
  std::optional<std::string> orthography;  // --orthography: search the spellings for it
  // The lexical filters: --min-frequency, --max-frequency, --segments,
  // --syllables, --stress (an empty value clears the saved filter).
  std::optional<std::optional<int32_t>> minFrequency;
  std::optional<std::optional<int32_t>> maxFrequency;
  std::optional<std::optional<CountRange>> segments;
  std::optional<std::optional<CountRange>> syllables;
  std::optional<std::string> stress;
  // --neighbours and --uniqueness-point: filters on the lexical statistics.
  std::optional<std::optional<CountRange>> neighbours;
  std::optional<std::optional<CountRange>> uniquenessPoint;
  bool answerYes = true;                   // --answer: the answer to every Yes/No caution
  bool answerGiven = false;                // --answer was given
  std::vector<std::string> items;          // ITEM arguments for Box 1 .. Box 5 (at most five)
  std::string queries;                     // --queries: a file of searches, one a line
  std::string out;                         // --out: where the searches of --queries write, or the --export file
  std::string exportFormat;                // --export csv|ipa: write the dictionary out instead of searching
  // --statistics: the lexical statistics of the dictionary instead of a search.
  bool statistics = false;
  std::string words;                       // --words: a word list for the rows
  StatsOptions stats;                      // --keep-stress, --weight, --cohort
  bool neighbourLists = false;             // --neighbour-lists
  bool functionalLoad = false;             // --functional-load
  std::optional<std::pair<std::string, std::string>> minimalPairs;  // --minimal-pairs X Y
  std::string firstStatisticsOption;       // the first of these given, for a usage error without --statistics
};

// Reads the arguments that follow the program name. Options may stand among
// the items; an option's value is the next argument or follows "=" in the
// same one ("--limit=40"); "--" makes every later argument an item. Of two
// contradicting switches (--vowels --no-vowels) the later one counts.
// A usage error is kMalformed with a one-line reason as its detail (line 0),
// user input in it shown by Echoed.
Status ParseBatchOptions(const std::vector<std::string>& args, BatchOptions* options);

// Reads one line of a --queries file: its words as SplitShellWords splits
// them (a quote never closed is a usage error; # starts a comment) and then
// as ParseBatchOptions reads arguments; --folder, --queries, --out and
// --help are not allowed there. The caller adds the file and the line to a
// usage error.
Status ParseQueryLine(std::string_view line, BatchOptions* options);

// The text --help prints: a synopsis, then one line per option.
std::string BatchUsage();

}  // namespace velmora

#endif  // VELMORA_BATCH_OPTIONS_H_
