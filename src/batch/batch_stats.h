// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-batch --statistics: the lexical statistics of the dictionary (or of
// the words of a word list) written to Statistics.txt, with Neighbours.txt,
// MinimalPairs.txt and FunctionalLoad.txt as asked, into the program folder.
// Everything is read before any file is begun, and the files take the places
// of the earlier ones together, once every one is whole.
#ifndef VELMORA_BATCH_BATCH_STATS_H_
#define VELMORA_BATCH_BATCH_STATS_H_

#include "batch/batch_session.h"
#include "batch/options.h"
#include "engine/statistics_files.h"

namespace velmora {

// Runs the statistics options asks for; returns the exit status: 0 written,
// 1 written without the word-list lines it reported, 3 a file could not be
// read or written. REQUIRES: options.statistics.
int RunStatistics(const BatchOptions& options, BatchSession& session);

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_STATS_H_
