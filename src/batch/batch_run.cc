// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_run.h"

#include <unistd.h>

#include <string_view>
#include <vector>

#include "app/messages.h"
#include "batch/batch_export.h"
#include "batch/batch_session.h"
#include "batch/batch_stats.h"
#include "platform/text.h"
#include "platform/files.h"

namespace velmora {

namespace {

// The files a search writes. A folder of --out holds only its own query's:
// those of an earlier run there go before the query runs, so that a search
// without hits leaves its two files alone, as a run in an empty folder does.
constexpr const char* kResultFiles[] = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                                        "MediumOutput.txt", "Hits.txt", "Misses.txt"};

// The queries of the file, each line read and its boxes checked before
// anything runs, so that a line that is no query stops them all. False after
// printing what was wrong.
bool ReadQueries(const BatchOptions& options, BatchSession& session, std::vector<BatchOptions>* queries,
                 std::ostream& messages) {
  std::string contents;
  if (const Status read = ReadWholeFile(options.queries, &contents); !read.ok()) {
    messages << "velmora-batch: " << QueriesFileMessage(read) << "\n";
    return false;
  }
  // Editors on Windows begin a UTF-8 file with a byte-order mark.
  std::string_view text = contents;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int lineNumber = 0;
  Status status;
  ForEachLine(text, [&](std::string_view line) {
    ++lineNumber;
    // A line without words (blank, or only a comment) is no query.
    if (!status.ok() || SplitShellWords(line).empty()) return;
    BatchOptions query;
    status = ParseQueryLine(line, &query);
    if (status.ok()) status = session.Validate(query);
    if (!status.ok()) {
      status.path = options.queries;
      status.line = lineNumber;
      return;
    }
    if (!query.answerGiven) query.answerYes = options.answerYes;
    queries->push_back(std::move(query));
  });
  if (!status.ok()) messages << "velmora-batch: " << UsageErrorMessage(status) << "\n";
  return status.ok();
}

// Makes the folder of query k, without the result files of an earlier run.
Status MakeQueryFolder(const std::string& out, const std::string& folder) {
  Status made = MakeFolder(out);
  if (made.ok()) made = MakeFolder(folder);
  // A file that cannot go (a folder of that name) fails the search that writes it.
  if (made.ok()) {
    for (const char* name : kResultFiles) ::unlink((folder + "/" + name).c_str());
  }
  return made;
}

// Runs every query of options.queries; each stands alone, whatever became of
// the others.
int RunQueries(const BatchOptions& options, BatchSession& session) {
  std::ostream& messages = session.messages();
  std::vector<BatchOptions> queries;
  if (!ReadQueries(options, session, &queries, messages)) return kExitRefused;
  int status = kExitHits;
  for (size_t k = 1; k <= queries.size(); ++k) {
    const std::string prefix = std::to_string(k) + ": ";
    const std::string folder = options.out + "/" + std::to_string(k);
    const Status made = MakeQueryFolder(options.out, folder);
    if (!made.ok()) {
      messages << prefix << FolderNotMadeMessage(made) << '\n';
      status = kExitFailed;
      continue;
    }
    const int result = session.Search(queries[k - 1], folder, prefix, false);
    if (result != kExitHits && result != kExitNoHits) status = kExitFailed;
  }
  return status;
}

}  // namespace

int RunBatch(const BatchOptions& options, BatchSession& session) {
  const int status = !options.exportFormat.empty() ? RunExport(options, session)
                     : options.statistics       ? RunStatistics(options, session)
                     : options.queries.empty() ? session.Search(options, session.folder(), "", true)
                                               : RunQueries(options, session);
  session.out().flush();
  session.messages().flush();
  return status;
}

}  // namespace velmora
