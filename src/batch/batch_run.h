// SPDX-License-Identifier: GPL-3.0-or-later
// The searches of velmora-batch: the window's start-up read from the files
// (UserSettings.txt, the inventory, the key and the classes) with the
// command line's options applied, one search through the engine, and the
// exit status its outcome gives. With --queries, many searches over one load
// of each dictionary.
#ifndef VELMORA_BATCH_BATCH_RUN_H_
#define VELMORA_BATCH_BATCH_RUN_H_

#include <ostream>
#include <string>

#include "batch/batch_session.h"
#include "batch/options.h"

namespace velmora {

// Exit statuses of velmora-batch.
enum BatchExit {
  kExitHits = 0,     // the search finished with hits (with --queries: every query ran)
  kExitNoHits = 1,   // it finished without hits
  kExitRefused = 2,  // a usage error, or the validation refused the boxes
  kExitFailed = 3,   // a failure or a No to a caution stopped the search
};

// Runs the search the options describe through session, or with
// options.queries every search of that file, and returns the exit status.
// Messages go to the session's message stream one line each; its output
// stream gets a summary of a finished search and, as its last line, the final
// caption of the search button that was used (with --queries: each query's
// caption, after its number; a query whose folder cannot be made runs no
// search, so it has only its message). The session (and the dictionaries it read)
// outlives the call, so that a caller that ends the process at once saves
// freeing them. REQUIRES: !options.help.
int RunBatch(const BatchOptions& options, BatchSession& session);

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_RUN_H_
