// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/symbols.h"

#include <algorithm>

#include "platform/text.h"

namespace velmora::import {

std::string_view BaseSymbol(std::string_view symbol) {
  constexpr std::string_view kCoda = "Coda";
  if (symbol.size() > kCoda.size() && symbol.substr(symbol.size() - kCoda.size()) == kCoda) {
    return symbol.substr(0, symbol.size() - kCoda.size());
  }
  if (HasStressDigit(symbol)) symbol.remove_suffix(1);
  return symbol;
}

bool HasStressDigit(std::string_view symbol) {
  return symbol.size() > 1 && symbol.back() >= '0' && symbol.back() <= '2';
}

std::vector<std::string> AssignStress(const std::vector<Token>& tokens,
                                      const std::function<bool(std::string_view)>& is_vowel) {
  const bool marked = std::any_of(tokens.begin(), tokens.end(), [](const Token& t) {
    return t.kind == Token::kPrimary || t.kind == Token::kSecondary;
  });
  std::vector<std::string> segments;
  char level = '0';   // the digit of the current syllable's first vowels
  int run = 0;        // 0 before its first vowel, 1 in that run of vowels, 2 after
  for (const Token& token : tokens) {
    if (token.kind != Token::kSegment) {
      level = token.kind == Token::kPrimary ? '1' : token.kind == Token::kSecondary ? '2' : '0';
      run = 0;
      continue;
    }
    const bool vowel = is_vowel(token.text);
    if (!vowel) {
      if (run == 1) run = 2;
      segments.push_back(token.text);
      continue;
    }
    if (run == 0) run = 1;
    if (HasStressDigit(token.text)) {
      segments.push_back(token.text);
    } else {
      segments.push_back(token.text + (marked && run == 1 ? level : '0'));
    }
  }
  return segments;
}

namespace {

// The code point that starts at text[pos] (the byte itself when it starts no
// valid sequence) and its length in bytes.
char32_t CodePointAt(std::string_view text, size_t pos, size_t* length) {
  *length = CharLengthAt(text, pos);
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  if (*length == 1) return byte(0);
  char32_t cp = byte(0) & (0xFF >> (*length + 1));
  for (size_t i = 1; i < *length; ++i) cp = (cp << 6) | (byte(i) & 0x3F);
  return cp;
}

bool IsCombining(char32_t cp) { return cp >= 0x300 && cp <= 0x36F; }
bool IsTieBar(char32_t cp) { return cp == 0x361 || cp == 0x35C; }
bool IsLength(char32_t cp) { return cp == 0x2D0 || cp == 0x2D1; }

// The end of the character that starts at pos, with what belongs to it.
size_t ClusterEnd(std::string_view text, size_t pos) {
  size_t length = 0;
  CodePointAt(text, pos, &length);
  pos += length;
  while (pos < text.size()) {
    const char32_t cp = CodePointAt(text, pos, &length);
    if (IsTieBar(cp) && pos + length < text.size()) {
      pos += length;
      CodePointAt(text, pos, &length);  // the character the bar ties on
    } else if (!IsCombining(cp) && !IsLength(cp)) {
      break;
    }
    pos += length;
  }
  return pos;
}

std::vector<std::string_view> Clusters(std::string_view text) {
  std::vector<std::string_view> clusters;
  for (size_t pos = 0; pos < text.size();) {
    const size_t end = ClusterEnd(text, pos);
    clusters.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return clusters;
}

// The mark a cluster stands for, or kSegment when it is none.
Token::Kind MarkOf(std::string_view cluster) {
  if (cluster == "ˈ" || cluster == "'") return Token::kPrimary;
  if (cluster == "ˌ") return Token::kSecondary;
  if (cluster == "." || cluster == "-" || cluster == " " || cluster == "\t") return Token::kSyllable;
  return Token::kSegment;
}

}  // namespace

Segmenter::Segmenter(const std::vector<std::string>& symbols) {
  for (const std::string& symbol : symbols) {
    if (symbol.empty()) continue;
    symbols_.insert(symbol);
    longest_ = std::max(longest_, Clusters(symbol).size());
  }
}

std::vector<Token> Segmenter::Cut(std::string_view ipa) const {
  const std::vector<std::string_view> clusters = Clusters(ipa);
  std::vector<Token> tokens;
  std::string candidate;
  for (size_t i = 0; i < clusters.size();) {
    const Token::Kind mark = MarkOf(clusters[i]);
    if (mark != Token::kSegment) {
      tokens.push_back({mark, "", false});
      ++i;
      continue;
    }
    size_t taken = 0;
    for (size_t n = std::min(longest_, clusters.size() - i); n > 0 && taken == 0; --n) {
      const char* begin = clusters[i].data();
      candidate.assign(begin, clusters[i + n - 1].data() + clusters[i + n - 1].size() - begin);
      if (symbols_.count(candidate) > 0) taken = n;
    }
    if (taken == 0) {
      tokens.push_back({Token::kSegment, std::string(clusters[i]), true});
      ++i;
    } else {
      tokens.push_back({Token::kSegment, candidate, false});
      i += taken;
    }
  }
  return tokens;
}

}  // namespace velmora::import
