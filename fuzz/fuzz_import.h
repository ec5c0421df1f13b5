// SPDX-License-Identifier: GPL-3.0-or-later
// What every reader of velmora-import must give, whatever the input: entries
// and left-out lines on lines of the input, in order; spellings and segments
// that the six-field dictionary can hold; and a data set built from them
// whose in.txt has one line of six fields per entry, its syllabified field
// the transcription with some consonants marked Coda.
#ifndef VELMORA_FUZZ_FUZZ_IMPORT_H_
#define VELMORA_FUZZ_FUZZ_IMPORT_H_

#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "import/data_set.h"
#include "import/readers.h"

namespace velmora::fuzz {

inline const import::BaseFeatures& SmallTable() {
  static const import::BaseFeatures* table = [] {
    auto* features = new import::BaseFeatures();
    FUZZ_CHECK(features->AddContents("Symbol\tsyllabic\tconsonantal\tsonorant\tstress1\tstress2\tcoda\n"
                                     "a\t+\t-\t+\t-\t-\t0\nAH\t+\t-\t+\t-\t-\t0\nk\t-\t+\t-\t0\t0\t-\n"
                                     "t͡ʃ\t-\t+\t-\t0\t0\t-\nn\t-\t+\t+\t0\t0\t-\n",
                                     "IpaFeatures.txt").ok());
    return features;
  }();
  return *table;
}

inline void CheckReading(std::string_view input, const import::Reading& reading) {
  const int lines = static_cast<int>(CountLines(input));
  int last = 0;
  std::vector<import::ImportEntry> entries;
  for (const import::RawEntry& entry : reading.entries) {
    FUZZ_CHECK(entry.line >= last && entry.line >= 1 && entry.line <= lines);
    last = entry.line;
    FUZZ_CHECK(!entry.spelling.empty() && entry.spelling.find_first_of("\t\r\n") == std::string::npos);
    std::vector<std::string> segments =
        import::AssignStress(entry.tokens, [](std::string_view s) { return SmallTable().IsVowel(s); });
    FUZZ_CHECK(!segments.empty());
    for (const std::string& segment : segments) {
      FUZZ_CHECK(!segment.empty() && segment.find_first_of(" \t\r\n") == std::string::npos);
    }
    entries.push_back({entry.spelling, std::move(segments), entry.frequency, entry.line});
  }
  for (const std::vector<int>* reported : {&reading.skipped_lines, &reading.frequency_lines}) {
    for (size_t i = 0; i < reported->size(); ++i) {
      FUZZ_CHECK((*reported)[i] >= 1 && (*reported)[i] <= lines && (i == 0 || (*reported)[i] > (*reported)[i - 1]));
    }
  }
  const import::DataSet set = import::BuildDataSet(entries, reading.has_frequency, SmallTable());
  FUZZ_CHECK(set.files.front().path == "in.txt" && set.files.front().lines.size() == entries.size());
  for (size_t n = 0; n < entries.size(); ++n) {
    const std::string& line = set.files.front().lines[n];
    std::vector<std::string> fields(1);
    for (const char c : line) {
      if (c == '\t') {
        fields.emplace_back();
      } else {
        fields.back().push_back(c);
      }
    }
    FUZZ_CHECK(fields.size() == 6 && fields[0] == entries[n].spelling && fields[3].empty());
    std::string plain = fields[2];
    for (size_t at = plain.find("Coda"); at != std::string::npos; at = plain.find("Coda", at)) plain.erase(at, 4);
    std::string joined;
    for (const std::string& s : entries[n].segments) joined += (joined.empty() ? "" : " ") + s;
    FUZZ_CHECK(fields[1] == joined && (plain == joined || joined.find("Coda") != std::string::npos));
  }
}

}  // namespace velmora::fuzz

#endif  // VELMORA_FUZZ_FUZZ_IMPORT_H_
