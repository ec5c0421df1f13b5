// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-batch --export csv|ipa: the dictionary written out in the corpus
// form that velmora-import reads (spelling,transcription,frequency) or as a
// word-IPA list (word TAB /ipa/), to --out FILE or to Export.csv / Export.txt
// in the program folder, whole or not at all.
#ifndef VELMORA_BATCH_BATCH_EXPORT_H_
#define VELMORA_BATCH_BATCH_EXPORT_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "batch/batch_session.h"
#include "batch/options.h"

namespace velmora {

// One field of the corpus form: in double quotes (a quote doubled) when it
// holds a comma or a quote, or begins or ends with a blank.
std::string CsvField(std::string_view text);

// The IPA of a transcription: each segment through `ipa` (ARPABET with its
// stress digit -> IPA) when listed there, else without its stress digit;
// ˈ (ˌ) before the syllable of a vowel with 1 (2). The syllables come from
// the syllabified field (a consonant ending in Coda closes one) when it has
// the same segments; else a vowel's syllable takes the one consonant before
// it, or every consonant before the first vowel.
std::string ToIpa(std::string_view transcription, std::string_view syllabified,
                  const std::unordered_map<std::string, std::string>& ipa);

// Reads an ARPABET-to-IPA table: # comment lines, then ARPABET TAB IPA.
std::unordered_map<std::string, std::string> ReadArpabetToIpa(std::string_view contents);

// Runs the export options asks for; returns the exit status: 0 written, 3 the
// dictionary could not be read or the file not written.
// REQUIRES: !options.exportFormat.empty().
int RunExport(const BatchOptions& options, BatchSession& session);

}  // namespace velmora

#endif  // VELMORA_BATCH_BATCH_EXPORT_H_
