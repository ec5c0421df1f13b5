// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_stats.h"

#include <charconv>

#include "app/messages.h"
#include "batch/batch_run.h"
#include "lexicon/lexicon.h"
#include "platform/files.h"
#include "platform/text.h"
#include "stats/word_list.h"

namespace velmora {

namespace {

void Append(std::string& to, int64_t n) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  to.append(digits, end);
}

// As "%.6f" writes it.
void Append(std::string& to, double x) {
  char digits[400];
  const auto end = std::to_chars(digits, digits + sizeof digits, x, std::chars_format::fixed, 6).ptr;
  to.append(digits, end);
}

// Writes the rows into the files, each row a line ended by CR LF.
class StatsFiles : public StatsSink {
 public:
  OutputFile statistics, neighbours, pairs, loads;

  void Row(const StatsRow& r) override {
    std::string& b = statistics.buffer();
    b.append(r.word).append("\t").append(r.transcription);
    for (int64_t n : {int64_t{r.segments}, int64_t{r.frequency}, int64_t{r.homophones}, int64_t{r.neighbours()},
                      int64_t{r.substitutions}, int64_t{r.deletions}, int64_t{r.additions}, r.neighbourFrequency,
                      int64_t{r.uniquenessPoint}, int64_t{r.cohort}, int64_t{r.rhymes}}) {
      b += '\t';
      Append(b, n);
    }
    b += '\t';
    Append(b, r.segmentProbability);
    b += '\t';
    Append(b, r.biphoneProbability);
    b += "\r\n";
    statistics.Written();
  }
  void Neighbour(std::string_view word, std::string_view neighbour, char kind) override {
    std::string& b = neighbours.buffer();
    b.append(word).append("\t").append(neighbour).append("\t").append(1, kind).append("\r\n");
    neighbours.Written();
  }
  void MinimalPair(std::string_view x, std::string_view y, int32_t position) override {
    std::string& b = pairs.buffer();
    b.append(x).append("\t").append(y).append("\t");
    Append(b, int64_t{position});
    b += "\r\n";
    pairs.Written();
  }
};

std::string WordListProblemMessage(const std::string& path, const WordListProblem& problem) {
  const std::string where = path + ", line " + std::to_string(problem.line) + ": ";
  if (problem.kind == WordListProblem::kUnknownSpelling) {
    return where + "'" + Echoed(problem.text) + "' is not in the dictionary";
  }
  return where + "the symbol '" + Echoed(problem.text) + "' is not in AllSegments.txt";
}

// Reads the word list into *list, reporting the lines that give no row;
// false after reporting a file that could not be read.
bool ReadWords(const BatchOptions& options, const Lexicon& lexicon, BatchSession& session, WordList* list) {
  std::string contents;
  if (const Status read = ReadWholeFile(options.words, &contents); !read.ok()) {
    session.Message("The word list " + options.words + " could not be read: " + read.reason + ".");
    return false;
  }
  *list = ReadWordList(contents, lexicon.dictionary(), session.engine().phonemes());
  bool unknownSymbol = false;
  for (const WordListProblem& problem : list->problems) {
    unknownSymbol = unknownSymbol || problem.kind == WordListProblem::kUnknownSymbol;
  }
  if (unknownSymbol && !session.inventoryStatus().ok()) session.Message(InventoryMessage(session.inventoryStatus()));
  for (const WordListProblem& problem : list->problems) {
    session.Message("velmora-batch: " + WordListProblemMessage(options.words, problem));
  }
  return true;
}

// Begins the files asked for, writes them and puts them in place together.
Status WriteFiles(const BatchOptions& options, const LexicalStatistics& stats, const WordList* list,
                  const std::string& folder) {
  StatsFiles files;
  std::vector<OutputFile*> all{&files.statistics};
  Status status = files.statistics.Open(folder + "/Statistics.txt");
  if (status.ok() && options.neighbourLists) {
    all.push_back(&files.neighbours);
    status = files.neighbours.Open(folder + "/Neighbours.txt");
  }
  if (status.ok() && options.minimalPairs) {
    all.push_back(&files.pairs);
    status = files.pairs.Open(folder + "/MinimalPairs.txt");
  }
  if (status.ok() && options.functionalLoad) {
    all.push_back(&files.loads);
    status = files.loads.Open(folder + "/FunctionalLoad.txt");
  }
  if (!status.ok()) {
    for (OutputFile* file : all) file->Abandon();
    return status;
  }
  files.statistics.WriteLine(kStatisticsHeader);
  if (options.neighbourLists) files.neighbours.WriteLine("Word\tNeighbour\tKind");
  if (options.minimalPairs) {
    const bool keep = options.stats.keepStress;
    files.pairs.WriteLine("Word with " + std::string(KeyOf(options.minimalPairs->first, keep)) + "\tWord with " +
                          std::string(KeyOf(options.minimalPairs->second, keep)) + "\tPosition");
  }
  stats.PushRows(list != nullptr ? &list->subjects : nullptr, files);
  if (options.functionalLoad) {
    files.loads.WriteLine("Segment\tSegment\tMinimal pairs");
    for (const SegmentLoad& load : stats.FunctionalLoad()) {
      files.loads.WriteLine(load.first + "\t" + load.second + "\t" + std::to_string(load.pairs));
    }
  }
  return PutInPlace(all);
}

}  // namespace

int RunStatistics(const BatchOptions& options, BatchSession& session) {
  const std::string input = options.input ? *options.input : session.start().inputFileName;
  Lexicon lexicon;
  if (const Status read = lexicon.LoadDictionary(session.folder() + "/" + input); !read.ok()) {
    session.Message(InputFileMessage(read));
    return kExitFailed;
  }
  WordList list;
  if (!options.words.empty() && !ReadWords(options, lexicon, session, &list)) return kExitFailed;
  LexicalStatistics stats(lexicon.dictionary(), options.stats);
  for (StatsSubject& subject : list.subjects) {
    if (subject.entry == 0) stats.AddWord(subject);
  }
  LexicalStatistics::Wants wants;
  wants.neighbourLists = options.neighbourLists;
  wants.functionalLoad = options.functionalLoad;
  if (options.minimalPairs) {
    wants.minimalPairs = true;
    wants.x = options.minimalPairs->first;
    wants.y = options.minimalPairs->second;
  }
  stats.Compute(wants);
  Status written = WriteFiles(options, stats, options.words.empty() ? nullptr : &list, session.folder());
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
