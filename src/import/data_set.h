// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a data set made from an imported lexicon: in.txt (spelling,
// transcription, syllabified transcription, an empty field, frequency and
// rank), AllSegments.txt, LegalOnsets.txt, and, for the symbols the feature
// tables know, Features.txt and the natural classes derived from the
// features, over plain symbols (NaturalClasses/) and over syllabified ones
// (SyllabifiedNaturalClasses/, with ONSET and CODA).
//
// The syllabified field is made by the Maximal Onset Principle, the legal
// onsets being the consonant clusters that begin at least one word in 4000 of
// the lexicon (at least one word), as velmora-syllabify --derive-onsets takes
// them.
#ifndef VELMORA_IMPORT_DATA_SET_H_
#define VELMORA_IMPORT_DATA_SET_H_

#include <string>
#include <vector>

#include "import/base_features.h"
#include "syllabify/english_build.h"

namespace velmora::import {

using syllabify::DataFile;

struct ImportEntry {
  std::string spelling;
  std::vector<std::string> segments;  // vowels with their stress digits
  long long frequency = 0;
  int line = 0;  // of the input, from 1
};

struct DataSet {
  std::vector<DataFile> files;
  int vowels = 0;                    // vowel symbols (with their digits)
  int consonants = 0;                // consonant symbols (without Coda)
  int classes = 0;                   // class files of NaturalClasses/
  std::vector<std::string> unknown;  // symbols no feature table knows, in AllSegments order
};

// The words a cluster must begin to be a legal onset, of a lexicon of
// `entries` entries.
int OnsetMinWords(size_t entries);

// The data set of `entries` (kept in their order). Frequency and rank are
// written only when `has_frequency`: rank 1 the most frequent, equal
// frequencies in the order of the entries.
DataSet BuildDataSet(const std::vector<ImportEntry>& entries, bool has_frequency,
                     const BaseFeatures& features);

// The class files of the plain and the syllabified folder for these symbols.
// `values` gives each symbol's feature values in the order of `names`
// ("" for a symbol without features).
struct SymbolInfo {
  std::string symbol;
  std::string values;   // one of + - 0 per feature name; "" when unknown
  bool vowel = false;
};
std::vector<DataFile> DeriveClasses(const std::vector<SymbolInfo>& plain,
                                    const std::vector<std::string>& codas,
                                    const std::vector<std::string>& names);

}  // namespace velmora::import

#endif  // VELMORA_IMPORT_DATA_SET_H_
