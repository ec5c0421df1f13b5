// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/data_set.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

#include "import/symbols.h"
#include "platform/text.h"
#include "syllabify/onsets.h"
#include "syllabify/syllabifier.h"
#include "syllabify/text_lines.h"

namespace velmora::import {
namespace {

using syllabify::Join;

// Rank of each entry: 1 the most frequent, equal frequencies in entry order.
std::vector<size_t> Ranks(const std::vector<ImportEntry>& entries) {
  std::vector<size_t> order(entries.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return entries[a].frequency > entries[b].frequency;
  });
  std::vector<size_t> rank(entries.size());
  for (size_t r = 0; r < order.size(); ++r) rank[order[r]] = r + 1;
  return rank;
}

// in.txt, with the Coda forms that occur.
std::vector<std::string> DictionaryLines(const std::vector<ImportEntry>& entries, bool has_frequency,
                                         const syllabify::Syllabifier& syllabifier,
                                         std::vector<std::string>* codas) {
  const std::vector<size_t> rank = has_frequency ? Ranks(entries) : std::vector<size_t>();
  std::unordered_map<std::string, bool> seen_codas;
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  std::string line;
  for (size_t n = 0; n < entries.size(); ++n) {
    const ImportEntry& entry = entries[n];
    const std::vector<bool> coda = syllabifier.CodaFlags(entry.segments);
    line = entry.spelling + '\t' + Join(entry.segments, " ") + '\t';
    for (size_t i = 0; i < entry.segments.size(); ++i) {
      if (i > 0) line += ' ';
      line += entry.segments[i];
      if (!coda[i]) continue;
      line += syllabify::kCodaSuffix;
      const std::string form = entry.segments[i] + std::string(syllabify::kCodaSuffix);
      if (seen_codas.emplace(form, true).second) codas->push_back(form);
    }
    line += "\t\t";
    if (has_frequency) line += std::to_string(entry.frequency) + '\t' + std::to_string(rank[n]);
    else line += '\t';
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> LegalOnsets(const std::vector<ImportEntry>& entries, const syllabify::VowelSet& vowels) {
  std::vector<std::pair<std::string, std::string>> words;
  words.reserve(entries.size());
  for (const ImportEntry& entry : entries) words.emplace_back(entry.spelling, Join(entry.segments, " "));
  std::vector<std::string> onsets;
  const auto counts = syllabify::CountInitialClusters(words, vowels);
  for (const auto& onset : syllabify::ClustersAtLeast(counts, OnsetMinWords(entries.size()))) {
    onsets.push_back(onset.cluster);
  }
  return onsets;
}

// Features.txt: [ and ] with 0 throughout, then every known symbol, with
// stress1 and stress2 from a vowel's digit and coda from a consonant's
// suffix.
std::vector<std::string> FeatureLines(const std::vector<std::string>& all, const BaseFeatures& features) {
  const std::vector<std::string>& names = features.Names();
  std::vector<std::string> lines = {"Symbol\t" + Join(names, "\t")};
  const auto column = [&](std::string_view name) {
    for (size_t i = 0; i < names.size(); ++i) {
      if (Lower(names[i]) == name) return static_cast<int>(i);
    }
    return -1;
  };
  const int stress1 = column("stress1"), stress2 = column("stress2"), coda = column("coda");
  for (const std::string& symbol : all) {
    std::string values;
    if (symbol == "[" || symbol == "]") {
      values.assign(names.size(), '0');
    } else if (const auto known = features.Values(symbol)) {
      values = *known;
    } else {
      continue;
    }
    const auto set = [&](int at, char value) {
      if (at >= 0) values[static_cast<size_t>(at)] = value;
    };
    if (features.IsVowel(symbol) && HasStressDigit(symbol)) {
      set(stress1, symbol.back() == '1' ? '+' : '-');
      set(stress2, symbol.back() == '2' ? '+' : '-');
      set(coda, '0');
    } else if (symbol != "[" && symbol != "]") {
      set(stress1, '0');
      set(stress2, '0');
      set(coda, BaseSymbol(symbol) != symbol && !HasStressDigit(symbol) ? '+' : '-');
    }
    std::string line = symbol;
    for (const char value : values) (line += '\t') += value;
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

int OnsetMinWords(size_t entries) { return std::max(1, static_cast<int>(entries / 4000)); }

DataSet BuildDataSet(const std::vector<ImportEntry>& entries, bool has_frequency,
                     const BaseFeatures& features) {
  DataSet set;
  std::map<std::string, SymbolInfo> symbols;
  for (const ImportEntry& entry : entries) {
    for (const std::string& segment : entry.segments) {
      if (symbols.count(segment) > 0) continue;
      const auto values = features.Values(segment);
      symbols[segment] = {segment, values.value_or(""), features.IsVowel(segment)};
    }
  }
  std::vector<SymbolInfo> plain;
  std::vector<std::string> vowels;
  for (const bool vowel : {true, false}) {
    for (const auto& [symbol, info] : symbols) {
      if (info.vowel != vowel) continue;
      plain.push_back(info);
      if (vowel) vowels.push_back(symbol);
    }
  }
  const syllabify::VowelSet vowel_set(vowels);
  const std::vector<std::string> onsets = LegalOnsets(entries, vowel_set);
  const syllabify::Syllabifier syllabifier(vowel_set, syllabify::OnsetSet(onsets));
  std::vector<std::string> codas;
  std::vector<std::string> dictionary = DictionaryLines(entries, has_frequency, syllabifier, &codas);
  // Coda forms in the order of their consonants.
  std::vector<std::string> ordered_codas;
  for (const SymbolInfo& info : plain) {
    const std::string form = info.symbol + std::string(syllabify::kCodaSuffix);
    if (std::find(codas.begin(), codas.end(), form) != codas.end()) ordered_codas.push_back(form);
  }
  std::vector<std::string> all = {"[", "]"};
  for (const SymbolInfo& info : plain) all.push_back(info.symbol);
  all.insert(all.end(), ordered_codas.begin(), ordered_codas.end());
  for (const SymbolInfo& info : plain) {
    if (info.values.empty()) set.unknown.push_back(info.symbol);
  }
  set.vowels = static_cast<int>(vowels.size());
  set.consonants = static_cast<int>(plain.size() - vowels.size());

  set.files.push_back({"in.txt", std::move(dictionary)});
  set.files.push_back({"AllSegments.txt", all});
  set.files.push_back({"LegalOnsets.txt", onsets});
  if (!features.empty()) set.files.push_back({"Features.txt", FeatureLines(all, features)});
  std::vector<std::string> names;
  for (const std::string& name : features.Names()) names.push_back(Lower(name));
  for (DataFile& file : DeriveClasses(plain, ordered_codas, names)) {
    if (file.path.starts_with("NaturalClasses/")) ++set.classes;
    set.files.push_back(std::move(file));
  }
  return set;
}

}  // namespace velmora::import
