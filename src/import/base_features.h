// SPDX-License-Identifier: GPL-3.0-or-later
// The base feature tables an import takes its features from: each symbol is
// looked up as it is, then as its base (stress digit and Coda suffix
// removed), then as its base with the digit 0, in each table in turn. The
// values come in the columns of the first table; a column another table
// lacks is 0.
#ifndef VELMORA_IMPORT_BASE_FEATURES_H_
#define VELMORA_IMPORT_BASE_FEATURES_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/feature_table.h"
#include "platform/status.h"

namespace velmora::import {

class BaseFeatures {
 public:
  // Reads the table at `path` and adds it after those read before.
  Status Add(const std::string& path);
  // Adds the table that `contents` holds (as read from `path`).
  Status AddContents(std::string_view contents, const std::string& path);
  bool empty() const { return tables_.empty(); }

  // The feature names (those of the first table).
  const std::vector<std::string>& Names() const;
  // The symbol's values, one per name; nullopt when no table knows it.
  std::optional<std::string> Values(std::string_view symbol) const;
  // Whether the symbol's base is syllabic +.
  bool IsVowel(std::string_view symbol) const;
  // Every symbol of every table but [ and ], as its base, once each, in the
  // order of the tables.
  const std::vector<std::string>& BaseSymbols() const { return base_symbols_; }

 private:
  std::vector<FeatureTable> tables_;
  std::vector<std::string> base_symbols_;
  std::vector<std::string> no_names_;
};

}  // namespace velmora::import

#endif  // VELMORA_IMPORT_BASE_FEATURES_H_
