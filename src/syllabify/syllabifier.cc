// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/syllabifier.h"

#include "platform/text.h"
#include "syllabify/text_lines.h"

namespace velmora::syllabify {

VowelSet::VowelSet(const std::vector<std::string>& vowels) {
  for (const std::string& vowel : vowels) {
    const std::string_view trimmed = TrimView(vowel);
    if (!trimmed.empty()) vowels_.insert(Lower(trimmed));
  }
}

bool VowelSet::IsVowel(std::string_view segment) const {
  std::string lowered = Lower(segment);
  if (vowels_.count(lowered) > 0) return true;
  size_t end = lowered.size();
  while (end > 0 && lowered[end - 1] >= '0' && lowered[end - 1] <= '9') --end;
  if (end == lowered.size() || end == 0) return false;
  return vowels_.count(lowered.substr(0, end)) > 0;
}

OnsetSet::OnsetSet(const std::vector<std::string>& onsets) {
  for (const std::string& onset : onsets) {
    std::vector<std::string> symbols = SplitSegments(onset);
    if (!symbols.empty()) onsets_.insert(Lower(Join(symbols, " ")));
  }
}

bool OnsetSet::IsLegal(const std::vector<std::string>& segments, size_t begin,
                       size_t end) const {
  if (begin >= end) return true;
  std::string key;
  for (size_t i = begin; i < end; ++i) {
    if (i > begin) key += ' ';
    key += Lower(segments[i]);
  }
  return onsets_.count(key) > 0;
}

namespace {

// Marks segments [from, to) as codas. A range past the end fails loudly
// (at() throws) instead of writing beyond the flags.
void MarkCodas(std::vector<bool>* coda, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) coda->at(i) = true;
}

}  // namespace

std::vector<bool> Syllabifier::CodaFlags(
    const std::vector<std::string>& segments) const {
  std::vector<bool> coda(segments.size(), false);
  std::vector<size_t> nuclei;
  for (size_t i = 0; i < segments.size(); ++i) {
    if (vowels_.IsVowel(segments[i])) nuclei.push_back(i);
  }
  if (nuclei.empty()) return coda;
  for (size_t k = 0; k + 1 < nuclei.size(); ++k) {
    const size_t first = nuclei[k] + 1;  // first consonant between the vowels
    const size_t next_vowel = nuclei[k + 1];
    size_t onset_start = first;
    while (!onsets_.IsLegal(segments, onset_start, next_vowel)) ++onset_start;
    MarkCodas(&coda, first, onset_start);
  }
  MarkCodas(&coda, nuclei.back() + 1, segments.size());
  return coda;
}

std::string Syllabifier::Syllabify(std::string_view transcription) const {
  std::vector<std::string> segments = SplitSegments(transcription);
  std::vector<bool> coda = CodaFlags(segments);
  std::string result;
  for (size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) result += ' ';
    result += segments[i];
    if (coda[i]) result += kCodaSuffix;
  }
  return result;
}

}  // namespace velmora::syllabify
