// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/annotation.h"

#include "syllabify/text_lines.h"

namespace velmora::syllabify {
namespace {

using Sounds = std::vector<std::string>;

struct Suffix {
  std::string_view name;                  // shown in the annotation
  std::vector<std::string_view> written;  // how it is spelled after the stem
  std::vector<Sounds> forms;              // its stress-free transcriptions
  bool restores_e;                        // stem may drop a final e (mak+ing)
  bool doubles;                           // stem may double its last letter
  bool y_to_i;                            // stem may spell a final y as i
};

struct Prefix {
  std::string_view name;
  std::vector<std::string_view> written;
  std::vector<Sounds> forms;
};

// Longer suffixes first, so that -ness is tried before -s.
const std::vector<Suffix>& Suffixes() {
  static const std::vector<Suffix> suffixes = {
      {"ness", {"ness"}, {{"N", "AX", "S"}, {"N", "IH", "S"}, {"N", "EH", "S"}}, false, false, true},
      {"less", {"less"}, {{"L", "AX", "S"}, {"L", "IH", "S"}, {"L", "EH", "S"}}, false, false, true},
      {"ment", {"ment"}, {{"M", "AX", "N", "T"}, {"M", "EH", "N", "T"}, {"M", "IH", "N", "T"}}, false, false, true},
      {"ful", {"ful"}, {{"F", "AX", "L"}, {"F", "UH", "L"}}, false, false, true},
      {"ing", {"ing"}, {{"IH", "NG"}}, true, true, false},
      {"est", {"est"}, {{"AX", "S", "T"}, {"IH", "S", "T"}, {"EH", "S", "T"}}, true, true, true},
      {"ly", {"ly"}, {{"L", "IY"}}, false, false, true},
      {"ed", {"ed"}, {{"D"}, {"T"}, {"AX", "D"}, {"IH", "D"}}, true, true, true},
      {"er", {"er"}, {{"ER"}}, true, true, true},
      {"s", {"'s", "s", "es"}, {{"S"}, {"Z"}, {"AX", "Z"}, {"IH", "Z"}}, false, false, true},
  };
  return suffixes;
}

const std::vector<Prefix>& Prefixes() {
  static const std::vector<Prefix> prefixes = {
      {"non", {"non-", "non"}, {{"N", "AA", "N"}}},
      {"un", {"un-", "un"}, {{"AX", "N"}, {"AH", "N"}}},
      {"re", {"re-", "re"}, {{"R", "IY"}}},
  };
  return prefixes;
}

// Two-letter words that English compounds are made of (inside, nobody,
// setup, myself); other two-letter parts are mostly syllables that happen to
// be listed words (am+bush, ro+tate).
bool IsCompoundPart(const std::string& part) {
  static const std::vector<std::string> short_parts = {"be", "by", "do", "go", "in", "it",
                                                        "my", "no", "of", "on", "to", "up"};
  if (part.size() >= 3) return true;
  for (const std::string& short_part : short_parts) {
    if (part == short_part) return true;
  }
  return false;
}

// Stems have three letters or more, or are one of the two-letter verbs that
// take suffixes (being, doing, goes); other two-letter stems are mostly
// syllables that happen to be listed words (ne+ed, ow+ing).
bool IsStem(const std::string& stem) {
  return stem.size() >= 3 || stem == "be" || stem == "do" || stem == "go";
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsConsonantLetter(char c) {
  return c >= 'a' && c <= 'z' && c != 'a' && c != 'e' && c != 'i' && c != 'o' && c != 'u';
}

// sounds == first followed by second.
bool Concatenates(const Sounds& sounds, const Sounds& first, const Sounds& second) {
  if (sounds.size() != first.size() + second.size()) return false;
  for (size_t i = 0; i < first.size(); ++i) {
    if (sounds[i] != first[i]) return false;
  }
  for (size_t i = 0; i < second.size(); ++i) {
    if (sounds[first.size() + i] != second[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> VowelQualities(std::string_view transcription) {
  std::vector<std::string> segments = SplitSegments(transcription);
  for (std::string& segment : segments) {
    const bool unstressed = !segment.empty() && segment.back() == '0';
    while (!segment.empty() && segment.back() >= '0' && segment.back() <= '9') {
      segment.pop_back();
    }
    if (unstressed && segment == "AH") segment = "AX";
  }
  return segments;
}

Annotator::Annotator(const std::unordered_map<std::string, std::string>& lexicon) {
  for (const auto& [spelling, transcription] : lexicon) {
    lexicon_.emplace(spelling, VowelQualities(transcription));
  }
}

const std::vector<std::string>* Annotator::Lookup(const std::string& spelling) const {
  auto it = lexicon_.find(spelling);
  return it == lexicon_.end() ? nullptr : &it->second;
}

std::string Annotator::Annotate(const std::string& spelling,
                                std::string_view transcription) const {
  Sounds sounds = VowelQualities(transcription);
  if (sounds.empty()) return "";
  std::string found = FindSuffix(spelling, sounds);
  if (found.empty()) found = FindPrefix(spelling, sounds);
  if (found.empty()) found = FindCompound(spelling, sounds);
  return found;
}

std::string Annotator::FindSuffix(const std::string& spelling, const Sounds& sounds) const {
  for (const Suffix& suffix : Suffixes()) {
    for (std::string_view written : suffix.written) {
      if (!EndsWith(spelling, written)) continue;
      const std::string base = spelling.substr(0, spelling.size() - written.size());
      std::vector<std::string> stems = {base};
      if (suffix.restores_e) stems.push_back(base + "e");
      if (suffix.doubles && base.size() >= 3 && base.back() == base[base.size() - 2] &&
          IsConsonantLetter(base.back())) {
        stems.push_back(base.substr(0, base.size() - 1));
      }
      if (suffix.y_to_i && !base.empty() && base.back() == 'i') {
        stems.push_back(base.substr(0, base.size() - 1) + "y");
      }
      for (const std::string& stem : stems) {
        if (!IsStem(stem) || stem == spelling) continue;
        const Sounds* stem_sounds = Lookup(stem);
        if (stem_sounds == nullptr) continue;
        for (const Sounds& form : suffix.forms) {
          if (Concatenates(sounds, *stem_sounds, form)) {
            return "affixed: " + stem + "+" + std::string(suffix.name);
          }
        }
      }
    }
  }
  return "";
}

std::string Annotator::FindPrefix(const std::string& spelling, const Sounds& sounds) const {
  for (const Prefix& prefix : Prefixes()) {
    for (std::string_view written : prefix.written) {
      if (spelling.size() < written.size() || spelling.compare(0, written.size(), written) != 0) {
        continue;
      }
      const std::string stem = spelling.substr(written.size());
      if (stem.size() < 3) continue;
      const Sounds* stem_sounds = Lookup(stem);
      if (stem_sounds == nullptr) continue;
      for (const Sounds& form : prefix.forms) {
        if (Concatenates(sounds, form, *stem_sounds)) {
          return "affixed: " + std::string(prefix.name) + "+" + stem;
        }
      }
    }
  }
  return "";
}

std::string Annotator::FindCompound(const std::string& spelling,
                                    const Sounds& sounds) const {
  for (size_t cut = 2; cut + 2 <= spelling.size(); ++cut) {
    if (spelling[cut - 1] == '-') continue;
    const std::string first = spelling.substr(0, cut);
    const std::string second = spelling.substr(spelling[cut] == '-' ? cut + 1 : cut);
    if (!IsCompoundPart(first) || !IsCompoundPart(second)) continue;
    const Sounds* first_sounds = Lookup(first);
    if (first_sounds == nullptr) continue;
    const Sounds* second_sounds = Lookup(second);
    if (second_sounds == nullptr || second == spelling) continue;
    if (!Concatenates(sounds, *first_sounds, *second_sounds)) continue;
    return "compound: " + first + "+" + second;
  }
  return "";
}

}  // namespace velmora::syllabify
