// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace velmora {

std::string_view TrimView(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return text.substr(b, e - b);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

int32_t NumericValue(std::string_view text) {
  // Plain digits, as nearly every dictionary field is.
  if (!text.empty() && text.size() <= 9 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    int32_t value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
  }
  size_t i = 0;
  const size_t n = text.size();
  auto skip = [&] {
    while (i < n && text[i] == ' ') ++i;
  };
  skip();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // The whole part saturates well above the 32-bit range; the fraction only
  // decides the rounding.
  constexpr int64_t kCap = int64_t{1} << 40;
  int64_t whole = 0;
  skip();
  while (i < n && text[i] >= '0' && text[i] <= '9') {
    whole = std::min(kCap, whole * 10 + (text[i] - '0'));
    ++i;
    skip();
  }
  if (i < n && text[i] == '.') {
    ++i;
    skip();
    int first = -1;        // first fractional digit
    bool restNonZero = false;  // any non-zero digit after it
    while (i < n && text[i] >= '0' && text[i] <= '9') {
      int d = text[i] - '0';
      if (first < 0) {
        first = d;
      } else if (d != 0) {
        restNonZero = true;
      }
      ++i;
      skip();
    }
    if (first > 5 || (first == 5 && (restNonZero || whole % 2 == 1))) whole += 1;
  }
  int64_t value = negative ? -whole : whole;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

size_t CharLengthAt(std::string_view text, size_t pos) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  unsigned char c = s[pos];
  if (c < 0x80) return 1;
  size_t len;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 1;
  }
  if (pos + len > n) return 1;
  if (s[pos + 1] < lo || s[pos + 1] > hi) return 1;
  for (size_t k = 2; k < len; ++k) {
    if ((s[pos + k] & 0xC0) != 0x80) return 1;
  }
  return len;
}

uint64_t HashBytes(std::string_view text) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  h ^= h >> 29;
  h *= 0xbf58476d1ce4e5b9ull;
  return h ^ (h >> 32);
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) ++count;
  return count;
}

std::string Reversed(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
    return std::string(text.rbegin(), text.rend());
  }
  std::string out(text.size(), '\0');
  size_t w = text.size();
  for (size_t i = 0; i < text.size();) {
    size_t len = CharLengthAt(text, i);
    w -= len;
    out.replace(w, len, text.substr(i, len));
    i += len;
  }
  return out;
}

namespace {
// Byte offset at which the last n characters begin (0 when there are fewer).
size_t StartOfLastChars(std::string_view text, size_t n) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) starts.push_back(i);
  return n >= starts.size() ? 0 : starts[starts.size() - n];
}
}  // namespace

std::string DropLastChars(std::string_view text, size_t n) {
  if (n == 0) return std::string(text);
  size_t chars = CharCount(text);
  if (chars <= n) return std::string();
  return std::string(text.substr(0, StartOfLastChars(text, n)));
}

std::string_view LastChars(std::string_view text, size_t n) {
  if (n == 0) return text.substr(text.size());
  return text.substr(StartOfLastChars(text, n));
}

namespace {
void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t DecodeUtf8(std::string_view text, size_t pos, size_t len) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data()) + pos;
  if (len == 2) return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
  if (len == 3) return ((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
  return ((s[0] & 0x07) << 18) | ((s[1] & 0x3F) << 12) | ((s[2] & 0x3F) << 6) | (s[3] & 0x3F);
}

// Unicode's simple lower-case mapping, taken from ICU when building (see
// gen/lower_case_table_gen.cc): first, first + stride, ... up to last each map
// to themselves plus delta; every other code point maps to itself.
struct LowerCaseRow {
  char32_t first;
  char32_t last;
  int32_t delta;
  char32_t stride;  // 1 or 2
};

constexpr LowerCaseRow kLowerCaseRows[] = {
#include "platform/lower_case_table.inc"
};

constexpr bool RowsAreSortedAndApart() {
  for (size_t i = 0; i < std::size(kLowerCaseRows); ++i) {
    const LowerCaseRow& row = kLowerCaseRows[i];
    if (row.first > row.last || (row.stride != 1 && row.stride != 2)) return false;
    if (i > 0 && kLowerCaseRows[i - 1].last >= row.first) return false;
  }
  return true;
}
static_assert(RowsAreSortedAndApart(), "the lower-case rows must be sorted and not overlap");

char32_t LowerCodePoint(char32_t cp) {
  // The last row that starts at or before cp.
  const LowerCaseRow* row = std::upper_bound(
      std::begin(kLowerCaseRows), std::end(kLowerCaseRows), cp,
      [](char32_t value, const LowerCaseRow& r) { return value < r.first; });
  if (row == std::begin(kLowerCaseRows)) return cp;
  --row;
  if (cp > row->last || (cp - row->first) % row->stride != 0) return cp;
  return static_cast<char32_t>(static_cast<int32_t>(cp) + row->delta);
}
}  // namespace

std::string Lower(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : static_cast<char>(c);
      ++i;
      continue;
    }
    size_t len = CharLengthAt(text, i);
    if (len == 1) {
      out += static_cast<char>(c);
    } else {
      char32_t cp = DecodeUtf8(text, i, len);
      AppendUtf8(out, LowerCodePoint(cp));
    }
    i += len;
  }
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view contents) {
  std::vector<std::string_view> lines;
  ForEachLine(contents, [&](std::string_view line) { lines.push_back(line); });
  return lines;
}

namespace {
// Appends what follows the backslash at text[i] inside double quotes; returns
// the index of the last byte used. Only $, `, ", \ and a line feed are escaped.
size_t DoubleQuotedBackslash(std::string_view text, size_t i, std::string& word) {
  if (i + 1 < text.size() && std::string_view("$`\"\\\n").find(text[i + 1]) != std::string_view::npos) {
    if (text[i + 1] != '\n') word += text[i + 1];  // a backslash before a line feed joins the lines
    return i + 1;
  }
  word += '\\';
  return i;
}
}  // namespace

std::vector<std::string> SplitShellWords(std::string_view text, bool* closed) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quotesClosed = true;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    if (c == '#' && !inWord) {  // a comment, to the end of the line
      while (i + 1 < n && text[i + 1] != '\n') ++i;
      continue;
    }
    if (c == '\\' && i + 1 < n && text[i + 1] == '\n') {  // joins two lines
      ++i;
      continue;
    }
    inWord = true;
    if (c == '\'' || c == '"') {
      for (++i; i < n && text[i] != c; ++i) {
        if (c == '"' && text[i] == '\\') {
          i = DoubleQuotedBackslash(text, i, word);
        } else {
          word += text[i];
        }
      }
      quotesClosed = quotesClosed && i < n;
    } else if (c == '\\' && i + 1 < n) {
      word += text[++i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(word);
  if (closed != nullptr) *closed = quotesClosed;
  return words;
}

namespace {
// Whether the character of len bytes at text[pos] may be shown as it is: not
// a control character (C0, DEL, C1) and valid UTF-8.
bool ShownAsItIs(std::string_view text, size_t pos, size_t len) {
  const auto c = static_cast<unsigned char>(text[pos]);
  if (len == 1) return c >= 0x20 && c < 0x7F;
  return !(c == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0);
}
}  // namespace

std::string Echoed(std::string_view text) {
  constexpr size_t kMaxEchoedChars = 80;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) {
    if (chars == kMaxEchoedChars) return out + "...";
    const size_t len = CharLengthAt(text, i);
    if (ShownAsItIs(text, i, len)) {
      out.append(text.substr(i, len));
    } else {
      for (size_t k = 0; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
      }
    }
    i += len;
  }
  return out;
}

}  // namespace velmora
