// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/english_inventory.h"

#include "syllabify/syllabifier.h"

namespace velmora::syllabify {
namespace {

enum class Manner { kStop, kAffricate, kFricative, kNasal, kLiquid, kGlide };

struct Consonant {
  const char* symbol;
  Manner manner;
  bool voiced;
  bool labial;
  bool coronal;
  bool dorsal;
  bool sibilant;
};

// The 24 ARPABET consonants. W is labial and dorsal (labio-velar); HH has no
// oral place.
const std::vector<Consonant>& Consonants() {
  static const std::vector<Consonant> consonants = {
      {"P", Manner::kStop, false, true, false, false, false},
      {"B", Manner::kStop, true, true, false, false, false},
      {"T", Manner::kStop, false, false, true, false, false},
      {"D", Manner::kStop, true, false, true, false, false},
      {"K", Manner::kStop, false, false, false, true, false},
      {"G", Manner::kStop, true, false, false, true, false},
      {"CH", Manner::kAffricate, false, false, true, false, true},
      {"JH", Manner::kAffricate, true, false, true, false, true},
      {"F", Manner::kFricative, false, true, false, false, false},
      {"V", Manner::kFricative, true, true, false, false, false},
      {"TH", Manner::kFricative, false, false, true, false, false},
      {"DH", Manner::kFricative, true, false, true, false, false},
      {"S", Manner::kFricative, false, false, true, false, true},
      {"Z", Manner::kFricative, true, false, true, false, true},
      {"SH", Manner::kFricative, false, false, true, false, true},
      {"ZH", Manner::kFricative, true, false, true, false, true},
      {"HH", Manner::kFricative, false, false, false, false, false},
      {"M", Manner::kNasal, true, true, false, false, false},
      {"N", Manner::kNasal, true, false, true, false, false},
      {"NG", Manner::kNasal, true, false, false, true, false},
      {"L", Manner::kLiquid, true, false, true, false, false},
      {"R", Manner::kLiquid, true, false, true, false, false},
      {"W", Manner::kGlide, true, true, false, true, false},
      {"Y", Manner::kGlide, true, false, false, true, false},
  };
  return consonants;
}

const std::vector<std::string>& VowelBases() {
  static const std::vector<std::string> bases = {"AA", "AE", "AH", "AO", "AW", "AY", "EH", "ER",
                                                 "EY", "IH", "IY", "OW", "OY", "UH", "UW"};
  return bases;
}

bool IsConsonantSymbol(const std::string& symbol) {
  for (const Consonant& c : Consonants()) {
    if (symbol == c.symbol) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> Vowels(const std::string& stresses) {
  std::vector<std::string> vowels;
  for (const std::string& base : VowelBases()) {
    for (char stress : stresses) vowels.push_back(base + stress);
  }
  return vowels;
}

std::vector<NaturalClass> PlainClasses() {
  auto consonants_where = [](auto keep) {
    std::vector<std::string> members;
    for (const Consonant& c : Consonants()) {
      if (keep(c)) members.push_back(c.symbol);
    }
    return members;
  };
  return {
      {"CONSONANT", consonants_where([](const Consonant&) { return true; })},
      {"VOWEL", Vowels("012")},
      {"STOP", consonants_where([](const Consonant& c) { return c.manner == Manner::kStop; })},
      {"FRICATIVE",
       consonants_where([](const Consonant& c) { return c.manner == Manner::kFricative; })},
      {"AFFRICATE",
       consonants_where([](const Consonant& c) { return c.manner == Manner::kAffricate; })},
      {"NASAL", consonants_where([](const Consonant& c) { return c.manner == Manner::kNasal; })},
      {"LIQUID", consonants_where([](const Consonant& c) { return c.manner == Manner::kLiquid; })},
      {"GLIDE", consonants_where([](const Consonant& c) { return c.manner == Manner::kGlide; })},
      {"SONORANT", consonants_where([](const Consonant& c) {
         return c.manner == Manner::kNasal || c.manner == Manner::kLiquid ||
                c.manner == Manner::kGlide;
       })},
      {"OBSTRUENT", consonants_where([](const Consonant& c) {
         return c.manner == Manner::kStop || c.manner == Manner::kAffricate ||
                c.manner == Manner::kFricative;
       })},
      {"VOICED", consonants_where([](const Consonant& c) { return c.voiced; })},
      {"VOICELESS", consonants_where([](const Consonant& c) { return !c.voiced; })},
      {"LABIAL", consonants_where([](const Consonant& c) { return c.labial; })},
      {"CORONAL", consonants_where([](const Consonant& c) { return c.coronal; })},
      {"DORSAL", consonants_where([](const Consonant& c) { return c.dorsal; })},
      {"SIBILANT", consonants_where([](const Consonant& c) { return c.sibilant; })},
      {"STRESSED", Vowels("12")},
      {"MAINSTRESSED", Vowels("1")},
      {"UNSTRESSED", Vowels("0")},
  };
}

// The same classes over syllabified symbols: each consonant member stands in
// its onset form and its coda form. Adds ONSET and CODA.
std::vector<NaturalClass> SyllabifiedClasses() {
  std::vector<NaturalClass> classes;
  for (const NaturalClass& plain : PlainClasses()) {
    NaturalClass syllabified{plain.name, plain.members};
    for (const std::string& member : plain.members) {
      if (IsConsonantSymbol(member)) {
        syllabified.members.push_back(member + std::string(kCodaSuffix));
      }
    }
    classes.push_back(std::move(syllabified));
  }
  NaturalClass onset{"ONSET", {}};
  NaturalClass coda{"CODA", {}};
  for (const Consonant& c : Consonants()) {
    onset.members.push_back(c.symbol);
    coda.members.push_back(c.symbol + std::string(kCodaSuffix));
  }
  classes.push_back(std::move(onset));
  classes.push_back(std::move(coda));
  return classes;
}

// Every symbol that may stand in a plain or syllabified transcription, in
// the order AllSegments.txt lists them.
std::vector<std::string> InventoryOrder() {
  std::vector<std::string> order = {"[", "]"};
  for (const std::string& vowel : Vowels("012")) order.push_back(vowel);
  for (const Consonant& c : Consonants()) order.push_back(c.symbol);
  for (const Consonant& c : Consonants()) order.push_back(c.symbol + std::string(kCodaSuffix));
  return order;
}

const std::vector<std::string>& SegmentKey() {
  // Five paragraphs: with the program's own sentences and the class list the
  // label stays within its 681 x 313 pixels at the dialog font.
  static const std::vector<std::string> key = {
      "Vowels: AA odd, AE at, AH hut, AO ought, AW cow, AY hide, EH Ed, ER hurt, EY ate, "
      "IH it, IY eat, OW oat, OY toy, UH hood, UW two.",
      "Every vowel ends in its stress digit: 1 main stress, 2 secondary, 0 none "
      "(AY1 is the main-stressed vowel of hide).",
      "Stops: P pee, B be, T tea, D dee, K key, G green. Nasals: M me, N knee, NG ping. "
      "Liquids: L lee, R read. Glides: W we, Y yield.",
      "Fricatives: F fee, V vee, TH theta, DH thee, S sea, Z zee, SH she, ZH seizure, HH he. "
      "Affricates: CH cheese, JH gee.",
      "Syllabified data: a consonant that closes a syllable ends in Coda (tab = T AE1 BCoda).",
  };
  return key;
}

}  // namespace velmora::syllabify
