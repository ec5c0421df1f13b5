// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_stats.h"

#include "app/messages.h"
#include "batch/batch_run.h"
#include "lexicon/lexicon.h"
#include "app/statistics_job.h"
#include "engine/statistics_files.h"
#include "platform/files.h"
#include "platform/text.h"
#include "stats/word_list.h"

namespace velmora {

namespace {

// Reads the word list into *list, reporting the lines that give no row;
// false after reporting a file that could not be read.
bool ReadWords(const BatchOptions& options, const Lexicon& lexicon, BatchSession& session,
               const BatchSession::DataSet& set, WordList* list) {
  std::string contents;
  if (const Status read = ReadWholeFile(options.words, &contents); !read.ok()) {
    session.Message("The word list " + options.words + " could not be read: " + read.reason + ".");
    return false;
  }
  *list = ReadWordList(contents, lexicon.dictionary(), set.engine.phonemes());
  bool unknownSymbol = false;
  for (const WordListProblem& problem : list->problems) {
    unknownSymbol = unknownSymbol || problem.kind == WordListProblem::kUnknownSymbol;
  }
  if (unknownSymbol && !set.inventory.ok()) session.Message(InventoryMessage(set.inventory));
  for (const WordListProblem& problem : list->problems) {
    session.Message("velmora-batch: " + WordListProblemMessage(options.words, problem));
  }
  return true;
}

}  // namespace

int RunStatistics(const BatchOptions& options, BatchSession& session) {
  std::string input;
  BatchSession::DataSet* set = nullptr;
  Lexicon lexicon;
  if (const int failed = session.ReadDictionary(options, &lexicon, &set, &input)) return failed;
  WordList list;
  if (!options.words.empty() && !ReadWords(options, lexicon, session, *set, &list)) return kExitFailed;
  StatisticsRequest request;
  request.stats = options.stats;
  request.neighbourLists = options.neighbourLists;
  request.functionalLoad = options.functionalLoad;
  request.minimalPairs = options.minimalPairs;
  WordList* words = options.words.empty() ? nullptr : &list;
  const LexicalStatistics stats = ComputeStatistics(lexicon.dictionary(), request, words);
  const Status written = WriteStatisticsFiles(request, stats, words, session.folder());
  if (!written.ok()) {
    // Nobody is there to close a file another program holds, as for a search.
    session.Message(written.kind == Status::kInUse ? kFileInUseMessage : GeneralFileErrorMessage(written));
    return kExitFailed;
  }
  session.out() << "Statistics of " << lexicon.dictionary().NumberOfWords << " entries of " << input
                << " written.\n";
  return list.problems.empty() ? kExitHits : kExitNoHits;
}

}  // namespace velmora
