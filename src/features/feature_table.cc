#include "features/feature_table.h"

#include "lexicon/text.h"
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

bool ReadFeatureTable(std::string_view contents, const std::string& path, FeatureTable* out, std::string* error) {
  *out = FeatureTable();
  FeatureTable table;
  std::string damage;  // the first damage found, as "line N ..." or a reason
  int32_t lineNumber = 0;
  bool haveHeader = false;
  std::vector<std::string_view> fields;
  std::unordered_map<std::string, int32_t> lineOfSymbol;
  ForEachLine(contents, [&](std::string_view line) {
    ++lineNumber;
    if (!damage.empty() || TrimView(line).empty()) return;
    const std::string at = "line " + std::to_string(lineNumber);
    SplitFields(line, &fields);
    if (!haveHeader) {
      haveHeader = true;
      if (Lower(fields[0]) != "symbol") {
        damage = at + " begins with " + Quoted(fields[0]) + " where the first line must begin with Symbol";
        return;
      }
      for (size_t f = 1; f < fields.size() && damage.empty(); ++f) {
        const std::string_view name = fields[f];
        const std::string lowered = Lower(name);
        if (name.empty()) {
          damage = at + " has an empty feature name in field " + std::to_string(f + 1);
        } else if (name.find_first_of(" \t") != std::string_view::npos) {
          damage = at + " has the feature name " + Quoted(name) + ", which holds a blank";
        } else if (table.featureOfName_.count(lowered) != 0) {
          damage = at + " names the feature " + Quoted(name) + " twice";
        } else {
          table.featureOfName_.emplace(lowered, static_cast<int32_t>(table.names_.size()));
          table.names_.emplace_back(name);
        }
      }
      return;
    }
    const size_t expected = table.names_.size() + 1;
    if (fields.size() != expected) {
      damage = at + " has " + std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") +
               ", but the first line has " + std::to_string(expected);
      return;
    }
    if (fields[0].empty()) {
      damage = at + " has an empty symbol";
      return;
    }
    const std::string symbol = Lower(fields[0]);
    if (const auto it = lineOfSymbol.find(symbol); it != lineOfSymbol.end()) {
      damage = at + " repeats the symbol " + Quoted(fields[0]) + " of line " + std::to_string(it->second);
      return;
    }
    for (size_t f = 1; f < fields.size(); ++f) {
      const std::string_view value = fields[f];
      if (value != "+" && value != "-" && value != "0") {
        damage = at + " gives " + Quoted(fields[0]) + " the value " + Quoted(value) + " for " + table.names_[f - 1] +
                 ", where a value is +, - or 0";
        return;
      }
      table.values_.push_back(value[0]);
    }
    lineOfSymbol.emplace(symbol, lineNumber);
    table.rowOfSymbol_.emplace(symbol, table.symbols_++);
  });
  if (damage.empty() && !haveHeader) damage = contents.empty() ? "it is empty" : "it holds only empty lines";
  if (!damage.empty()) {
    *error = "the feature table " + path + " is damaged: " + damage;
    return false;
  }
  *out = std::move(table);
  return true;
}

bool LoadFeatureTable(const std::string& path, FeatureTable* out, std::string* error) {
  *out = FeatureTable();
  std::string contents;
  if (Status read = ReadWholeFile(path, &contents); !read.ok()) {
    *error = "the feature table " + path + " could not be read: " + read.reason;
    return false;
  }
  return ReadFeatureTable(contents, path, out, error);
}

}  // namespace velmora
