// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/messages.h"

#include "platform/text.h"

namespace velmora {

std::string ProgressCaption(int32_t done, int32_t total) {
  return "Searching the dictionary; completed " + std::to_string(done) + "/" + std::to_string(total);
}

std::string InputFileMessage(const Status& status) {
  return "The input file " + status.path + " could not be read: " + status.reason + ".";
}

std::string InventoryMessage(const Status& status) {
  return "The phoneme inventory " + status.path + " could not be read: " + status.reason + ".";
}

std::string ErrorText(const Status& status) {
  return " " + std::to_string(status.code) + " " + status.path + ": " + status.reason;
}

std::string GeneralFileErrorMessage(const Status& status) {
  // The description names the file, so that the user knows which one failed.
  return "Error.  Description is " + status.path + ": " + status.reason + ".  Please report to " + kMaintainerName +
         " at " + kMaintainerEmail + ", specifying code number 73468.";
}

std::string SettingsNotSavedMessage(const Status& status) {
  return "The settings could not be saved to " + status.path + ": " + status.reason + ".";
}

std::string CautionMessage(const Caution& caution) {
  if (caution.kind == Caution::kCodaInPlainData) {
    return "Caution:  the word " + caution.word + " contains the sound [" + caution.symbol +
           "], but you're doing a simulation specified for nonsyllabified segments.  You may want to adjust your "
           "input files.";
  }
  return "Caution:  the word " + caution.word + " contains the sound [" + caution.symbol +
         "], which is not on the list of phonemes AllSegments.txt.  You may want to adjust either in.txt or "
         "AllSegments.txt before continuing.  Click Yes to continue, No to exit program.";
}

namespace {
// Why the feature table could not be used, e.g. "the feature table F is
// damaged: line 3 has 5 fields, but the first line has 24".
std::string FeatureTableText(const Status& status) {
  if (status.kind != Status::kMalformed) return "the feature table " + status.path + " could not be read: " + status.reason;
  return "the feature table " + status.path + " is damaged: " +
         (status.line > 0 ? "line " + std::to_string(status.line) + " " : "") + status.detail;
}
}  // namespace

std::string RefusalMessage(const Refusal& refusal) {
  if (refusal.kind == Refusal::kNoItems) return "Please type segments or natural classes in row of five boxes.";
  if (refusal.kind == Refusal::kMalformedItem) {
    const std::string what = refusal.features.ok()
                                 ? refusal.message
                                 : "Box " + std::to_string(refusal.box) + ": " + FeatureTableText(refusal.features);
    return what + ".  Please fix this and click on the search button again.";
  }
  return "The item in Box # " + std::to_string(refusal.box) +
         " is neither a legal phoneme nor a legal natural class name.  Please fix this and click on the search "
         "button again.";
}

std::string ItemBoxToolTip(int box) {
  return "Box " + std::to_string(box) +
         ": a symbol (AY1), a class (VOWEL), [ or ], A|B (either), !X (any segment but X), "
         "{+voice -sonorant} (by features), X? X* X+ (optional, any number, one or more), ... (any segments)";
}

ReferenceText SearchLanguageReference() {
  return {"The search language",
          {{"Each box holds one item; the boxes are matched left to right, from every position of a word. "
            "Symbols and class names are not case sensitive.",
            {{"AY1", "the symbol AY1"},
             {"VOWEL", "any member of the class VOWEL"},
             {"[   ]", "the start and the end of the word"},
             {"T|D|NASAL", "any one of the listed symbols or classes"},
             {"!NASAL", "one segment that is not a NASAL (never a word boundary)"},
             {"{+voice -sonorant}", "one segment with these feature values (Features.txt)"},
             {"LIQUID?", "zero or one LIQUID"},
             {"CONSONANT*", "zero or more consonants"},
             {"CONSONANT+", "one or more consonants"},
             {"...", "any segments, zero or more (never a word boundary)"}}},
           {"Quantified items take as many segments as still let the rest match; each position of a word gives "
            "at most one hit. A focus string has one column per box: the segments that box matched, joined by "
            "a blank.\n\nExamples:",
            {{"[  STOP  LIQUID?  VOWEL", "a word-initial stop, perhaps a liquid, then a vowel"},
             {"VOWEL  ...  NASAL  ]", "a vowel followed, anywhere later, by a word-final nasal"},
             {"!NASAL  CONSONANT  ]", "a word-final consonant after anything but a nasal"},
             {"{+sonorant +consonantal}+  ]", "a word-final run of sonorant consonants"}}},
           {"Filters (Filters... in the View menu) keep only words of a frequency, a number of segments, a "
            "number of syllables (vowels: symbols ending in 0, 1 or 2) or a stress pattern (e.g. 10 for "
            "trochaic disyllables, .1 for final stress); the other words count as misses.",
            {}}}};
}

ReferenceText StatisticsReference() {
  return {"Lexical statistics",
          {{"Every entry of the dictionary counts, in file order; a transcription is its symbols (field 2, split at "
            "blanks), compared without their stress digits unless stress is kept. \"Other\" means every entry but "
            "the word itself.",
            {{"Homophones", "other entries with the same transcription"},
             {"Neighbours", "other entries one edit away: Substitutions + Deletions + Additions (not homophones)"},
             {"Substitutions", "same length, one symbol different"},
             {"Deletions", "the word with one symbol removed"},
             {"Additions", "the word with one symbol added"},
             {"Neighbour frequency", "the sum of the neighbours' frequencies (field 5)"},
             {"Uniqueness point", "1 + the most leading symbols shared with another transcription"},
             {"Cohort", "other entries that begin with the word's first K symbols"},
             {"Rhymes", "other entries, not homophones, with the same part from the last stressed vowel on"},
             {"Segment probability", "the sum over positions of the weight of words with this symbol there"},
             {"Biphone probability", "the same for each pair of neighbouring symbols"}}},
           {"Weights: log10(frequency + 1), the frequency, or 1 per word; each probability is divided by the "
            "weight of the words long enough to have that position.",
            {{"Neighbours.txt", "each word's neighbours, with S, D or A for the kind of edit"},
             {"MinimalPairs.txt", "the pairs of words that differ only in the two symbols given, at one position"},
             {"FunctionalLoad.txt", "every pair of symbols with its number of minimal pairs, most first"}}}}};
}

std::string FilterValueMessage(const std::string& filter, const std::string& value) {
  return "The filter \"" + filter + "\" cannot be \"" + Echoed(value) +
         "\": a frequency is a whole number, a number of segments or syllables is MIN-MAX, MIN-, -MAX or N, "
         "a stress pattern holds only 0, 1, 2 and . (any vowel), and neighbours and a uniqueness point are MIN-MAX, "
         "MIN-, -MAX or N.";
}

std::string UnreadableFiltersMessage(const std::vector<Status>& filters) {
  std::string named;
  for (size_t i = 0; i < filters.size(); ++i) {
    named += (i == 0 ? "" : i + 1 == filters.size() ? " and " : ", ") + ("\"" + filters[i].detail) + "\" (line " +
             std::to_string(filters[i].line) + ")";
  }
  const bool one = filters.size() == 1;
  return std::string(one ? "The saved filter " : "The saved filters ") + named + " of " + filters.front().path +
         " could not be read, so " + (one ? "it is" : "they are") + " off.";
}

std::string ProgramFolderLine(const ProgramFolderChoice& choice) {
  if (!choice.user) return "Program folder: " + choice.folder + " (the folder that holds the program)";
  if (choice.folder.empty()) return "Program folder: none (the folder that holds the program may not be written)";
  return "Program folder: " + choice.folder + " (your own folder; the installed program's folder is read-only)";
}

std::string ProgramFolderMessage(const ProgramFolderChoice& choice) {
  const Status& s = choice.status;
  if (choice.folder.empty()) {
    return "Velmora cannot make its folder in your home folder: neither HOME nor XDG_DATA_HOME names an absolute "
           "path.";
  }
  if (choice.filling) return "Velmora cannot fill its folder " + choice.folder + " (" + s.path + "): " + s.reason;
  // A folder above it that must exist (HOME) is named.
  const std::string above = s.path == choice.folder ? "" : s.path + ": ";
  return "Velmora cannot make its folder " + choice.folder + ": " + above + s.reason;
}

std::string ProgramFolderFallbackMessage(const ProgramFolderChoice& choice) {
  return "The folder that holds the program, " + choice.readOnlyFolder + ", may not be written; " + choice.folder +
         " is used instead.";
}

std::string UsageErrorMessage(const Status& status) {
  if (status.line == 0) return status.detail + " (see velmora-batch --help)";
  return status.path + ", line " + std::to_string(status.line) + ": " + status.detail;
}

std::string QueriesFileMessage(const Status& status) {
  return "the queries file " + status.path + " could not be read: " + status.reason;
}

std::string FolderNotMadeMessage(const Status& status) {
  return "The folder " + status.path + " could not be made: " + status.reason + ".";
}

std::string UnknownDataSetMessage(const DataSetChoice& choice, const std::vector<std::string>& bundled, bool saved) {
  std::string names;
  for (const std::string& name : bundled) names += (names.empty() ? "" : ", ") + name;
  const std::string what = "'" + Echoed(choice.status.detail) + "'";
  return (saved ? "the data set " + what + " saved in UserSettings.txt" : "the data set " + what) +
         " is neither a bundled one (" + names + ") nor a folder that holds in.txt and AllSegments.txt";
}

std::string DataSetNotCopiedMessage(const std::string& name, const DataSetChoice& choice) {
  return "The data set " + name + " could not be copied into " + choice.folder + " (" + choice.status.path +
         "): " + choice.status.reason + ".";
}

std::string AboutMessage() {
  return std::string(
             "Velmora was programmed by its author, of the Department of Linguistics, in 2011, and is kept "
             "up by ") +
         kMaintainerName + ".  There is no Mac version.  Please contact " + kMaintainerName + " (" +
         kMaintainerEmail +
         ") with bugs, queries, and dictionary corrections.  Velmora is free software, licensed under the GNU "
         "General Public License, version 3 or any later version; it comes with no warranty.  The English "
         "dictionary comes from the CMU Pronouncing Dictionary (BSD licence, Carnegie Mellon University), its word "
         "counts from SUBTLEX-US (Brysbaert and New, 2009); each bundled data set keeps the licences of its "
         "sources, listed in data/README.md of the source and in /usr/share/doc/velmora/copyright of the "
         "package.";
}

}  // namespace velmora
