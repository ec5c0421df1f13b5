// SPDX-License-Identifier: GPL-3.0-or-later
// The natural classes of an imported data set, each derived from the base
// features of its members.
#include <algorithm>
#include <string_view>

#include "import/data_set.h"
#include "import/symbols.h"

namespace velmora::import {
namespace {

// One symbol as the rules look at it.
struct Row {
  const SymbolInfo* info;
  const std::vector<std::string>* names;
  bool Is(std::string_view feature, char value) const {
    for (size_t i = 0; i < names->size(); ++i) {
      if ((*names)[i] == feature) return info->values[i] == value;
    }
    return false;
  }
  bool Vowel() const { return Is("syllabic", '+'); }
  bool Consonant() const { return Is("syllabic", '-'); }
  char Digit() const {
    return HasStressDigit(info->symbol) ? info->symbol.back() : '\0';
  }
};

struct Rule {
  const char* name;
  bool (*holds)(const Row&);
};

const std::vector<Rule>& Rules() {
  static const std::vector<Rule> rules = {
      {"VOWEL", [](const Row& r) { return r.Vowel(); }},
      {"CONSONANT", [](const Row& r) { return r.Consonant(); }},
      {"STOP", [](const Row& r) {
         const bool oral = r.Is("continuant", '-') && r.Is("delayed_release", '-');
         return oral && ((r.Is("consonantal", '+') && r.Is("nasal", '-')) || r.Is("sonorant", '-'));
       }},
      {"FRICATIVE", [](const Row& r) { return r.Is("continuant", '+') && r.Is("sonorant", '-'); }},
      {"AFFRICATE", [](const Row& r) { return r.Is("delayed_release", '+') && r.Is("continuant", '-'); }},
      {"NASAL", [](const Row& r) { return r.Is("nasal", '+') && r.Is("consonantal", '+'); }},
      {"LIQUID", [](const Row& r) {
         return r.Is("consonantal", '+') && r.Is("sonorant", '+') && r.Is("nasal", '-');
       }},
      {"GLIDE", [](const Row& r) { return r.Consonant() && r.Is("consonantal", '-') && r.Is("sonorant", '+'); }},
      {"SONORANT", [](const Row& r) { return r.Is("sonorant", '+') && r.Consonant(); }},
      {"OBSTRUENT", [](const Row& r) { return r.Is("sonorant", '-'); }},
      {"VOICED", [](const Row& r) { return r.Consonant() && r.Is("voice", '+'); }},
      {"VOICELESS", [](const Row& r) { return r.Consonant() && r.Is("voice", '-'); }},
      {"LABIAL", [](const Row& r) { return r.Consonant() && r.Is("labial", '+'); }},
      {"CORONAL", [](const Row& r) { return r.Consonant() && r.Is("coronal", '+'); }},
      {"DORSAL", [](const Row& r) { return r.Consonant() && r.Is("dorsal", '+'); }},
      {"FRONT", [](const Row& r) { return r.Vowel() && r.Is("back", '-'); }},
      {"BACK", [](const Row& r) { return r.Vowel() && r.Is("back", '+'); }},
      {"HIGH", [](const Row& r) { return r.Vowel() && r.Is("high", '+'); }},
      {"LOW", [](const Row& r) { return r.Vowel() && r.Is("low", '+'); }},
      {"STRESSED", [](const Row& r) { return r.Vowel() && (r.Digit() == '1' || r.Digit() == '2'); }},
      {"UNSTRESSED", [](const Row& r) { return r.Vowel() && r.Digit() == '0'; }},
      {"MAINSTRESSED", [](const Row& r) { return r.Vowel() && r.Digit() == '1'; }},
  };
  return rules;
}

// The coda form of the consonant, when it occurs.
const std::string* CodaOf(const std::string& consonant, const std::vector<std::string>& codas) {
  const std::string coda = consonant + "Coda";
  const auto found = std::find(codas.begin(), codas.end(), coda);
  return found == codas.end() ? nullptr : &*found;
}

}  // namespace

std::vector<DataFile> DeriveClasses(const std::vector<SymbolInfo>& plain,
                                    const std::vector<std::string>& codas,
                                    const std::vector<std::string>& names) {
  std::vector<DataFile> files;
  for (const Rule& rule : Rules()) {
    std::vector<std::string> members, coda_members;
    for (const SymbolInfo& info : plain) {
      if (info.values.empty() || !rule.holds(Row{&info, &names})) continue;
      members.push_back(info.symbol);
      if (const std::string* coda = CodaOf(info.symbol, codas)) coda_members.push_back(*coda);
    }
    if (members.empty()) continue;
    files.push_back({std::string("NaturalClasses/") + rule.name + ".txt", members});
    members.insert(members.end(), coda_members.begin(), coda_members.end());
    files.push_back({std::string("SyllabifiedNaturalClasses/") + rule.name + ".txt", members});
  }
  std::vector<std::string> onsets;
  for (const SymbolInfo& info : plain) {
    if (!info.vowel) onsets.push_back(info.symbol);
  }
  if (!onsets.empty()) files.push_back({"SyllabifiedNaturalClasses/ONSET.txt", onsets});
  if (!codas.empty()) files.push_back({"SyllabifiedNaturalClasses/CODA.txt", codas});
  return files;
}

}  // namespace velmora::import
