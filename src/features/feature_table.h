// SPDX-License-Identifier: GPL-3.0-or-later
// The feature table: each symbol of the inventory with a value (+, - or 0) for
// each distinctive feature, read from Features.txt of the program folder, and
// the agreement of a symbol with a feature bundle such as {+voice -sonorant}.
//
// File format: a first line "Symbol" then the feature names, TAB-separated;
// every further line a symbol and one value per feature. Fields are trimmed of
// blanks; empty lines are skipped; symbols and feature names are not case
// sensitive. A value 0 (not applicable) agrees with neither +f nor -f.
#ifndef VELMORA_FEATURES_FEATURE_TABLE_H_
#define VELMORA_FEATURES_FEATURE_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/status.h"

namespace velmora {

// One token of a bundle: +name (plus) or -name, the feature by its index.
struct FeatureValue {
  int32_t feature = 0;
  bool plus = true;
  bool operator==(const FeatureValue&) const = default;
};

class FeatureTable {
 public:
  // Index of the feature of that name (not case sensitive); -1 when none.
  int32_t FeatureIndex(std::string_view name) const;
  // The feature names as the file writes them.
  const std::vector<std::string>& FeatureNames() const { return names_; }
  int32_t NumberOfSymbols() const { return symbols_; }
  // Whether the symbol (not case sensitive) has a line.
  bool HasSymbol(std::string_view symbol) const { return RowOf(symbol) >= 0; }
  // The file the table was read from.
  const std::string& path() const { return path_; }

  // '+', '-' or '0' for the symbol (not case sensitive) and feature index;
  // 0 (the NUL character) when the symbol has no line.
  char Value(std::string_view symbol, int32_t feature) const;

  // True when the symbol has a line and its value of every listed feature is
  // the listed one. A symbol without a line agrees with no bundle; {+f -f}
  // agrees with nothing.
  bool Agrees(std::string_view symbol, const std::vector<FeatureValue>& bundle) const;

 private:
  friend class FeatureTableReader;
  int32_t RowOf(std::string_view symbol) const;

  std::vector<std::string> names_;
  std::unordered_map<std::string, int32_t> featureOfName_;  // lowered name -> index
  std::unordered_map<std::string, int32_t> rowOfSymbol_;    // lowered symbol -> row
  std::vector<char> values_;                                // row * names_.size() + feature
  int32_t symbols_ = 0;
  std::string path_;
};

// Reads the contents of a feature table file. On damage leaves *out empty and
// returns kMalformed with path, the line (0 when the damage is not on one
// line) and what is wrong there, e.g. "has 5 fields, but the first line has 24".
Status ReadFeatureTable(std::string_view contents, const std::string& path, FeatureTable* out);

// Reads the file at path and then its contents as above; a missing or
// unreadable file gives the status of the failed read.
Status LoadFeatureTable(const std::string& path, FeatureTable* out);

}  // namespace velmora

#endif  // VELMORA_FEATURES_FEATURE_TABLE_H_
