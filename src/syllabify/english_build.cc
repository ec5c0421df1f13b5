#include "syllabify/english_build.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_map>

#include "lexicon/text.h"
#include "syllabify/annotation.h"
#include "syllabify/onsets.h"
#include "syllabify/syllabifier.h"
#include "syllabify/text_lines.h"

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

std::vector<std::string> Vowels(const std::string& stresses) {
  std::vector<std::string> vowels;
  for (const std::string& base : VowelBases()) {
    for (char stress : stresses) vowels.push_back(base + stress);
  }
  return vowels;
}

struct NaturalClass {
  std::string name;
  std::vector<std::string> members;  // plain symbols
};

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

bool IsConsonantSymbol(const std::string& symbol) {
  for (const Consonant& c : Consonants()) {
    if (symbol == c.symbol) return true;
  }
  return false;
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

// "word(2)" -> ("word", 2); "word" -> ("word", 1).
std::pair<std::string, int> SplitVariant(const std::string& key) {
  if (key.size() >= 3 && key.back() == ')') {
    size_t open = key.rfind('(');
    if (open != std::string::npos && open > 0 && open + 2 < key.size()) {
      std::string digits = key.substr(open + 1, key.size() - open - 2);
      if (std::all_of(digits.begin(), digits.end(),
                      [](char c) { return c >= '0' && c <= '9'; })) {
        return {key.substr(0, open), std::atoi(digits.c_str())};
      }
    }
  }
  return {key, 1};
}

std::string WithoutComment(const std::string& pronunciation) {
  return Join(SplitSegments(pronunciation.substr(0, pronunciation.find('#'))), " ");
}

bool IsWordSpelling(const std::string& spelling) {
  if (spelling.empty()) return false;
  return std::all_of(spelling.begin(), spelling.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || c == '\''; });
}

std::string Fields(const std::string& spelling, const std::string& plain,
                   const std::string& syllabified, const std::string& annotation,
                   long long frequency, long long rank) {
  return spelling + "\t" + plain + "\t" + syllabified + "\t" + annotation + "\t" +
         std::to_string(frequency) + "\t" + std::to_string(rank);
}

struct Ranked {
  std::string spelling;
  long long count;
};

bool MoreFrequent(const Ranked& a, const Ranked& b) {
  if (a.count != b.count) return a.count > b.count;
  return a.spelling < b.spelling;
}

std::string AnnotationKind(const std::string& annotation) {
  if (annotation.rfind("compound:", 0) == 0) return "compound";
  if (annotation.empty()) return "";
  // "affixed: un+kind" names a prefix before the '+', "affixed: kind+ness" a suffix.
  static const std::set<std::string> prefixes = {"un", "re", "non"};
  std::string first = annotation.substr(9, annotation.find('+') - 9);
  return prefixes.count(first) > 0 ? "affixed (prefix)" : "affixed (suffix)";
}

}  // namespace

const std::vector<std::string>& ContractionPieces() {
  static const std::vector<std::string> pieces = {
      "s",      "t",     "m",    "d",      "ll",   "re",    "ve",     "don",
      "didn",   "doesn", "isn",  "wasn",   "aren", "weren", "couldn", "wouldn",
      "shouldn", "haven", "hasn", "hadn",  "ain",  "mustn", "needn",  "shan",
      "mightn", "em",    "mon"};
  return pieces;
}

bool ReadEnglishSources(const std::string& pronunciation_tsv, const std::string& count_tsv,
                        EnglishSources* sources, std::string* error) {
  std::vector<std::string> lines;
  if (!ReadLines(pronunciation_tsv, &lines, error)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> fields = SplitFields(line);
    if (fields.size() != 2) {
      *error = pronunciation_tsv + ": expected key TAB pronunciation, got \"" + line + "\"";
      return false;
    }
    sources->pronunciations.emplace_back(fields[0], fields[1]);
  }
  if (!ReadLines(count_tsv, &lines, error)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> fields = SplitFields(line);
    char* end = nullptr;
    long long count = fields.size() == 2 ? std::strtoll(fields[1].c_str(), &end, 10) : -1;
    if (fields.size() != 2 || fields[1].empty() || *end != '\0' || count < 0) {
      *error = count_tsv + ": expected word TAB count, got \"" + line + "\"";
      return false;
    }
    sources->counts.emplace_back(fields[0], count);
  }
  return true;
}

bool BuildEnglishDataSet(const EnglishSources& sources, const EnglishBuildOptions& options,
                         EnglishBuildResult* result, std::string* error) {
  // 1. One pronunciation per word: the first one the dictionary lists.
  std::map<std::string, std::pair<int, std::string>> first_pronunciation;
  for (const auto& [key, value] : sources.pronunciations) {
    auto [spelling, variant] = SplitVariant(key);
    std::string pronunciation = WithoutComment(value);
    if (pronunciation.empty()) continue;
    auto it = first_pronunciation.find(spelling);
    if (it == first_pronunciation.end() || variant < it->second.first) {
      first_pronunciation[spelling] = {variant, pronunciation};
    }
  }
  const std::vector<std::string> inventory = InventoryOrder();
  const std::set<std::string> known(inventory.begin(), inventory.end());
  for (const auto& [spelling, entry] : first_pronunciation) {
    for (const std::string& symbol : SplitSegments(entry.second)) {
      if (known.count(symbol) == 0 || symbol == "[" || symbol == "]" ||
          symbol.find(kCodaSuffix) != std::string::npos) {
        *error = "the pronunciation of \"" + spelling + "\" has the unknown symbol " + symbol;
        return false;
      }
    }
  }

  // 2. Subtitle counts by lower-cased token; contraction pieces and single
  // letters other than a and i are not words of their own.
  std::unordered_map<std::string, long long> counts;
  for (const auto& [token, count] : sources.counts) counts[Lower(token)] += count;
  const std::set<std::string> pieces(ContractionPieces().begin(), ContractionPieces().end());
  auto excluded_reason = [&](const std::string& token) -> std::string {
    if (pieces.count(token) > 0) return "piece of a contraction";
    if (token.size() == 1 && token != "a" && token != "i") return "single letter";
    return "";
  };
  std::vector<Ranked> left_out;
  std::vector<Ranked> candidates;
  for (const auto& [token, count] : counts) {
    if (!excluded_reason(token).empty()) {
      left_out.push_back({token, count});
    } else if (IsWordSpelling(token) && first_pronunciation.count(token) > 0) {
      candidates.push_back({token, count});
    }
  }
  std::sort(candidates.begin(), candidates.end(), MoreFrequent);
  if (static_cast<int>(candidates.size()) < options.word_count) {
    *error = "only " + std::to_string(candidates.size()) + " words qualify, " +
             std::to_string(options.word_count) + " wanted";
    return false;
  }
  candidates.resize(options.word_count);

  // 3. Legal onsets from the word-initial clusters of the whole dictionary.
  const VowelSet vowels(Vowels("012"));
  std::vector<std::pair<std::string, std::string>> all_words;
  for (const auto& [spelling, entry] : first_pronunciation) {
    all_words.emplace_back(spelling, entry.second);
  }
  const std::vector<ClusterCount> onsets =
      ClustersAtLeast(CountInitialClusters(all_words, vowels), options.onset_min_words);
  std::vector<std::string> onset_lines;
  for (const ClusterCount& onset : onsets) onset_lines.push_back(onset.cluster);
  const Syllabifier syllabifier(vowels, OnsetSet(onset_lines));

  // 4. Annotations: stems and compound parts are the words of in.txt.
  std::unordered_map<std::string, std::string> lexicon;
  for (const Ranked& word : candidates) {
    lexicon[word.spelling] = first_pronunciation.at(word.spelling).second;
  }
  const Annotator annotator(lexicon);

  // 5. in.txt, alphabetical (byte order of the spelling).
  std::map<std::string, long long> rank_of;
  for (size_t i = 0; i < candidates.size(); ++i) {
    rank_of[candidates[i].spelling] = static_cast<long long>(i + 1);
  }
  std::map<std::string, int> kinds_in;
  std::set<std::string> used = {"[", "]"};
  DataFile in_txt{"in.txt", {}};
  for (const auto& [spelling, rank] : rank_of) {
    const std::string& plain = first_pronunciation.at(spelling).second;
    const std::string syllabified = syllabifier.Syllabify(plain);
    const std::string annotation = annotator.Annotate(spelling, plain);
    ++kinds_in[AnnotationKind(annotation)];
    for (const std::string& s : SplitSegments(plain)) used.insert(s);
    for (const std::string& s : SplitSegments(syllabified)) used.insert(s);
    in_txt.lines.push_back(Fields(spelling, plain, syllabified, annotation,
                                  counts.at(spelling), rank));
  }

  // 6. The whole dictionary, ranked among the words that have a count.
  std::vector<Ranked> counted;
  for (const auto& [spelling, entry] : first_pronunciation) {
    auto it = counts.find(spelling);
    if (it != counts.end() && it->second > 0 && excluded_reason(spelling).empty()) {
      counted.push_back({spelling, it->second});
    }
  }
  std::sort(counted.begin(), counted.end(), MoreFrequent);
  std::unordered_map<std::string, long long> full_rank;
  for (size_t i = 0; i < counted.size(); ++i) {
    full_rank[counted[i].spelling] = static_cast<long long>(i + 1);
  }
  std::map<std::string, int> kinds_full;
  DataFile full{"cmudict-full.txt", {}};
  for (const auto& [spelling, entry] : first_pronunciation) {
    const std::string& plain = entry.second;
    const std::string syllabified = syllabifier.Syllabify(plain);
    const std::string annotation = annotator.Annotate(spelling, plain);
    ++kinds_full[AnnotationKind(annotation)];
    for (const std::string& s : SplitSegments(plain)) used.insert(s);
    for (const std::string& s : SplitSegments(syllabified)) used.insert(s);
    auto rank = full_rank.find(spelling);
    long long frequency = rank == full_rank.end() ? 0 : counts.at(spelling);
    full.lines.push_back(Fields(spelling, plain, syllabified, annotation, frequency,
                                rank == full_rank.end() ? 0 : rank->second));
  }

  // 7. The inventory, the key, the onsets, the left-out tokens, the classes.
  DataFile all_segments{"AllSegments.txt", {}};
  for (const std::string& symbol : inventory) {
    if (used.count(symbol) > 0) all_segments.lines.push_back(symbol);
  }
  DataFile left_out_file{"ExcludedTokens.txt", {}};
  std::sort(left_out.begin(), left_out.end(), MoreFrequent);
  for (const Ranked& token : left_out) {
    left_out_file.lines.push_back(token.spelling + "\t" + std::to_string(token.count) + "\t" +
                                  excluded_reason(token.spelling));
  }
  result->files.clear();
  result->files.push_back(std::move(in_txt));
  result->files.push_back(std::move(full));
  result->files.push_back(std::move(all_segments));
  result->files.push_back({"SegmentKey.txt", SegmentKey()});
  result->files.push_back({"LegalOnsets.txt", onset_lines});
  result->files.push_back(std::move(left_out_file));
  for (const NaturalClass& c : PlainClasses()) {
    result->files.push_back({"NaturalClasses/" + c.name + ".txt", c.members});
  }
  for (const NaturalClass& c : SyllabifiedClasses()) {
    result->files.push_back({"SyllabifiedNaturalClasses/" + c.name + ".txt", c.members});
  }

  result->summary.clear();
  result->summary.push_back("words in the dictionary: " +
                            std::to_string(first_pronunciation.size()));
  result->summary.push_back("words with a subtitle count: " + std::to_string(counted.size()));
  result->summary.push_back("legal onsets (at least " + std::to_string(options.onset_min_words) +
                            " words): " + std::to_string(onsets.size()));
  for (const ClusterCount& onset : onsets) {
    result->summary.push_back("  onset " + onset.cluster + ": " + std::to_string(onset.words));
  }
  for (const char* kind : {"compound", "affixed (suffix)", "affixed (prefix)"}) {
    result->summary.push_back(std::string("in.txt ") + kind + ": " +
                              std::to_string(kinds_in[kind]));
  }
  for (const char* kind : {"compound", "affixed (suffix)", "affixed (prefix)"}) {
    result->summary.push_back(std::string("cmudict-full.txt ") + kind + ": " +
                              std::to_string(kinds_full[kind]));
  }
  return true;
}

}  // namespace velmora::syllabify
