// SPDX-License-Identifier: GPL-3.0-or-later
// The layouts of the six result files: rows of FullOutput.txt and
// ResultsOfSearchInInputFormat.txt, the table of MediumOutput.txt and the hit
// flags of Hits.txt and Misses.txt. Every line ends with CR LF; fields are
// separated by a single TAB with no quoting.
#ifndef VELMORA_OUTPUT_RESULT_LAYOUT_H_
#define VELMORA_OUTPUT_RESULT_LAYOUT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/dictionary.h"
#include "platform/files.h"
#include "output/hit_table.h"

namespace velmora {

inline constexpr const char* kFullOutputHeader =
    "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation";

// The numeric print form: a space (or the minus sign), the digits, a space.
std::string NumericPrintForm(int32_t value);

// Writes the rows of one hit: a row of FullOutput.txt (spelling, reversed
// spelling, plain transcription, focus string, frequency, annotation) and a
// line of ResultsOfSearchInInputFormat.txt (the entry's six dictionary fields).
// The parts that do not depend on the focus string are made once per entry.
class HitRowWriter {
 public:
  void Write(const Dictionary& dict, int32_t n, std::string_view focus, OutputFile& full, OutputFile& results);

 private:
  void Prepare(const Dictionary& dict, int32_t n);
  int32_t entry_ = 0;
  std::string fullHead_;  // spelling, reversed spelling, transcription, each with its TAB
  std::string fullTail_;  // TAB, frequency, TAB, annotation, CR LF
  std::string results_;
};

// MediumOutput.txt: the search string, the column heads, one line per row of
// the hit table in its order.
void WriteMediumOutput(OutputFile& file, const std::string& display, const HitTable& table);
// Line i of Hits.txt is "1" and of Misses.txt "0" when flags[i] is 1 (entry i
// was found), else the reverse; flags[0] is not written.
void WriteHitFlags(OutputFile& hits, OutputFile& misses, const std::vector<uint8_t>& flags);

}  // namespace velmora

#endif  // VELMORA_OUTPUT_RESULT_LAYOUT_H_
