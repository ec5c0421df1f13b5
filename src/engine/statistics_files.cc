// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/statistics_files.h"

#include <charconv>

#include "platform/files.h"

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

}  // namespace

LexicalStatistics ComputeStatistics(const Dictionary& dict, const StatisticsRequest& request, WordList* list) {
  LexicalStatistics stats(dict, request.stats);
  if (list != nullptr) {
    for (StatsSubject& subject : list->subjects) {
      if (subject.entry == 0) stats.AddWord(subject);
    }
  }
  LexicalStatistics::Wants wants;
  wants.neighbourLists = request.neighbourLists;
  wants.functionalLoad = request.functionalLoad;
  if (request.minimalPairs) {
    wants.minimalPairs = true;
    wants.x = request.minimalPairs->first;
    wants.y = request.minimalPairs->second;
  }
  stats.Compute(wants);
  return stats;
}

Status WriteStatisticsFiles(const StatisticsRequest& options, const LexicalStatistics& stats, const WordList* list,
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

}  // namespace velmora
