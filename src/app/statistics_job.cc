// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/statistics_job.h"

#include "app/messages.h"
#include "lexicon/lexicon.h"
#include "platform/files.h"
#include "platform/text.h"

namespace velmora {

std::string WordListProblemMessage(const std::string& path, const WordListProblem& problem) {
  const std::string where = path + ", line " + std::to_string(problem.line) + ": ";
  if (problem.kind == WordListProblem::kUnknownSpelling) {
    return where + "'" + Echoed(problem.text) + "' is not in the dictionary";
  }
  return where + "the symbol '" + Echoed(problem.text) + "' is not in AllSegments.txt";
}

StatisticsOutcome RunStatisticsJob(const StatisticsJob& job) {
  Lexicon lexicon;
  const std::string path = job.dictionary.empty() ? job.folder + "/" + job.input : job.dictionary;
  if (const Status read = lexicon.LoadDictionary(path); !read.ok()) {
    return {false, InputFileMessage(read)};
  }
  WordList list;
  if (!job.words.empty()) {
    std::string contents;
    if (const Status read = ReadWholeFile(job.words, &contents); !read.ok()) {
      return {false, "The word list " + job.words + " could not be read: " + read.reason + "."};
    }
    list = ReadWordList(contents, lexicon.dictionary(), job.inventory);
  }
  WordList* words = job.words.empty() ? nullptr : &list;
  const LexicalStatistics stats = ComputeStatistics(lexicon.dictionary(), job.request, words);
  const Status written = WriteStatisticsFiles(job.request, stats, words, job.folder);
  if (!written.ok()) {
    return {false, written.kind == Status::kInUse ? kFileInUseMessage : GeneralFileErrorMessage(written)};
  }
  std::string message = "Statistics of " + std::to_string(lexicon.dictionary().NumberOfWords) + " entries of " +
                        job.input + " written to " + job.folder + "/Statistics.txt.";
  for (const WordListProblem& problem : list.problems) message += "\n" + WordListProblemMessage(job.words, problem);
  return {true, message};
}

}  // namespace velmora
