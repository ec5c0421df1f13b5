// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/statistics_files.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/files.h"

namespace velmora {

char* AppendFixed6(char* out, double x) {
  // x * 10^6 as computed lies within a 2^-53 part of its exact value, so
  // its rounding to a whole number is the exact value's unless the part
  // after the point is that near a half (or x is negative, -0, huge or not
  // a number): those go to to_chars, which rounds the exact value.
  if (x >= 0 && !std::signbit(x) && x < 1e9) {
    const double scaled = x * 1e6;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) > scaled * 0x1p-51) {
      const auto n = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
      out = std::to_chars(out, out + 20, n / 1000000).ptr;
      *out++ = '.';
      uint64_t decimals = n % 1000000;
      for (int k = 5; k >= 0; --k, decimals /= 10) out[k] = static_cast<char>('0' + decimals % 10);
      return out + 6;
    }
  }
  return std::to_chars(out, out + kFixed6Room, x, std::chars_format::fixed, 6).ptr;
}

namespace {

// Writes the rows into the files, each row a line ended by CR LF.
class StatsFiles : public StatsSink {
 public:
  OutputFile statistics, neighbours, pairs, loads;

  void Row(const StatsRow& r) override {
    OutputBuffer& b = statistics.buffer();
    b.append(r.word).append("\t").append(r.transcription);
    // The numbers: eleven of at most 20 characters and two as "%.6f" writes them, each after a TAB.
    char numbers[11 * 21 + 2 * (kFixed6Room + 1) + 2];
    char* out = numbers;
    for (int64_t n : {int64_t{r.segments}, int64_t{r.frequency}, int64_t{r.homophones}, int64_t{r.neighbours()},
                      int64_t{r.substitutions}, int64_t{r.deletions}, int64_t{r.additions}, r.neighbourFrequency,
                      int64_t{r.uniquenessPoint}, int64_t{r.cohort}, int64_t{r.rhymes}}) {
      *out++ = '\t';
      out = std::to_chars(out, out + 20, n).ptr;
    }
    *out++ = '\t';
    out = AppendFixed6(out, r.segmentProbability);
    *out++ = '\t';
    out = AppendFixed6(out, r.biphoneProbability);
    *out++ = '\r';
    *out++ = '\n';
    b.append(numbers, out);
    statistics.Written();
  }
  void Neighbour(std::string_view word, std::string_view neighbour, char kind) override {
    OutputBuffer& b = neighbours.buffer();
    b.append(word).append("\t").append(neighbour).append("\t").append(1, kind).append("\r\n");
    neighbours.Written();
  }
  void MinimalPair(std::string_view x, std::string_view y, int32_t position) override {
    OutputBuffer& b = pairs.buffer();
    char digits[16];
    b.append(x).append("\t").append(y).append("\t").append(digits, std::to_chars(digits, digits + 16, position).ptr);
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
