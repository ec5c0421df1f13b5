// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings.h"

#include <algorithm>
#include <string_view>

#include "platform/text.h"
#include "platform/files.h"

namespace velmora {

namespace {

constexpr std::array<const char*, kSettingCount> kLabels = {
    "Input file name:",
    "Box 1",
    "Box 2",
    "Box 3",
    "Box 4",
    "Box 5",
    "Ignore Box 1 in sorting",
    "Ignore Box 2 in sorting",
    "Ignore Box 3 in sorting",
    "Ignore Box 4 in sorting",
    "Ignore Box 5 in sorting",
    "Orthography search box",
    "Search syllabified data",
    "Location (full path) of your spreadsheet program:",
    "Location (full path) of your word processor or text editor:",
    "Exclude from counts all forms marked with annotations in the dictionary",
    "Example lists in Medium output files should be no longer than this number (in characters)",
    "Search vowels only",
    "Filter: lowest frequency",
    "Filter: highest frequency",
    "Filter: number of segments (MIN-MAX)",
    "Filter: number of syllables (MIN-MAX)",
    "Filter: stress pattern (0, 1, 2 and . for any vowel)",
    "Filter: number of neighbours (MIN-MAX)",
    "Filter: uniqueness point (MIN-MAX)",
    "Data set",
};

// The pairs every file holds; the filters' pairs follow only when one is set.
constexpr int kFilterSettingsFrom = kMinFrequency;
constexpr int kFilterSettingsTo = kUniquenessPoint + 1;

bool IsFilter(int setting) { return setting >= kFilterSettingsFrom && setting < kFilterSettingsTo; }

// The setting whose label the line is, exactly (no trimming, case counts);
// kSettingCount when it is none.
int LabelOf(std::string_view line) {
  for (int i = 0; i < kSettingCount; ++i) {
    if (line == kLabels[static_cast<size_t>(i)]) return i;
  }
  return kSettingCount;
}

// "yes" checks, anything else unchecks.
bool CheckedWhenYes(std::string_view value) { return value == "yes"; }

// Applies one pair. False for a filter whose value is not of its form (the
// filter is then off).
bool ApplySetting(Settings& s, int setting, std::string_view value) {
  switch (setting) {
    case kInputFileName:
      s.inputFileName = Trim(value);
      break;
    case kBox1: case kBox2: case kBox3: case kBox4: case kBox5:
      s.boxes[static_cast<size_t>(setting - kBox1)] = Trim(value);
      break;
    case kIgnore1: case kIgnore2: case kIgnore3: case kIgnore4: case kIgnore5:
      s.ignore[static_cast<size_t>(setting - kIgnore1)] = CheckedWhenYes(Trim(value));
      break;
    case kOrthography:
      s.orthography = Trim(value);
      break;
    case kSyllabified: {
      // Lowered but not trimmed; a value that is neither sets nothing.
      const std::string lowered = Lower(value);
      if (lowered != "yes" && lowered != "no") return true;
      s.syllabified = lowered == "yes";
      break;
    }
    case kSpreadsheetLocation:
      s.spreadsheetLocation = Trim(value);
      break;
    case kWordProcessorLocation:
      s.wordProcessorLocation = Trim(value);
      break;
    case kExclude:
      s.exclude = CheckedWhenYes(Trim(value));
      break;
    case kExampleLength:
      s.exampleLength = std::max<int32_t>(0, NumericValue(Trim(value)));
      break;
    case kVowels:
      // Exactly as read: no trimming, case counts.
      s.vowels = CheckedWhenYes(value);
      break;
    // A value not of its form is no filter.
    case kMinFrequency:
      if (!ParseFrequency(Trim(value), &s.filters.minFrequency)) return false;
      break;
    case kMaxFrequency:
      if (!ParseFrequency(Trim(value), &s.filters.maxFrequency)) return false;
      break;
    case kSegments:
      if (!ParseCountRange(Trim(value), &s.filters.segments)) return false;
      break;
    case kSyllables:
      if (!ParseCountRange(Trim(value), &s.filters.syllables)) return false;
      break;
    case kStress:
      if (!ParseStressPattern(Trim(value), &s.filters.stress)) return false;
      break;
    case kNeighbours:
      if (!ParseCountRange(Trim(value), &s.filters.neighbours)) return false;
      break;
    case kUniquenessPoint:
      if (!ParseCountRange(Trim(value), &s.filters.uniquenessPoint)) return false;
      break;
    case kDataSet:
      s.dataSet = Trim(value);
      break;
    default:
      return true;
  }
  s.read.set(static_cast<size_t>(setting));
  return true;
}

std::string YesNo(bool checked) { return checked ? "yes" : "no"; }

std::string SettingValue(const Settings& s, int setting) {
  switch (setting) {
    case kInputFileName:
      return Trim(s.inputFileName);
    case kBox1: case kBox2: case kBox3: case kBox4: case kBox5:
      return s.boxes[static_cast<size_t>(setting - kBox1)];
    case kIgnore1: case kIgnore2: case kIgnore3: case kIgnore4: case kIgnore5:
      return YesNo(s.ignore[static_cast<size_t>(setting - kIgnore1)]);
    case kOrthography:
      return s.orthography;
    case kSyllabified:
      return YesNo(s.syllabified);
    case kSpreadsheetLocation:
      return Trim(s.spreadsheetLocation);
    case kWordProcessorLocation:
      return Trim(s.wordProcessorLocation);
    case kExclude:
      return YesNo(s.exclude);
    case kExampleLength:
      return std::to_string(s.exampleLength);
    case kVowels:
      return YesNo(s.vowels);
    case kMinFrequency:
      return s.filters.minFrequency ? std::to_string(*s.filters.minFrequency) : std::string();
    case kMaxFrequency:
      return s.filters.maxFrequency ? std::to_string(*s.filters.maxFrequency) : std::string();
    case kSegments:
      return s.filters.segments ? s.filters.segments->Text() : std::string();
    case kSyllables:
      return s.filters.syllables ? s.filters.syllables->Text() : std::string();
    case kStress:
      return s.filters.stress;
    case kNeighbours:
      return s.filters.neighbours ? s.filters.neighbours->Text() : std::string();
    case kUniquenessPoint:
      return s.filters.uniquenessPoint ? s.filters.uniquenessPoint->Text() : std::string();
    case kDataSet: {
      std::string set = Trim(s.dataSet);
      return set == "en" ? std::string() : set;
    }
    default:
      return std::string();
  }
}

}  // namespace

std::vector<Status> ReadSettingsFile(const std::string& folder, Settings* settings) {
  const std::string path = folder + "/" + kSettingsFileName;
  std::string contents;
  if (!ReadWholeFile(path, &contents).ok()) return {};
  // The filter pairs that could not be read, by filter; a later pair of the
  // same filter that reads well stands instead.
  std::array<Status, kFilterSettingsTo - kFilterSettingsFrom> unreadable;
  auto lost = [&](int setting, int labelLine) {
    ApplySetting(*settings, setting, "");  // off
    unreadable[static_cast<size_t>(setting - kFilterSettingsFrom)] =
        Status::Malformed(path, labelLine, kLabels[static_cast<size_t>(setting)]);
  };
  int pending = kSettingCount;
  int pendingLine = 0;
  int lineNumber = 0;
  ForEachLine(contents, [&](std::string_view line) {
    ++lineNumber;
    // A filter's label followed by a label has lost its value line; the
    // label still counts. (The 18 older pairs take the next line, always.)
    if (IsFilter(pending) && LabelOf(line) != kSettingCount) {
      lost(pending, pendingLine);
      pending = kSettingCount;
    }
    if (pending != kSettingCount) {
      if (ApplySetting(*settings, pending, line)) {
        if (IsFilter(pending)) unreadable[static_cast<size_t>(pending - kFilterSettingsFrom)] = {};
      } else {
        lost(pending, pendingLine);
      }
      pending = kSettingCount;
    } else {
      pending = LabelOf(line);
      pendingLine = lineNumber;
    }
  });
  if (IsFilter(pending)) lost(pending, pendingLine);
  std::vector<Status> result;
  for (const Status& status : unreadable) {
    if (!status.ok()) result.push_back(status);
  }
  return result;
}

Status WriteSettingsFile(const std::string& folder, const Settings& settings) {
  const std::string path = folder + "/" + kSettingsFileName;
  OutputFile file;
  Status status = file.Open(path);
  if (status.ok()) {
    for (int setting = 0; setting < kSettingCount; ++setting) {
      if (IsFilter(setting) && !settings.filters.any()) continue;
      // The filters of the lexical statistics only while set, and the data
      // set only when it is not English, so that a file without them reads
      // as it always did.
      if (setting >= kNeighbours && SettingValue(settings, setting).empty()) continue;
      file.WriteLine(kLabels[static_cast<size_t>(setting)]);
      file.WriteLine(SettingValue(settings, setting));
    }
    status = file.Close();
  }
  if (status.path.empty()) status.path = path;
  return status;
}

}  // namespace velmora
