// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/base_features.h"

#include <algorithm>

#include "import/symbols.h"
#include "platform/files.h"
#include "platform/text.h"

namespace velmora::import {

Status BaseFeatures::Add(const std::string& path) {
  std::string contents;
  const Status read = ReadWholeFile(path, &contents);
  return read.ok() ? AddContents(contents, path) : read;
}

Status BaseFeatures::AddContents(std::string_view contents, const std::string& path) {
  FeatureTable table;
  const Status status = ReadFeatureTable(contents, path, &table);
  if (!status.ok()) return status;
  bool header = true;
  ForEachLine(contents, [&](std::string_view line) {
    const std::string_view symbol = TrimView(line.substr(0, line.find('\t')));
    if (symbol.empty()) return;
    if (std::exchange(header, false)) return;
    const std::string base(BaseSymbol(symbol));
    if (base == "[" || base == "]") return;
    if (std::find(base_symbols_.begin(), base_symbols_.end(), base) == base_symbols_.end()) {
      base_symbols_.push_back(base);
    }
  });
  tables_.push_back(std::move(table));
  return Status::Ok();
}

const std::vector<std::string>& BaseFeatures::Names() const {
  return tables_.empty() ? no_names_ : tables_.front().FeatureNames();
}

std::optional<std::string> BaseFeatures::Values(std::string_view symbol) const {
  const std::string base(BaseSymbol(symbol));
  const std::string forms[] = {std::string(symbol), base, base + "0"};
  for (const FeatureTable& table : tables_) {
    for (const std::string& form : forms) {
      if (!table.HasSymbol(form)) continue;
      std::string values;
      for (const std::string& name : Names()) {
        const int32_t feature = table.FeatureIndex(name);
        values += feature < 0 ? '0' : table.Value(form, feature);
      }
      return values;
    }
  }
  return std::nullopt;
}

bool BaseFeatures::IsVowel(std::string_view symbol) const {
  const std::optional<std::string> values = Values(symbol);
  if (!values || tables_.empty()) return false;
  const int32_t syllabic = tables_.front().FeatureIndex("syllabic");
  return syllabic >= 0 && (*values)[static_cast<size_t>(syllabic)] == '+';
}

}  // namespace velmora::import
