// SPDX-License-Identifier: GPL-3.0-or-later
// The user settings file UserSettings.txt in the program folder: 18 pairs of a
// label line and a value line, which keep the boxes, the options, the
// example-length limit and the two program locations from one run to the next;
// then, only when a lexical filter is set, five more pairs for the filters (a
// file without them reads as no filter, and a file of a search without
// filters is byte for byte what it always was); last, only for a data set
// other than English, the data set's pair.
#ifndef VELMORA_ENGINE_SETTINGS_H_
#define VELMORA_ENGINE_SETTINGS_H_

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/status.h"
#include "search/filters.h"
#include "search/query.h"

namespace velmora {

inline constexpr const char* kSettingsFileName = "UserSettings.txt";

// The pairs of the file, in the order they are written.
enum Setting {
  kInputFileName,
  kBox1, kBox2, kBox3, kBox4, kBox5,
  kIgnore1, kIgnore2, kIgnore3, kIgnore4, kIgnore5,
  kOrthography,
  kSyllabified,
  kSpreadsheetLocation,
  kWordProcessorLocation,
  kExclude,
  kExampleLength,
  kVowels,
  kMinFrequency,
  kMaxFrequency,
  kSegments,
  kSyllables,
  kStress,
  kNeighbours,       // written only while set
  kUniquenessPoint,  // written only while set
  kDataSet,          // written only when it is not English
  kSettingCount
};

// The values of the file, with the initial values of the main window's
// controls where the file says nothing.
struct Settings {
  std::string inputFileName = "in.txt";
  std::array<std::string, kMaxItems> boxes;
  std::array<bool, kMaxItems> ignore{};
  std::string orthography;
  bool syllabified = false;
  std::string spreadsheetLocation;
  std::string wordProcessorLocation;
  bool exclude = false;
  int32_t exampleLength = 100;
  bool vowels = false;
  LexicalFilters filters;
  // The data set: "" (or "en") English, a bundled set's name, or a folder.
  std::string dataSet;
  // The settings the file set (a value that sets nothing, such as a
  // syllabified choice other than yes or no, leaves its bit clear).
  std::bitset<kSettingCount> read;
};

// Applies the pairs of folder's UserSettings.txt to *settings, in the order of
// the file. A line that is a label (exactly) makes the next line its value,
// whatever that line reads like; other lines are skipped one at a time.
// Without a readable file nothing changes. A filter's label is read by
// label: when the line after it is a label, its value line is missing. A
// filter whose value is missing or not of its form is off; each such filter
// is returned once, as kMalformed with the file, the line of its label and
// the label as the detail.
std::vector<Status> ReadSettingsFile(const std::string& folder, Settings* settings);
// Writes every pair to folder's UserSettings.txt.
Status WriteSettingsFile(const std::string& folder, const Settings& settings);

}  // namespace velmora

#endif  // VELMORA_ENGINE_SETTINGS_H_
