// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_table.h"

#include "platform/text.h"
#include "platform/files.h"

namespace velmora {
namespace {

// The fields of a line cut at every TAB, each trimmed of blanks.
void SplitFields(std::string_view line, std::vector<std::string_view>* fields) {
  fields->clear();
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    fields->push_back(TrimView(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start)));
    if (tab == std::string_view::npos) return;
    start = tab + 1;
  }
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

int32_t FeatureTable::FeatureIndex(std::string_view name) const {
  const auto it = featureOfName_.find(Lower(name));
  return it == featureOfName_.end() ? -1 : it->second;
}

int32_t FeatureTable::RowOf(std::string_view symbol) const {
  const auto it = rowOfSymbol_.find(Lower(symbol));
  return it == rowOfSymbol_.end() ? -1 : it->second;
}

char FeatureTable::Value(std::string_view symbol, int32_t feature) const {
  const int32_t row = RowOf(symbol);
  if (row < 0 || feature < 0 || static_cast<size_t>(feature) >= names_.size()) return '\0';
  return values_[static_cast<size_t>(row) * names_.size() + static_cast<size_t>(feature)];
}

bool FeatureTable::Agrees(std::string_view symbol, const std::vector<FeatureValue>& bundle) const {
  const int32_t row = RowOf(symbol);
  if (row < 0) return false;
  const char* values = values_.data() + static_cast<size_t>(row) * names_.size();
  for (const FeatureValue& wanted : bundle) {
    if (wanted.feature < 0 || static_cast<size_t>(wanted.feature) >= names_.size()) return false;
    if (values[wanted.feature] != (wanted.plus ? '+' : '-')) return false;
  }
  return true;
}

// Reads a table line by line; the first damage found ends the reading.
class FeatureTableReader {
 public:
  explicit FeatureTableReader(const std::string& path) : path_(path) { table_.path_ = path; }

  Status Read(std::string_view contents) {
    ForEachLine(contents, [&](std::string_view line) {
      ++line_;
      if (!status_.ok() || TrimView(line).empty()) return;
      SplitFields(line, &fields_);
      if (haveHeader_) {
        Row();
      } else {
        haveHeader_ = true;
        Header();
      }
    });
    if (status_.ok() && !haveHeader_) {
      status_ = Status::Malformed(path_, 0, contents.empty() ? "it is empty" : "it holds only empty lines");
    }
    return status_;
  }

  FeatureTable& table() { return table_; }

 private:
  void Damage(std::string detail) { status_ = Status::Malformed(path_, line_, std::move(detail)); }

  void Header() {
    if (Lower(fields_[0]) != "symbol") {
      return Damage("begins with " + Quoted(fields_[0]) + " where the first line must begin with Symbol");
    }
    for (size_t f = 1; f < fields_.size(); ++f) {
      const std::string_view name = fields_[f];
      const std::string lowered = Lower(name);
      if (name.empty()) return Damage("has an empty feature name in field " + std::to_string(f + 1));
      if (name.find_first_of(" \t") != std::string_view::npos) {
        return Damage("has the feature name " + Quoted(name) + ", which holds a blank");
      }
      if (table_.featureOfName_.count(lowered) != 0) return Damage("names the feature " + Quoted(name) + " twice");
      table_.featureOfName_.emplace(lowered, static_cast<int32_t>(table_.names_.size()));
      table_.names_.emplace_back(name);
    }
  }

  void Row() {
    const size_t expected = table_.names_.size() + 1;
    if (fields_.size() != expected) {
      return Damage("has " + std::to_string(fields_.size()) + (fields_.size() == 1 ? " field" : " fields") +
                    ", but the first line has " + std::to_string(expected));
    }
    if (fields_[0].empty()) return Damage("has an empty symbol");
    const std::string symbol = Lower(fields_[0]);
    if (const auto it = lineOfSymbol_.find(symbol); it != lineOfSymbol_.end()) {
      return Damage("repeats the symbol " + Quoted(fields_[0]) + " of line " + std::to_string(it->second));
    }
    for (size_t f = 1; f < fields_.size(); ++f) {
      const std::string_view value = fields_[f];
      if (value != "+" && value != "-" && value != "0") {
        return Damage("gives " + Quoted(fields_[0]) + " the value " + Quoted(value) + " for " +
                      table_.names_[f - 1] + ", where a value is +, - or 0");
      }
      table_.values_.push_back(value[0]);
    }
    lineOfSymbol_.emplace(symbol, line_);
    table_.rowOfSymbol_.emplace(symbol, table_.symbols_++);
  }

  const std::string& path_;
  FeatureTable table_;
  Status status_;
  int line_ = 0;
  bool haveHeader_ = false;
  std::vector<std::string_view> fields_;
  std::unordered_map<std::string, int> lineOfSymbol_;
};

Status ReadFeatureTable(std::string_view contents, const std::string& path, FeatureTable* out) {
  *out = FeatureTable();
  FeatureTableReader reader(path);
  Status status = reader.Read(contents);
  if (status.ok()) *out = std::move(reader.table());
  return status;
}

Status LoadFeatureTable(const std::string& path, FeatureTable* out) {
  *out = FeatureTable();
  std::string contents;
  if (Status read = ReadWholeFile(path, &contents); !read.ok()) return read;
  return ReadFeatureTable(contents, path, out);
}

}  // namespace velmora
