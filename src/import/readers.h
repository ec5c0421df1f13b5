// SPDX-License-Identifier: GPL-3.0-or-later
// The three forms a lexicon is imported from, and the guess of which one a
// file has:
//   csv  a header naming spelling, transcription and optionally frequency (any
//        order, any letter case), then one word a line; fields separated by
//        commas, TABs, colons or bars, a field in double quotes the CSV way.
//        In the transcription . or blanks separate segments, - syllables, and
//        ' or ˈ (ˌ) before a syllable marks primary (secondary) stress.
//   ipa  word TAB /ipa/ (slashes or brackets optional, several pronunciations
//        separated by ", "), cut into segments by the longest match.
//   cmu  WORD  AH0 B, WORD(2) for a further pronunciation, ;;; comments.
#ifndef VELMORA_IMPORT_READERS_H_
#define VELMORA_IMPORT_READERS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/symbols.h"

namespace velmora::import {

enum class Format { kCsv, kIpa, kCmu };

// "csv", "ipa" or "cmu"; nullopt for another name.
std::optional<Format> FormatNamed(std::string_view name);

// The form of the first line that is not empty (a ;;; comment is cmu), or
// nullopt when it looks like none of them.
std::optional<Format> GuessFormat(std::string_view contents);

struct RawEntry {
  std::string spelling;
  std::vector<Token> tokens;
  long long frequency = 0;
  int line = 0;  // from 1
};

struct Reading {
  std::vector<RawEntry> entries;       // in the order of the file
  bool has_frequency = false;          // the input gives frequencies
  std::vector<int> skipped_lines;      // lines not of the form, left out
  std::vector<int> frequency_lines;    // lines whose frequency is no number (taken as 0)
  bool header_found = true;            // csv: a header naming the two fields
};

Reading ReadCsv(std::string_view contents);
Reading ReadIpa(std::string_view contents, const Segmenter& segmenter);
Reading ReadCmu(std::string_view contents);

}  // namespace velmora::import

#endif  // VELMORA_IMPORT_READERS_H_
