// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/filters.h"

#include <charconv>

namespace velmora {

namespace {

constexpr std::string_view kBlanks = " \t";

bool IsVowelSymbol(std::string_view symbol) {
  const char last = symbol.back();
  return last == '0' || last == '1' || last == '2';
}

// A whole number 0 or more, digits only.
bool ParseCount(std::string_view text, int32_t* out) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *out);
  return error == std::errc() && end == text.data() + text.size() && text.front() != '-' && text.front() != '+';
}

}  // namespace

std::string CountRange::Text() const {
  const bool open = max == std::numeric_limits<int32_t>::max();
  if (min == max) return std::to_string(min);
  if (open) return std::to_string(min) + "-";
  if (min == 0) return "-" + std::to_string(max);
  return std::to_string(min) + "-" + std::to_string(max);
}

bool LexicalFilters::Passes(int32_t frequency, std::string_view transcription) const {
  if (minFrequency && frequency < *minFrequency) return false;
  if (maxFrequency && frequency > *maxFrequency) return false;
  if (!segments && !syllables && stress.empty()) return true;
  int32_t symbols = 0;
  int32_t vowels = 0;
  bool stressFits = true;
  for (size_t p = transcription.find_first_not_of(kBlanks); p != std::string_view::npos;
       p = transcription.find_first_not_of(kBlanks, p)) {
    size_t end = transcription.find_first_of(kBlanks, p);
    if (end == std::string_view::npos) end = transcription.size();
    const std::string_view symbol = transcription.substr(p, end - p);
    ++symbols;
    if (IsVowelSymbol(symbol)) {
      if (!stress.empty()) {
        const size_t v = static_cast<size_t>(vowels);
        stressFits = stressFits && v < stress.size() && (stress[v] == '.' || stress[v] == symbol.back());
      }
      ++vowels;
    }
    p = end;
  }
  if (segments && !segments->Holds(symbols)) return false;
  if (syllables && !syllables->Holds(vowels)) return false;
  return stress.empty() || (stressFits && static_cast<size_t>(vowels) == stress.size());
}

bool ParseFrequency(std::string_view text, std::optional<int32_t>* out) {
  out->reset();
  if (text.empty()) return true;
  int32_t n = 0;
  if (!ParseCount(text, &n)) return false;
  *out = n;
  return true;
}

bool ParseCountRange(std::string_view text, std::optional<CountRange>* out) {
  out->reset();
  if (text.empty()) return true;
  CountRange range;
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos) {
    if (!ParseCount(text, &range.min)) return false;
    range.max = range.min;
  } else {
    const std::string_view low = text.substr(0, dash);
    const std::string_view high = text.substr(dash + 1);
    if (low.empty() && high.empty()) return false;
    if (!low.empty() && !ParseCount(low, &range.min)) return false;
    if (!high.empty() && !ParseCount(high, &range.max)) return false;
    if (range.min > range.max) return false;
  }
  *out = range;
  return true;
}

bool ParseStressPattern(std::string_view text, std::string* out) {
  out->clear();
  if (text.find_first_not_of("012.") != std::string_view::npos) return false;
  out->assign(text);
  return true;
}

std::string FiltersSuffix(const LexicalFilters& filters) {
  if (!filters.any()) return std::string();
  std::string text;
  auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
  if (filters.minFrequency) add("min frequency " + std::to_string(*filters.minFrequency));
  if (filters.maxFrequency) add("max frequency " + std::to_string(*filters.maxFrequency));
  if (filters.segments) add("segments " + filters.segments->Text());
  if (filters.syllables) add("syllables " + filters.syllables->Text());
  if (!filters.stress.empty()) add("stress " + filters.stress);
  if (filters.neighbours) add("neighbours " + filters.neighbours->Text());
  if (filters.uniquenessPoint) add("uniqueness point " + filters.uniquenessPoint->Text());
  return " (filters: " + text + ")";
}

}  // namespace velmora
