// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/english_build.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "platform/text.h"
#include "syllabify/annotation.h"
#include "syllabify/english_inventory.h"
#include "syllabify/onsets.h"
#include "syllabify/syllabifier.h"
#include "syllabify/text_lines.h"

namespace velmora::syllabify {
namespace {

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

// A word's first pronunciation, by spelling in byte order.
using Pronunciations = std::map<std::string, std::string>;

// One pronunciation per word: the first one the dictionary lists.
Pronunciations FirstPronunciations(const EnglishSources& sources) {
  std::map<std::string, std::pair<int, std::string>> first;
  for (const auto& [key, value] : sources.pronunciations) {
    auto [spelling, variant] = SplitVariant(key);
    std::string pronunciation = WithoutComment(value);
    if (pronunciation.empty()) continue;
    auto it = first.find(spelling);
    if (it == first.end() || variant < it->second.first) {
      first[spelling] = {variant, pronunciation};
    }
  }
  Pronunciations words;
  for (auto& [spelling, entry] : first) words.emplace_hint(words.end(), spelling, std::move(entry.second));
  return words;
}

// Fails for the first word whose pronunciation has a symbol that is not a
// plain symbol of the inventory.
Status CheckSymbols(const Pronunciations& words, const std::vector<std::string>& inventory,
                    EnglishBuildResult* result) {
  const std::set<std::string> known(inventory.begin(), inventory.end());
  for (const auto& [spelling, pronunciation] : words) {
    for (const std::string& symbol : SplitSegments(pronunciation)) {
      if (known.count(symbol) == 0 || symbol == "[" || symbol == "]" ||
          symbol.find(kCodaSuffix) != std::string::npos) {
        result->failed_word = spelling;
        return Status::Malformed(std::string(), 0, symbol);
      }
    }
  }
  return Status::Ok();
}

// The subtitle counts by lower-cased token; contraction pieces and single
// letters other than a and i are not words of their own.
struct Tokens {
  explicit Tokens(const EnglishSources& sources)
      : pieces(ContractionPieces().begin(), ContractionPieces().end()) {
    for (const auto& [token, count] : sources.counts) counts[Lower(token)] += count;
  }
  // Why the token is not a word, or "" when it is one.
  std::string ExcludedReason(const std::string& token) const {
    if (pieces.count(token) > 0) return "piece of a contraction";
    if (token.size() == 1 && token != "a" && token != "i") return "single letter";
    return "";
  }
  std::unordered_map<std::string, long long> counts;
  std::set<std::string> pieces;
};

// The words that may stand in in.txt, most frequent first.
std::vector<Ranked> Candidates(const Tokens& tokens, const Pronunciations& words) {
  std::vector<Ranked> candidates;
  for (const auto& [token, count] : tokens.counts) {
    if (tokens.ExcludedReason(token).empty() && IsWordSpelling(token) && words.count(token) > 0) {
      candidates.push_back({token, count});
    }
  }
  std::sort(candidates.begin(), candidates.end(), MoreFrequent);
  return candidates;
}

// The words of the whole dictionary that have a count, most frequent first.
std::vector<Ranked> Counted(const Pronunciations& words, const Tokens& tokens) {
  std::vector<Ranked> counted;
  for (const auto& [spelling, pronunciation] : words) {
    auto it = tokens.counts.find(spelling);
    if (it != tokens.counts.end() && it->second > 0 && tokens.ExcludedReason(spelling).empty()) {
      counted.push_back({spelling, it->second});
    }
  }
  std::sort(counted.begin(), counted.end(), MoreFrequent);
  return counted;
}

// Makes the dictionary rows, counting the kinds of annotation and keeping
// the symbols used.
struct RowMaker {
  Syllabifier syllabifier;
  Annotator annotator;
  std::set<std::string> used;
  std::map<std::string, int> kinds;

  std::string Row(const std::string& spelling, const std::string& plain, long long frequency,
                  long long rank) {
    const std::string syllabified = syllabifier.Syllabify(plain);
    const std::string annotation = annotator.Annotate(spelling, plain);
    ++kinds[AnnotationKind(annotation)];
    for (const std::string& s : SplitSegments(plain)) used.insert(s);
    for (const std::string& s : SplitSegments(syllabified)) used.insert(s);
    return Fields(spelling, plain, syllabified, annotation, frequency, rank);
  }
};

// in.txt: the candidates, alphabetical (byte order of the spelling), each
// with its rank among them.
DataFile InTxt(const Pronunciations& words, const Tokens& tokens,
               const std::vector<Ranked>& candidates, RowMaker* rows) {
  std::map<std::string, long long> rank_of;
  for (size_t i = 0; i < candidates.size(); ++i) {
    rank_of[candidates[i].spelling] = static_cast<long long>(i + 1);
  }
  DataFile in_txt{"in.txt", {}};
  for (const auto& [spelling, rank] : rank_of) {
    in_txt.lines.push_back(rows->Row(spelling, words.at(spelling), tokens.counts.at(spelling), rank));
  }
  return in_txt;
}

// The whole dictionary, ranked among the words that have a count.
DataFile FullDictionary(const Pronunciations& words, const Tokens& tokens,
                        const std::vector<Ranked>& counted, RowMaker* rows) {
  std::unordered_map<std::string, long long> full_rank;
  for (size_t i = 0; i < counted.size(); ++i) {
    full_rank[counted[i].spelling] = static_cast<long long>(i + 1);
  }
  DataFile full{"cmudict-full.txt", {}};
  for (const auto& [spelling, plain] : words) {
    auto rank = full_rank.find(spelling);
    const bool ranked = rank != full_rank.end();
    full.lines.push_back(rows->Row(spelling, plain, ranked ? tokens.counts.at(spelling) : 0,
                                   ranked ? rank->second : 0));
  }
  return full;
}

// The tokens that are not words, most frequent first, with the reason.
DataFile LeftOutTokens(const Tokens& tokens) {
  std::vector<Ranked> left_out;
  for (const auto& [token, count] : tokens.counts) {
    if (!tokens.ExcludedReason(token).empty()) left_out.push_back({token, count});
  }
  std::sort(left_out.begin(), left_out.end(), MoreFrequent);
  DataFile file{"ExcludedTokens.txt", {}};
  for (const Ranked& token : left_out) {
    file.lines.push_back(token.spelling + "\t" + std::to_string(token.count) + "\t" +
                         tokens.ExcludedReason(token.spelling));
  }
  return file;
}

std::vector<std::string> Summary(size_t words, size_t counted, int onset_min_words,
                                 const std::vector<ClusterCount>& onsets,
                                 const std::map<std::string, int>& kinds_in,
                                 const std::map<std::string, int>& kinds_full) {
  std::vector<std::string> summary;
  summary.push_back("words in the dictionary: " + std::to_string(words));
  summary.push_back("words with a subtitle count: " + std::to_string(counted));
  summary.push_back("legal onsets (at least " + std::to_string(onset_min_words) +
                    " words): " + std::to_string(onsets.size()));
  for (const ClusterCount& onset : onsets) {
    summary.push_back("  onset " + onset.cluster + ": " + std::to_string(onset.words));
  }
  for (const auto& [file, kinds] : {std::pair{"in.txt ", &kinds_in},
                                    std::pair{"cmudict-full.txt ", &kinds_full}}) {
    for (const char* kind : {"compound", "affixed (suffix)", "affixed (prefix)"}) {
      auto it = kinds->find(kind);
      summary.push_back(file + std::string(kind) + ": " +
                        std::to_string(it == kinds->end() ? 0 : it->second));
    }
  }
  return summary;
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

Status ReadPronunciations(const std::string& path, EnglishSources* sources) {
  std::vector<std::string> lines;
  const Status read = ReadLines(path, &lines);
  if (!read.ok()) return read;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> fields = SplitFields(lines[i]);
    if (fields.size() != 2) return Status::Malformed(path, static_cast<int>(i + 1), lines[i]);
    sources->pronunciations.emplace_back(fields[0], fields[1]);
  }
  return Status::Ok();
}

Status ReadCounts(const std::string& path, EnglishSources* sources) {
  std::vector<std::string> lines;
  const Status read = ReadLines(path, &lines);
  if (!read.ok()) return read;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> fields = SplitFields(lines[i]);
    char* end = nullptr;
    long long count = fields.size() == 2 ? std::strtoll(fields[1].c_str(), &end, 10) : -1;
    if (fields.size() != 2 || fields[1].empty() || *end != '\0' || count < 0) {
      return Status::Malformed(path, static_cast<int>(i + 1), lines[i]);
    }
    sources->counts.emplace_back(fields[0], count);
  }
  return Status::Ok();
}

Status BuildEnglishDataSet(const EnglishSources& sources, const EnglishBuildOptions& options,
                           EnglishBuildResult* result) {
  const Pronunciations words = FirstPronunciations(sources);
  const std::vector<std::string> inventory = InventoryOrder();
  const Status checked = CheckSymbols(words, inventory, result);
  if (!checked.ok()) return checked;
  const Tokens tokens(sources);
  std::vector<Ranked> candidates = Candidates(tokens, words);
  if (static_cast<int>(candidates.size()) < options.word_count) {
    result->qualifying_words = candidates.size();
    return Status::Make(Status::kFailed, std::string());
  }
  candidates.resize(options.word_count);

  // Legal onsets from the word-initial clusters of the whole dictionary.
  const VowelSet vowels(Vowels("012"));
  std::vector<std::pair<std::string, std::string>> all_words(words.begin(), words.end());
  const std::vector<ClusterCount> onsets =
      ClustersAtLeast(CountInitialClusters(all_words, vowels), options.onset_min_words);
  std::vector<std::string> onset_lines;
  for (const ClusterCount& onset : onsets) onset_lines.push_back(onset.cluster);

  // Stems and compound parts are the words of in.txt.
  std::unordered_map<std::string, std::string> lexicon;
  for (const Ranked& word : candidates) lexicon[word.spelling] = words.at(word.spelling);
  RowMaker rows{Syllabifier(vowels, OnsetSet(onset_lines)), Annotator(lexicon), {"[", "]"}, {}};
  DataFile in_txt = InTxt(words, tokens, candidates, &rows);
  const std::map<std::string, int> kinds_in = std::exchange(rows.kinds, {});
  const std::vector<Ranked> counted = Counted(words, tokens);
  DataFile full = FullDictionary(words, tokens, counted, &rows);

  result->files.clear();
  result->files.push_back(std::move(in_txt));
  result->files.push_back(std::move(full));
  result->files.push_back({"AllSegments.txt", {}});
  for (const std::string& symbol : inventory) {
    if (rows.used.count(symbol) > 0) result->files.back().lines.push_back(symbol);
  }
  result->files.push_back({"SegmentKey.txt", SegmentKey()});
  result->files.push_back({"LegalOnsets.txt", onset_lines});
  result->files.push_back(LeftOutTokens(tokens));
  for (const NaturalClass& c : PlainClasses()) {
    result->files.push_back({"NaturalClasses/" + c.name + ".txt", c.members});
  }
  for (const NaturalClass& c : SyllabifiedClasses()) {
    result->files.push_back({"SyllabifiedNaturalClasses/" + c.name + ".txt", c.members});
  }
  result->summary = Summary(words.size(), counted.size(), options.onset_min_words, onsets,
                            kinds_in, rows.kinds);
  return Status::Ok();
}

}  // namespace velmora::syllabify
