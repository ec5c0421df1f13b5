// The layouts of the six result files: rows of FullOutput.txt and
// ResultsOfSearchInInputFormat.txt, the table of MediumOutput.txt and the hit
// flags of Hits.txt and Misses.txt. Every line ends with CR LF; fields are
// separated by a single TAB with no quoting.
#ifndef VELMORA_OUTPUT_RESULT_LAYOUT_H_
#define VELMORA_OUTPUT_RESULT_LAYOUT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "lexicon/dictionary.h"
#include "platform/files.h"
#include "search/hit_table.h"

namespace velmora {

inline constexpr const char* kFullOutputHeader =
    "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation";

// The numeric print form: a space (or the minus sign), the digits, a space.
std::string NumericPrintForm(int32_t value);

// One row of FullOutput.txt for entry n with the given focus string.
void AppendFullRow(std::string& out, const Dictionary& dict, int32_t n, std::string_view focus);
// One line of ResultsOfSearchInInputFormat.txt: the entry's six dictionary fields.
void AppendResultsRow(std::string& out, const Dictionary& dict, int32_t n);

// MediumOutput.txt: the search string, the column heads, one line per row of
// the hit table in its order.
void WriteMediumOutput(OutputFile& file, const std::string& display, const HitTable& table);
// Line i of Hits.txt is "1" and of Misses.txt "0" when entry i was found, else the reverse.
void WriteHitFlags(OutputFile& hits, OutputFile& misses, const Dictionary& dict);

}  // namespace velmora

#endif  // VELMORA_OUTPUT_RESULT_LAYOUT_H_
