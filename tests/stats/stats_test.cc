// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics against a reference written literally from their
// definitions (pairwise edit distance, literal prefixes, literal counts), on
// hand-made lexica and on random ones.
#include "stats/stats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>

#include "engine/statistics_files.h"
#include "stats/word_list.h"

namespace velmora {
namespace {

using Keys = std::vector<std::string>;
const Keys kInventory = {"", "A0", "A1", "A2", "B", "B1", "C", "D", "E0", "E1"};
struct Word { std::string spelling, transcription; int32_t frequency; };

std::string Format(std::string_view word, std::string_view transcription, const std::vector<int64_t>& counts,
                   double segment, double biphone) {
  std::ostringstream s;
  s << word << '|' << transcription;
  for (int64_t n : counts) s << '|' << n;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "|%.6f|%.6f", segment, biphone);
  return s.str() + buffer;
}

class Lines : public StatsSink {
 public:
  void Row(const StatsRow& r) override {
    lines.push_back(Format(r.word, r.transcription,
                           {r.segments, r.frequency, r.homophones, r.neighbours(), r.substitutions, r.deletions,
                            r.additions, r.neighbourFrequency, r.uniquenessPoint, r.cohort, r.rhymes},
                           r.segmentProbability, r.biphoneProbability));
  }
  void Neighbour(std::string_view w, std::string_view n, char kind) override {
    lines.push_back(std::string(w) + " N " + std::string(n) + " " + kind);
  }
  void MinimalPair(std::string_view x, std::string_view y, int32_t p) override {
    lines.push_back(std::string(x) + " P " + std::string(y) + " " + std::to_string(p));
  }
  std::vector<std::string> lines;
};

// The reference: every measure of word q against the lexicon, literally.
struct Reference {
  std::vector<Word> words;
  StatsOptions o;
  std::string x, y;
  Keys Symbols(const std::string& t) const {
    Keys out;
    std::istringstream in(t);
    for (std::string s; in >> s;) out.push_back(s);
    return out;
  }
  Keys KeysOf(const std::string& t) const {
    Keys out = Symbols(t);
    for (std::string& s : out) {
      if (!o.keepStress && !s.empty() && (s.back() == '0' || s.back() == '1' || s.back() == '2')) s.pop_back();
    }
    return out;
  }
  static int Distance(const Keys& a, const Keys& b) {
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= a.size(); ++i)
      for (size_t j = 1; j <= b.size(); ++j)
        d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
    return d[a.size()][b.size()];
  }
  std::optional<Keys> Rhyme(const std::string& t) const {
    const Keys s = Symbols(t), k = KeysOf(t);
    for (char stresses : {'s', 'v'})  // stressed vowels first, then any vowel
      for (size_t i = s.size(); i-- > 0;) {
        const char c = s[i].back();
        if (c == '1' || c == '2' || (stresses == 'v' && c == '0')) return Keys(k.begin() + static_cast<long>(i), k.end());
      }
    return std::nullopt;
  }
  double W(int32_t f) const {
    return o.weight == Weight::kLog ? std::log10(f + 1.0) : o.weight == Weight::kToken ? f : 1.0;
  }
  // Sum of the weights of the entries for which test holds, in dictionary order.
  template <typename Test> double Sum(Test test) const {
    double sum = 0;
    for (const Word& w : words) if (test(KeysOf(w.transcription))) sum += W(w.frequency);
    return sum;
  }
  // The row of q (self: its entry index, or -1) and its neighbour and pair lines.
  void Row(const Word& q, int self, bool bothSides, std::vector<std::string>* out) const {
    const Keys k = KeysOf(q.transcription);
    const size_t L = k.size();
    int64_t homophones = 0, subs = 0, dels = 0, adds = 0, nf = 0, shared = 0, cohort = 0, rhymes = 0;
    std::vector<std::string> neighbours, pairs;
    for (size_t e = 0; e < words.size(); ++e) {
      if (static_cast<int>(e) == self) continue;
      const Keys ke = KeysOf(words[e].transcription);
      homophones += ke == k;
      if (ke != k) {
        size_t p = 0;
        while (p < std::min(L, ke.size()) && k[p] == ke[p]) ++p;
        shared = std::max<int64_t>(shared, static_cast<int64_t>(p));
      }
      if (L > 0 && ke.size() >= std::min<size_t>(L, o.cohort) &&
          std::equal(k.begin(), k.begin() + std::min<long>(static_cast<long>(L), o.cohort), ke.begin())) ++cohort;
      const auto r = Rhyme(q.transcription), re = Rhyme(words[e].transcription);
      rhymes += r && re && *r == *re && ke != k;
      if (Distance(k, ke) == 1) {
        const char kind = ke.size() == L ? 'S' : ke.size() < L ? 'D' : 'A';
        (kind == 'S' ? subs : kind == 'D' ? dels : adds)++;
        nf += words[e].frequency;
        neighbours.push_back(q.spelling + " N " + words[e].spelling + " " + kind);
      }
      if (ke.size() == L && Distance(k, ke) == 1) {
        size_t p = 0;
        while (k[p] == ke[p]) ++p;
        const std::string kx = KeysOf(x).at(0), ky = KeysOf(y).at(0), pos = " " + std::to_string(p + 1);
        if (k[p] == kx && ke[p] == ky) pairs.push_back(q.spelling + " P " + words[e].spelling + pos);
        if (bothSides && k[p] == ky && ke[p] == kx) pairs.push_back(words[e].spelling + " P " + q.spelling + pos);
      }
    }
    double segment = 0, biphone = 0;
    for (size_t i = 0; i < L; ++i) {
      const double below = Sum([&](const Keys& ke) { return ke.size() >= i + 1; });
      const double num = Sum([&](const Keys& ke) { return ke.size() >= i + 1 && ke[i] == k[i]; });
      segment += below == 0 ? 0 : num / below;
      if (i + 1 == L) continue;
      const double belowPair = Sum([&](const Keys& ke) { return ke.size() >= i + 2; });
      const double numPair =
          Sum([&](const Keys& ke) { return ke.size() >= i + 2 && ke[i] == k[i] && ke[i + 1] == k[i + 1]; });
      biphone += belowPair == 0 ? 0 : numPair / belowPair;
    }
    out->push_back(Format(q.spelling, q.transcription,
                          {static_cast<int64_t>(L), self >= 0 ? q.frequency : 0, homophones, subs + dels + adds, subs,
                           dels, adds, nf, shared + 1, cohort, rhymes},
                          segment, biphone));
    out->insert(out->end(), neighbours.begin(), neighbours.end());
    out->insert(out->end(), pairs.begin(), pairs.end());
  }
  std::vector<std::string> Loads() const {
    std::map<std::pair<std::string, std::string>, int64_t> count;
    for (size_t a = 0; a < words.size(); ++a)
      for (size_t b = a + 1; b < words.size(); ++b) {
        const Keys ka = KeysOf(words[a].transcription), kb = KeysOf(words[b].transcription);
        if (ka.size() != kb.size() || Distance(ka, kb) != 1) continue;
        size_t p = 0;
        while (ka[p] == kb[p]) ++p;
        ++count[std::minmax(ka[p], kb[p])];
      }
    std::vector<std::pair<int64_t, std::string>> sorted;
    for (const auto& [keys, n] : count) sorted.emplace_back(-n, keys.first + " " + keys.second);
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::string> out;
    for (const auto& [n, keys] : sorted) out.push_back(keys + " " + std::to_string(-n));
    return out;
  }
};

// The fast statistics and the reference on one lexicon, over every entry and over a word list.
void Compare(const std::vector<Word>& words, const StatsOptions& o, const std::string& listText, const char* what) {
  SCOPED_TRACE(std::string(what) + " keep-stress " + std::to_string(o.keepStress) + " cohort " +
               std::to_string(o.cohort) + " weight " + std::to_string(static_cast<int>(o.weight)));
  std::string file;
  for (const Word& w : words) file += w.spelling + "\t" + w.transcription + "\t\t\t" + std::to_string(w.frequency) + "\r\n";
  Dictionary dict;
  ParseDictionary(file, &dict);
  const Reference ref{words, o, "B1", "D"};
  for (bool listed : {false, true}) {
    WordList list = ReadWordList(listText, dict, kInventory);
    LexicalStatistics stats(dict, o);
    for (StatsSubject& s : list.subjects) if (s.entry == 0) stats.AddWord(s);
    stats.Compute({.neighbourLists = true, .functionalLoad = true, .minimalPairs = true, .x = "B1", .y = "D"});
    Lines fast;
    stats.PushRows(listed ? &list.subjects : nullptr, fast);
    std::vector<std::string> expected;
    if (!listed) {
      for (size_t e = 0; e < words.size(); ++e) ref.Row(words[e], static_cast<int>(e), false, &expected);
    } else {
      for (const StatsSubject& s : list.subjects) {
        const int e = s.entry - 1;
        ref.Row(e >= 0 ? words[static_cast<size_t>(e)] : Word{s.spelling, s.transcription, 0}, e, true, &expected);
      }
    }
    EXPECT_EQ(fast.lines, expected) << (listed ? "word list" : "every entry");
  }
  LexicalStatistics stats(dict, o);
  LexicalStatistics::Wants loadOnly;
  loadOnly.functionalLoad = true;
  stats.Compute(loadOnly);
  std::vector<std::string> loads;
  for (const SegmentLoad& l : stats.FunctionalLoad()) loads.push_back(l.first + " " + l.second + " " + std::to_string(l.pairs));
  EXPECT_EQ(loads, ref.Loads());
}

TEST(Statistics, EveryMeasureAgreesWithItsDefinition) {
  const std::pair<const char*, int32_t> frequencies[] = {
      {"30", 30}, {" 30 ", 30}, {"", 0}, {"3x", 0}, {"-5", 0}, {"+5", 0}, {"\t30", 0}, {"99999999999", INT32_MAX}};
  for (const auto& [field, value] : frequencies) EXPECT_EQ(StatsFrequency(field), value) << field;
  // Homophones (one by stress only), prefixes, runs of a symbol, empty and one-symbol transcriptions, double blanks.
  const std::vector<Word> handMade = {
      {"cab", "C A1 B", 5},      {"Cab", "C A1 B", 0},    {"cabe", "C A1 B E0", 12}, {"cob", "C A0 B", 3},
      {"ab", "A1 B", 7},         {"b", "B", 1},           {"", "", 0},               {"d", "D", 2},
      {"bb", "B B", 0},          {"bab", "B A1 B", 4},    {"dab", "D A1 B", 9},      {"cabbed", "C A1 B B E1 D", 1},
      {"cabed", "C A1  B E1 D", 2}, {"accent", "A2 C C E1 D", 6}, {"bee", "B1 E1", 0}, {"dee", "D E1", 3},
      {"blank", " ", 0},         {"cad", "C A1 D", 8},    {"cabd", "C A1 B1 D", 0},  {"e", "E0", 1}};
  const std::string handList = "CAB\nnope\n\nzz\tC A1 D\n\n  bee  \nq\tC Q1\nnw\tC A1 B\nempty\t\nlong\tC A1 B E0 D\nlongest\tC A1 B E0 D D D\n";
  for (bool keep : {false, true})
    for (int32_t k : {1, 2, 4})
      for (Weight w : {Weight::kLog, Weight::kToken, Weight::kType})
        Compare(handMade, {keep, w, k}, handList, "hand-made");
  // Random lexica over a few symbols: many homophones, neighbours and minimal pairs.
  const char* symbols[] = {"A0", "A1", "A2", "B", "B1", "C", "D", "E0", "E1"};
  std::mt19937 random(20261207);
  for (int round = 0; round < 12; ++round) {
    std::vector<Word> words;
    std::string list;
    auto transcription = [&] {
      std::string t;
      for (int n = static_cast<int>(random() % 6); n > 0; --n) t += std::string(t.empty() ? "" : " ") + symbols[random() % 9];
      return t;
    };
    for (int e = 0; e < 40 + round * 5; ++e) {
      words.push_back({"w" + std::to_string(e % 30), transcription(), static_cast<int32_t>(random() % 50)});
      if (e % 7 == 0) list += "W" + std::to_string(e) + "\nn" + std::to_string(e) + "\t" + transcription() + "\n";
    }
    Compare(words, {round % 2 == 1, static_cast<Weight>(round % 3), 1 + round % 3}, list, "random");
  }
}

// The probabilities' own formatting against printf: random values of every
// size, exact halves (k / 128) and the doubles on either side of the halves.
TEST(Statistics, ProbabilitiesAreWrittenAsPrintfWritesThem) {
  std::vector<double> values = {0, -0.0, 1e-7, 5e-7, 0.0000005, 0.9999995, 999999999.9999995, 1e9, 1e15, 1e300, -1.5};
  std::mt19937_64 random(7);
  for (int k = 0; k < 2000; ++k) {
    values.push_back(static_cast<double>(k) / 128);
    const double half = (static_cast<double>(random() % 100000000) + 0.5) / 1e6;
    values.insert(values.end(), {half, std::nextafter(half, 0.0), std::nextafter(half, 1e10)});
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), -53 + static_cast<int>(random() % 80)));
    values.push_back(std::uniform_real_distribution<double>(0, 40)(random));
  }
  for (double x : values) {
    char expected[400], written[kFixed6Room];
    std::snprintf(expected, sizeof expected, "%.6f", x);
    EXPECT_EQ(std::string(written, AppendFixed6(written, x)), expected) << x;
  }
}

}  // namespace
}  // namespace velmora
