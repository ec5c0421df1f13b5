// SPDX-License-Identifier: GPL-3.0-or-later
// The feature table and the boxes that use it. The input is cut at NUL bytes:
// Features.txt, then a row of blank-separated segments, then up to five box
// texts. The table read is checked against the lines by a reading written
// here, and again with lone CRs written as CR LF. Each box is read with the
// table's symbols (and [ ]) as the known names: it is accepted, handed back as
// a plain unknown name exactly when it holds none of | ! { } ? * +, or refused
// with a message naming its box. The accepted boxes are compiled (boundaries
// only ever matched by name) and matched at every start of the framed row,
// against literal backtracking.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "features/feature_table.h"
#include "fuzz_support.h"
#include "lexicon/segmentation.h"
#include "platform/text.h"
#include "search/item_syntax.h"
#include "search/pattern.h"

namespace velmora::fuzz {
namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    fields.push_back(Trimmed(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start)));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// A table the reader accepted holds exactly the non-empty lines after the first.
void CheckTable(std::string_view contents, const FeatureTable& table) {
  std::vector<std::string_view> header;
  int32_t symbols = 0;
  for (std::string_view line : Lines(contents)) {
    if (Trimmed(line).empty()) continue;
    const std::vector<std::string_view> fields = Fields(line);
    if (header.empty()) {
      header = fields;
      FUZZ_CHECK(Lower(fields[0]) == "symbol");
      FUZZ_CHECK(table.FeatureNames().size() + 1 == fields.size());
      for (size_t f = 1; f < fields.size(); ++f) {
        FUZZ_CHECK(table.FeatureNames()[f - 1] == fields[f]);
        FUZZ_CHECK(table.FeatureIndex(fields[f]) == static_cast<int32_t>(f - 1));
      }
      continue;
    }
    FUZZ_CHECK(fields.size() == header.size());
    ++symbols;
    std::vector<FeatureValue> agreeing;
    for (size_t f = 1; f < fields.size(); ++f) {
      FUZZ_CHECK(fields[f] == "+" || fields[f] == "-" || fields[f] == "0");
      FUZZ_CHECK(table.Value(fields[0], static_cast<int32_t>(f - 1)) == fields[f][0]);
      if (fields[f] != "0") agreeing.push_back({static_cast<int32_t>(f - 1), fields[f] == "+"});
    }
    FUZZ_CHECK(table.Agrees(fields[0], agreeing));
  }
  FUZZ_CHECK(!header.empty());
  FUZZ_CHECK(table.NumberOfSymbols() == symbols);
}

bool Reference(const std::vector<PatternItem>& items, const std::vector<SymbolId>& row, size_t k, int32_t p,
               std::vector<int32_t>* ends) {
  if (k == items.size()) return true;
  const PatternItem& item = items[k];
  int32_t most = 0;
  while (p + most < static_cast<int32_t>(row.size()) && item.matches[row[static_cast<size_t>(p + most)]] != 0 &&
         (item.many || most < 1)) {
    ++most;
  }
  for (int32_t c = most; c >= item.min; --c) {
    (*ends)[k] = p + c;
    if (Reference(items, row, k + 1, p + c, ends)) return true;
  }
  return false;
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> parts = SplitInput(input, '\0', 7);
  const std::string_view contents = parts[0];

  FeatureTable table;
  const Status status = ReadFeatureTable(contents, "Features.txt", &table);
  const bool read = status.ok();
  FeatureTable again;
  const Status statusAgain = ReadFeatureTable(WithCrLfLineEnds(contents), "Features.txt", &again);
  FUZZ_CHECK(statusAgain.ok() == read);
  if (read) {
    CheckTable(contents, table);
    CheckTable(contents, again);
  } else {
    FUZZ_CHECK(status.kind == Status::kMalformed && status.path == "Features.txt" && !status.detail.empty());
    FUZZ_CHECK(status.line == statusAgain.line && status.detail == statusAgain.detail);
    FUZZ_CHECK(status.line <= static_cast<int>(CountLines(contents)));
    FUZZ_CHECK(table.NumberOfSymbols() == 0 && table.FeatureNames().empty());
  }

  // The symbols: the boundaries, the table's first symbols, the row's segments.
  SymbolTable symbols;
  symbols.Intern("[");
  symbols.Intern("]");
  int32_t fromTable = 0;
  for (std::string_view line : Lines(contents)) {
    if (fromTable++ > 0 && fromTable < 24) symbols.Intern(Fields(line)[0]);
  }
  std::vector<SymbolId> row = {symbols.Intern("[")};
  const std::string_view rowText = parts.size() > 1 ? parts[1] : std::string_view();
  for (size_t p = 0; p < rowText.size() && row.size() < 17;) {
    size_t q = rowText.find(' ', p);
    if (q == std::string_view::npos) q = rowText.size();
    if (q > p) row.push_back(symbols.Intern(rowText.substr(p, q - p)));
    p = q + 1;
  }
  row.push_back(symbols.Intern("]"));

  ItemContext context;
  context.isName = [&](std::string_view text) {
    const std::string lowered = Lower(text);
    for (SymbolId id = 1; id < symbols.size(); ++id) {
      if (Lower(symbols.Text(id)) == lowered) return true;
    }
    return false;
  };
  context.features = [&](Status* why) -> const FeatureTable* {
    if (read) return &table;
    *why = status;
    return nullptr;
  };
  const MatchesOfName matchesOfName = [&](std::string_view name) {
    std::vector<uint8_t> m(symbols.size(), 0);
    for (SymbolId id = 0; id < symbols.size(); ++id) m[id] = Lower(symbols.Text(id)) == Lower(name);
    return m;
  };

  std::vector<PatternItem> items;
  for (size_t b = 2; b < parts.size(); ++b) {
    const std::string_view text = parts[b];
    if (text.empty()) continue;
    const int box = static_cast<int>(b - 1);
    const ParsedItem item = ParseItem(text, box, context);
    const bool newCharacters = text.find_first_of("|!{}?*+") != std::string_view::npos;
    if (item.kind == ParsedItem::Kind::kPlainUnknownName) {
      FUZZ_CHECK(!newCharacters && !context.isName(text) && text != "...");
      continue;
    }
    if (item.kind == ParsedItem::Kind::kMalformed) {
      FUZZ_CHECK(newCharacters);
      FUZZ_CHECK(item.message.rfind("Box " + std::to_string(box) + ": ", 0) == 0);
      FUZZ_CHECK(item.features.ok() || !read);  // the table is named only when it could not be read
      continue;
    }
    FUZZ_CHECK(item.message.empty());
    FUZZ_CHECK(item.kind != ParsedItem::Kind::kPlain || context.isName(text) || text == "[" || text == "]");
    const PatternItem compiled = CompilePatternItem(item, matchesOfName, symbols, read ? &table : nullptr);
    FUZZ_CHECK(compiled.matches.size() == symbols.size());
    const bool byNameOnly = item.kind == ParsedItem::Kind::kAnySegments || item.negated || item.isBundle;
    for (SymbolId id = 0; id < symbols.size(); ++id) {
      const bool boundary = symbols.Text(id) == "[" || symbols.Text(id) == "]";
      if (byNameOnly && boundary) FUZZ_CHECK(compiled.matches[id] == 0);
      if (item.isBundle && !item.negated) {
        FUZZ_CHECK(compiled.matches[id] == (!boundary && table.Agrees(symbols.Text(id), item.bundle)));
      }
    }
    items.push_back(compiled);
  }

  Pattern pattern(items);
  const int32_t length = static_cast<int32_t>(row.size());
  const bool mayMatch = pattern.BeginEntry(row.data(), length);
  bool anyMatch = false;
  for (int32_t start = 0; start < length; ++start) {
    std::vector<int32_t> expected(items.size()), got(items.size());
    const bool want = Reference(items, row, 0, start, &expected);
    FUZZ_CHECK(pattern.MatchAt(start, got.data()) == want);
    if (want) FUZZ_CHECK(got == expected);
    anyMatch = anyMatch || want;
  }
  FUZZ_CHECK(mayMatch || !anyMatch);
  return 0;
}
