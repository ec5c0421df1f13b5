#include "batch/batch_run.h"

#include <vector>

#include "batch/batch_session.h"
#include "lexicon/text.h"
#include "platform/files.h"

namespace velmora {

namespace {

// Runs every query of options.queries: each line is read before anything runs,
// so that a line that is no query stops them all.
int RunQueries(const BatchOptions& options, const std::string& programFolder, std::ostream& out,
               std::ostream& messages) {
  std::string contents;
  if (Status read = ReadWholeFile(options.queries, &contents); !read.ok()) {
    messages << "velmora-batch: the queries file " << options.queries << " could not be read: " << read.reason << "\n";
    return kExitRefused;
  }
  std::vector<BatchOptions> queries;
  int lineNumber = 0;
  bool usable = true;
  ForEachLine(contents, [&](std::string_view line) {
    ++lineNumber;
    if (!usable || TrimView(line).empty()) return;
    BatchOptions query;
    std::string error;
    if (!ParseQueryLine(line, &query, &error)) {
      messages << "velmora-batch: " << options.queries << ", line " << lineNumber << ": " << error << "\n";
      usable = false;
      return;
    }
    if (!query.answerGiven) query.answerYes = options.answerYes;
    queries.push_back(std::move(query));
  });
  if (!usable) return kExitRefused;

  BatchSession session(programFolder, out, messages);
  Status made = MakeFolder(options.out);
  int status = kExitHits;
  for (size_t k = 1; k <= queries.size(); ++k) {
    const std::string prefix = std::to_string(k) + ": ";
    const std::string folder = options.out + "/" + std::to_string(k);
    if (made.ok()) made = MakeFolder(folder);
    if (!made.ok()) {
      session.Message(prefix + "The folder " + made.path + " could not be made: " + made.reason + ".");
      status = kExitFailed;
      continue;
    }
    const int result = session.Search(queries[k - 1], folder, prefix, false);
    if (result != kExitHits && result != kExitNoHits) status = kExitFailed;
  }
  return status;
}

}  // namespace

int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& out,
             std::ostream& messages, void (*done)(int status)) {
  int status;
  if (!options.queries.empty()) {
    status = RunQueries(options, programFolder, out, messages);
  } else {
    BatchSession session(programFolder, out, messages);
    status = session.Search(options, programFolder, "", true);
  }
  out.flush();
  messages.flush();
  if (done != nullptr) done(status);
  return status;
}

}  // namespace velmora
