// SPDX-License-Identifier: GPL-3.0-or-later
// The word list of the statistics, read against a small fixed dictionary and
// inventory, and the statistics of its rows. Every row is an entry that a
// line names (letter case ignored) or a word whose symbols the inventory
// lists; every line that gives no row is reported once, in line order; the
// rows' measures stay within their bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "lexicon/dictionary.h"
#include "platform/text.h"
#include "stats/stats.h"
#include "stats/word_list.h"

namespace velmora::fuzz {
namespace {

const char kDictionary[] =
    "cat\tK AE1 T\t\t\t12\r\nCat\tK AE1 T\t\t\t3\r\nbat\tB AE1 T\t\t\t7\r\nat\tAE1 T\r\n\r\nbattle\tB AE1 T AH0 L\t\t\t2\r\n";
const std::vector<std::string> kInventory = {"", "K", "AE1", "T", "B", "AH0", "L", "AE0"};

// Checks the bounds of each row as it comes.
class Bounds : public StatsSink {
 public:
  explicit Bounds(int32_t entries) : entries_(entries) {}
  void Row(const StatsRow& r) override {
    FUZZ_CHECK(r.homophones >= 0 && r.homophones < entries_ + 1);
    FUZZ_CHECK(r.substitutions >= 0 && r.deletions >= 0 && r.additions >= 0);
    FUZZ_CHECK(r.neighbours() + r.homophones <= entries_);
    FUZZ_CHECK(r.uniquenessPoint >= 1 && r.uniquenessPoint <= r.segments + 1);
    FUZZ_CHECK(r.cohort >= 0 && r.cohort <= entries_ && r.rhymes >= 0 && r.rhymes <= entries_);
    FUZZ_CHECK(r.segmentProbability >= 0 && r.segmentProbability <= r.segments + 1e-9);
    FUZZ_CHECK(r.biphoneProbability >= 0 && r.biphoneProbability <= r.segments + 1e-9);
    ++rows;
  }
  size_t rows = 0;

 private:
  const int32_t entries_;
};

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  static const Dictionary* const dict = [] {
    auto* d = new Dictionary;
    ParseDictionary(kDictionary, d);
    return d;
  }();
  WordList list = ReadWordList(input, *dict, kInventory);
  const size_t lines = CountLines(input);
  int32_t last = 0;
  for (const WordListProblem& problem : list.problems) {
    FUZZ_CHECK(problem.line > last && static_cast<size_t>(problem.line) <= lines);
    last = problem.line;
  }
  for (StatsSubject& subject : list.subjects) {
    if (subject.entry != 0) {
      FUZZ_CHECK(subject.entry >= 1 && subject.entry <= dict->NumberOfWords);
      continue;
    }
    FUZZ_CHECK(subject.transcription.find_first_of("\t\r\n") == std::string::npos);
    for (std::string_view symbol : SplitSymbols(subject.transcription)) {
      bool known = false;
      for (const std::string& s : kInventory) known = known || (!s.empty() && s == symbol);
      FUZZ_CHECK(known);
    }
  }
  // The same lines with lone CRs written as CR LF: the same rows and reports.
  const WordList crlf = ReadWordList(WithCrLfLineEnds(input), *dict, kInventory);
  FUZZ_CHECK(crlf.subjects.size() == list.subjects.size() && crlf.problems.size() == list.problems.size());

  LexicalStatistics stats(*dict, StatsOptions{size > 0 && (data[0] & 1) != 0, Weight::kLog, 1 + (size > 1 ? data[1] % 4 : 0)});
  for (StatsSubject& subject : list.subjects) {
    if (subject.entry == 0) stats.AddWord(subject);
  }
  LexicalStatistics::Wants wants;
  wants.neighbourLists = wants.functionalLoad = wants.minimalPairs = true;
  wants.x = "B";
  wants.y = "K";
  stats.Compute(wants);
  Bounds bounds(dict->NumberOfWords);
  stats.PushRows(&list.subjects, bounds);
  FUZZ_CHECK(bounds.rows == list.subjects.size());
  return 0;
}
