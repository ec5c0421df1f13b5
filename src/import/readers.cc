// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/readers.h"

#include <cmath>

#include "platform/text.h"

namespace velmora::import {
namespace {

constexpr std::string_view kPrimaryMark = "ˈ";
constexpr std::string_view kSecondaryMark = "ˌ";
constexpr char kSeparators[] = {',', '\t', ':', '|'};

std::string_view WithoutByteOrderMark(std::string_view contents) {
  if (contents.substr(0, 3) == "\xEF\xBB\xBF") contents.remove_prefix(3);
  return contents;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The fields of a line cut at `separator`, each trimmed of blanks; a field
// may stand in double quotes, "" inside standing for one. Nullopt when a
// quote is never closed.
std::optional<std::vector<std::string>> CsvFields(std::string_view line, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false, in_quotes = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (in_quotes) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        in_quotes = false;
      }
    } else if (c == '"' && TrimBlanks(fields.back()).empty() && !quoted) {
      fields.back().clear();
      quoted = in_quotes = true;
    } else if (c == separator) {
      fields.emplace_back();
      quoted = false;
    } else if (!quoted || (c != ' ' && c != '\t')) {
      fields.back() += c;
    }
  }
  if (in_quotes) return std::nullopt;
  for (std::string& field : fields) {
    if (std::string_view(field) != TrimBlanks(field)) field = std::string(TrimBlanks(field));
  }
  return fields;
}

struct CsvColumns {
  char separator = ',';
  int spelling = -1, transcription = -1, frequency = -1;
};

// The columns a header line names, with the separator that cuts it so.
std::optional<CsvColumns> HeaderColumns(std::string_view line) {
  for (const char separator : kSeparators) {
    const auto fields = CsvFields(line, separator);
    if (!fields) continue;
    CsvColumns columns;
    columns.separator = separator;
    for (size_t i = 0; i < fields->size(); ++i) {
      const std::string name = Lower((*fields)[i]);
      const int at = static_cast<int>(i);
      if (name == "spelling") columns.spelling = at;
      if (name == "transcription") columns.transcription = at;
      if (name == "frequency") columns.frequency = at;
    }
    if (columns.spelling >= 0 && columns.transcription >= 0) return columns;
  }
  return std::nullopt;
}

// A frequency: a whole or decimal number of at least 0, rounded; an empty
// field is 0. False when it is no such number.
bool ParseFrequency(std::string_view text, long long* out) {
  *out = 0;
  if (text.empty()) return true;
  size_t digits = 0, point = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      ++digits;
    } else if (text[i] == '.' && point == std::string_view::npos) {
      point = i;
    } else {
      return false;
    }
  }
  if (digits == 0 || text.size() > 18) return false;
  *out = std::llround(std::stod(std::string(text)));
  return *out <= 2147483647;
}

// A csv transcription: . and blanks between segments, - between syllables,
// ' ˈ ˌ before a syllable.
std::vector<Token> CsvTokens(std::string_view text) {
  std::vector<Token> tokens;
  std::string segment;
  const auto end_segment = [&] {
    if (!segment.empty()) tokens.push_back({Token::kSegment, std::move(segment), false});
    segment.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string_view rest = text.substr(i);
    Token::Kind mark = Token::kSegment;
    if (text[i] == '\'' || rest.starts_with(kPrimaryMark)) mark = Token::kPrimary;
    if (rest.starts_with(kSecondaryMark)) mark = Token::kSecondary;
    if (text[i] == '-') mark = Token::kSyllable;
    if (mark != Token::kSegment || text[i] == '.' || text[i] == ' ' || text[i] == '\t') {
      end_segment();
      if (mark != Token::kSegment) tokens.push_back({mark, "", false});
      if (mark == Token::kPrimary || mark == Token::kSecondary) i += rest[0] == '\'' ? 0 : 1;
      continue;
    }
    segment += text[i];
  }
  end_segment();
  return tokens;
}

bool HasSegment(const std::vector<Token>& tokens) {
  for (const Token& token : tokens) {
    if (token.kind == Token::kSegment) return true;
  }
  return false;
}

}  // namespace

std::optional<Format> FormatNamed(std::string_view name) {
  if (name == "csv") return Format::kCsv;
  if (name == "ipa") return Format::kIpa;
  if (name == "cmu") return Format::kCmu;
  return std::nullopt;
}

std::optional<Format> GuessFormat(std::string_view contents) {
  std::optional<Format> format;
  bool seen = false;
  ForEachLine(WithoutByteOrderMark(contents), [&](std::string_view line) {
    line = TrimBlanks(line);
    if (seen || line.empty()) return;
    seen = true;
    if (line.starts_with(";;;")) {
      format = Format::kCmu;
    } else if (HeaderColumns(line)) {
      format = Format::kCsv;
    } else if (const size_t tab = line.find('\t'); tab != std::string_view::npos) {
      const std::string_view rest = TrimBlanks(line.substr(tab + 1));
      if (rest.starts_with("/") || rest.starts_with("[")) format = Format::kIpa;
    } else if (const size_t blank = line.find(' '); blank != std::string_view::npos) {
      const std::string_view rest = TrimBlanks(line.substr(blank));
      const bool arpabet = rest.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ012 ") == std::string_view::npos;
      if (arpabet) format = Format::kCmu;
    }
  });
  return format;
}

Reading ReadCsv(std::string_view contents) {
  Reading reading;
  std::optional<CsvColumns> columns;
  int number = 0;
  ForEachLine(WithoutByteOrderMark(contents), [&](std::string_view line) {
    ++number;
    if (TrimBlanks(line).empty()) return;
    if (!columns) {
      columns = HeaderColumns(line);
      if (!columns) reading.skipped_lines.push_back(number);
      reading.has_frequency = columns && columns->frequency >= 0;
      return;
    }
    const auto fields = CsvFields(line, columns->separator);
    const int needed = std::max({columns->spelling, columns->transcription, columns->frequency});
    if (!fields || static_cast<int>(fields->size()) <= needed) {
      reading.skipped_lines.push_back(number);
      return;
    }
    RawEntry entry{(*fields)[columns->spelling], CsvTokens((*fields)[columns->transcription]), 0, number};
    if (entry.spelling.empty() || entry.spelling.find('\t') != std::string::npos || !HasSegment(entry.tokens)) {
      reading.skipped_lines.push_back(number);
      return;
    }
    if (columns->frequency >= 0 && !ParseFrequency((*fields)[columns->frequency], &entry.frequency)) {
      reading.frequency_lines.push_back(number);
    }
    reading.entries.push_back(std::move(entry));
  });
  reading.header_found = columns.has_value();
  return reading;
}

Reading ReadIpa(std::string_view contents, const Segmenter& segmenter) {
  Reading reading;
  int number = 0;
  ForEachLine(WithoutByteOrderMark(contents), [&](std::string_view line) {
    ++number;
    if (TrimBlanks(line).empty()) return;
    const size_t tab = line.find('\t');
    const std::string_view spelling = TrimBlanks(line.substr(0, tab));
    std::string_view rest = tab == std::string_view::npos ? "" : TrimBlanks(line.substr(tab + 1));
    const size_t before = reading.entries.size();
    while (!spelling.empty() && !rest.empty()) {
      size_t comma = rest.find(", ");
      std::string_view ipa = TrimBlanks(rest.substr(0, comma));
      rest = comma == std::string_view::npos ? "" : rest.substr(comma + 2);
      if (ipa.size() >= 2 && (ipa.front() == '/' || ipa.front() == '[')) ipa = ipa.substr(1);
      if (!ipa.empty() && (ipa.back() == '/' || ipa.back() == ']')) ipa.remove_suffix(1);
      std::vector<Token> tokens = segmenter.Cut(ipa);
      if (HasSegment(tokens)) reading.entries.push_back({std::string(spelling), std::move(tokens), 0, number});
    }
    if (reading.entries.size() == before) reading.skipped_lines.push_back(number);
  });
  return reading;
}

Reading ReadCmu(std::string_view contents) {
  Reading reading;
  int number = 0;
  ForEachLine(WithoutByteOrderMark(contents), [&](std::string_view line) {
    ++number;
    line = TrimBlanks(line);
    if (line.empty() || line.starts_with(";;;")) return;
    if (const size_t comment = line.find(" #"); comment != std::string_view::npos) line = line.substr(0, comment);
    const size_t blank = line.find_first_of(" \t");
    std::string_view word = line.substr(0, blank);
    if (word.size() > 3 && word.back() == ')') {
      const size_t open = word.rfind('(');
      const std::string_view variant = word.substr(open + 1, word.size() - open - 2);
      if (open != std::string_view::npos && open > 0 && !variant.empty() &&
          variant.find_first_not_of("0123456789") == std::string_view::npos) {
        word = word.substr(0, open);
      }
    }
    RawEntry entry{std::string(word), {}, 0, number};
    std::string_view rest = blank == std::string_view::npos ? "" : line.substr(blank);
    for (size_t i = 0; i < rest.size();) {
      const size_t start = rest.find_first_not_of(" \t", i);
      if (start == std::string_view::npos) break;
      const size_t end = std::min(rest.find_first_of(" \t", start), rest.size());
      entry.tokens.push_back({Token::kSegment, std::string(rest.substr(start, end - start)), false});
      i = end;
    }
    if (entry.tokens.empty()) {
      reading.skipped_lines.push_back(number);
    } else {
      reading.entries.push_back(std::move(entry));
    }
  });
  return reading;
}

}  // namespace velmora::import
