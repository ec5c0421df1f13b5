// One run of velmora-batch: the main window's start-up with the command-line
// options applied to its controls, one click of a search button, and the exit
// status the outcome gives.
#ifndef VELMORA_BATCH_BATCH_RUN_H_
#define VELMORA_BATCH_BATCH_RUN_H_

#include <ostream>
#include <string>

#include "app/form1.h"
#include "batch/options.h"

namespace velmora {

// Exit statuses of velmora-batch.
enum BatchExit {
  kExitHits = 0,     // the search finished with hits
  kExitNoHits = 1,   // it finished without hits
  kExitRefused = 2,  // a usage error, or the validation refused the boxes
  kExitFailed = 3,   // a failure or a No to a caution stopped the search
};

int ExitStatusOf(Form1::Outcome outcome);

// Starts a Form1 on the program folder, applies the options, runs the search
// the options name and returns the exit status. Message boxes go to
// *messages one line each; *out gets a summary of a finished search and, as
// its last line, the final caption of the search button that was used.
// REQUIRES: !options.help; programFolder names the folder without a trailing
// "/".
// When done is given, it is called with the exit status once everything is
// written and reported, before the run's memory is given back (a caller
// that ends the process there saves freeing it piece by piece).
int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& out,
             std::ostream& messages, void (*done)(int status) = nullptr);

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_RUN_H_
