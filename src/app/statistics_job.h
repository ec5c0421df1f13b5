// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the lexical statistics from the window: the dictionary of the
// input box read afresh, a word list if one is named, the measures computed
// and the files written into the program folder. It touches no window, so the
// window runs it in a thread of its own and stays usable meanwhile.
#ifndef VELMORA_APP_STATISTICS_JOB_H_
#define VELMORA_APP_STATISTICS_JOB_H_

#include <string>
#include <vector>

#include "engine/statistics_files.h"

namespace velmora {

struct StatisticsJob {
  std::string folder;                  // where the dictionary is read and the files are written
  std::string input;                   // the dictionary's file name in folder (in the input box)
  std::string dictionary;              // the file input names in the data set in use; "": folder/input
  std::string words;                   // a word list's path, or empty
  std::vector<std::string> inventory;  // the phoneme inventory, from index 1
  StatisticsRequest request;
};

struct StatisticsOutcome {
  bool written = false;
  std::string message;  // what to tell the user: what was written, or why nothing was
};

StatisticsOutcome RunStatisticsJob(const StatisticsJob& job);

// A line of a word list that gives no row, in words: "PATH, line N: ...".
std::string WordListProblemMessage(const std::string& path, const WordListProblem& problem);

}  // namespace velmora

#endif  // VELMORA_APP_STATISTICS_JOB_H_
