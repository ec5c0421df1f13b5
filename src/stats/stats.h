// SPDX-License-Identifier: GPL-3.0-or-later
// Lexical statistics over a dictionary: for every entry (or every word of a
// word list) its homophones, phonological neighbours and their frequency,
// uniqueness point, cohort, rhymes and positional probabilities, and the
// minimal pairs and functional load of pairs of segments.
//
// Every transcription is interned once as a "form": its sequence of key ids.
// The measures are counts over forms found through hash tables (the forms of
// one length with one position left out, and the forms one shorter) and
// through the forms in sorted order, so the work grows with the segments of
// the dictionary, never with pairs of words. Rows are pushed to a sink as
// they are made.
#ifndef VELMORA_STATS_STATS_H_
#define VELMORA_STATS_STATS_H_

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lexicon/dictionary.h"
#include "lexicon/flat_index.h"
#include "stats/arena.h"
#include "stats/hash_groups.h"

namespace velmora {

enum class Weight { kLog, kToken, kType };

struct StatsOptions {
  bool keepStress = false;  // every symbol its own key; else a final 0, 1 or 2 is dropped
  Weight weight = Weight::kLog;
  int32_t cohort = 2;       // K >= 1: the leading symbols a cohort shares
};

// The key a symbol is compared by: the symbol without a final stress digit,
// or the symbol itself with keepStress.
std::string_view KeyOf(std::string_view symbol, bool keepStress);
// A frequency field as the statistics count it: its value when it is ASCII
// digits only (at most 2147483647), spaces around them aside, else 0. (The
// results of a search write each number between two spaces, and a search of
// those results counts the same frequencies.)
int32_t StatsFrequency(std::string_view field);
// The symbols of a transcription field: the pieces between blanks.
std::vector<std::string_view> SplitSymbols(std::string_view field);
void SplitSymbols(std::string_view field, std::vector<std::string_view>* symbols);

// One row of Statistics.txt.
struct StatsRow {
  std::string_view word, transcription;
  int32_t segments = 0, frequency = 0, homophones = 0;
  int32_t substitutions = 0, deletions = 0, additions = 0;
  int64_t neighbourFrequency = 0;
  int32_t uniquenessPoint = 0, cohort = 0, rhymes = 0;
  double segmentProbability = 0, biphoneProbability = 0;
  int32_t neighbours() const { return substitutions + deletions + additions; }
};

// What the rows are pushed to.
class StatsSink {
 public:
  virtual ~StatsSink() = default;
  virtual void Row(const StatsRow& row) = 0;
  // A neighbour of the row last pushed; kind 'S', 'D' or 'A'.
  virtual void Neighbour(std::string_view word, std::string_view neighbour, char kind) {
    (void)word, (void)neighbour, (void)kind;
  }
  // A minimal pair; position counts from 1.
  virtual void MinimalPair(std::string_view wordWithX, std::string_view wordWithY, int32_t position) {
    (void)wordWithX, (void)wordWithY, (void)position;
  }
};

// One row a word list asks for: an entry, or a word measured against the
// lexicon (entry 0) with its own spelling and transcription field.
struct StatsSubject {
  int32_t entry = 0;
  std::string spelling, transcription;
  uint32_t form = 0;       // set by AddWord
  int32_t rhymeStart = -1;  // set by AddWord
};

// A sequence of key ids: keys[0 .. size).
struct Seq {
  const uint32_t* keys;
  uint32_t size;
};
// The hash of a sequence: the sum of (key + 1) * kRadix^k over its keys,
// mixed with its length. A pass that leaves out position i of many
// sequences keeps for each the sum of its keys before i and the sum of them
// all, and so hashes each without i in a few steps (SkipHash).
uint64_t HashOf(const Seq& seq);
namespace seq_hash {
// The radix (odd, so that it has an inverse modulo 2^64) and that inverse,
// found by Newton's iteration.
inline constexpr uint64_t kRadix = 0x9E3779B97F4A7C15ull;
constexpr uint64_t Inverse(uint64_t a) {
  uint64_t x = a;  // right in the lowest 3 bits; each step doubles that
  for (int i = 0; i < 5; ++i) x *= 2 - a * x;
  return x;
}
inline constexpr uint64_t kInverseRadix = Inverse(kRadix);
static_assert(kRadix * kInverseRadix == 1);
inline uint64_t Mixed(uint64_t sum, uint32_t length) {
  uint64_t h = sum ^ (uint64_t{length} * 0xD6E8FEB86659FD93ull);
  h ^= h >> 32;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 29;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 32);
}
// The sum of a sequence of size keys.
inline uint64_t SumOf(const uint32_t* keys, uint32_t size) {
  uint64_t sum = 0, power = 1;
  for (uint32_t k = 0; k < size; ++k, power *= kRadix) sum += (uint64_t{keys[k]} + 1) * power;
  return sum;
}
// The hash of a sequence of size keys (sum: their sum) with the one at a
// position left out: before (the sum of the keys before it) and term (its
// own term) given. The keys after it move one power down.
inline uint64_t SkipHash(uint64_t sum, uint32_t size, uint64_t before, uint64_t term) {
  return Mixed(before + (sum - before - term) * kInverseRadix, size - 1);
}
}  // namespace seq_hash
bool SameSeq(const Seq& a, const Seq& b);

// A pair of keys with its number of minimal pairs; first < second in byte order.
struct SegmentLoad {
  std::string first, second;
  int64_t pairs = 0;
};

class LexicalStatistics {
 public:
  // What Compute works out besides the rows' counts.
  struct Wants {
    bool neighbourLists = false;
    bool functionalLoad = false;
    bool minimalPairs = false;
    std::string x, y;  // the two symbols of --minimal-pairs (compared by their keys)
  };

  // REQUIRES: dict outlives this object.
  LexicalStatistics(const Dictionary& dict, const StatsOptions& options);
  // Makes a word of a word list (entry 0) known before Compute: sets its
  // form and rhyming part from its transcription.
  void AddWord(StatsSubject& word);
  // Computes every measure. Call once, after the AddWord calls.
  void Compute(const Wants& wants);

  // Pushes the row of every entry, or of each subject in order, with its
  // neighbours and minimal pairs as wanted.
  void PushRows(const std::vector<StatsSubject>* subjects, StatsSink& sink) const;
  // Every pair of keys with a minimal pair: most pairs first, ties in byte order.
  std::vector<SegmentLoad> FunctionalLoad() const;

 private:
  struct Link {
    uint32_t form, other;
    int32_t data;  // the kind of neighbour, or the position of a minimal pair (negative: form has Y)
  };
  ArenaAllocator<char> Memory() const { return ArenaAllocator<char>(arena_.get()); }
  Seq FormSeq(uint32_t f) const { return {keys_.data() + formStart_[f], Length(f)}; }
  uint32_t Length(uint32_t f) const { return formStart_[f + 1] - formStart_[f]; }
  uint32_t InternKey(std::string_view key);
  uint32_t SymbolKey(std::string_view symbol);
  uint32_t InternForm(const std::vector<uint32_t>& keys);
  int64_t FindForm(const Seq& seq, uint64_t hash) const;
  // The keys of the symbols of a transcription field into *keys; returns
  // where its rhyming part starts, or -1.
  int32_t SplitKeys(std::string_view field, std::vector<uint32_t>* keys);
  int64_t FindRhyme(const Seq& suffix) const;
  // The forms of one length with their keys side by side (row k: the keys
  // of forms[k]), the sum of each (see HashOf) and, while the passes of the
  // length go along the positions, the sum of each one's keys before the
  // position.
  struct Block {
    explicit Block(ArenaAllocator<char> memory) : keys(memory), sums(memory), before(memory) {}
    std::span<const uint32_t> forms;
    uint32_t length = 0;
    ArenaVector<uint32_t> keys;
    ArenaVector<uint64_t> sums, before;
    const uint32_t* Row(size_t k) const { return keys.data() + k * length; }
  };
  void FillBlock(std::span<const uint32_t> forms, uint32_t length, Block* block) const;
  // Substitution neighbours share the keys but one, deletion neighbours are
  // one key shorter: a pass takes the forms of one length with the key at
  // one position left out, groups them, and finds the forms one shorter
  // among the groups.
  void CountNeighbours(const Wants& wants);
  // power: kRadix to the position.
  void NeighbourPass(Block& longer, const Block& shorter, uint32_t position, uint64_t power, const Wants& wants);
  void GroupForms(Block& block, uint32_t position, uint64_t power);
  void CountDeletions(const Block& longer, const Block& shorter, uint32_t position, bool lists);
  // The lists' links and the functional load of each pair of a group.
  void PairsInGroups(const Block& block, uint32_t position, const Wants& wants);
  void CountRhymes();
  void ListEntriesOfForms();  // entriesStart_ and entriesOfForm_
  void CountPositions();
  void SortForms();
  int32_t UniquenessPoint(uint32_t f) const;
  int64_t CohortOf(uint32_t f) const;
  std::pair<double, double> Probabilities(uint32_t f) const;
  double Weight(int32_t frequency) const;
  // The row of entry (its rhymes counted already), or of a word (entry 0).
  StatsRow RowOf(uint32_t f, int32_t entry, int32_t rhymeStart) const;
  void PushLinks(const StatsRow& row, uint32_t f, bool bothSides, StatsSink& sink) const;

  const Dictionary& dict_;
  const StatsOptions options_;
  // The arrays of the keys, forms, entries and passes below live here (its
  // place stays put when the statistics are moved); the small tables and
  // the links' arrays do not.
  std::unique_ptr<StatsArena> arena_ = std::make_unique<StatsArena>();
  // Keys: text by id, the id of each text, and the key id + 1 of each symbol
  // of up to seven bytes (packed with its length), with the symbols last
  // looked up before that.
  std::vector<std::string> keyText_;
  std::unordered_map<std::string, uint32_t> keyIds_;
  FlatIndex shortSymbols_;
  std::array<std::pair<uint64_t, uint32_t>, 256> recentSymbols_{};  // by packed symbol's hash: the last seen
  // Forms: their keys one after another; form f is keys_[formStart_[f] ..
  // formStart_[f + 1]). Per form, its entries' number and frequency sum.
  ArenaVector<uint32_t> keys_{Memory()};
  ArenaVector<uint32_t> formStart_{1, 0, Memory()};
  ArenaVector<int32_t> formEntries_{Memory()};
  ArenaVector<int64_t> formFrequency_{Memory()};
  HashGroups formIndex_{Memory()};
  // Per entry (from 1): its form, frequency, where its rhyming part starts
  // (or -1) and its rhymes.
  ArenaVector<uint32_t> entryForm_{Memory()};
  ArenaVector<int32_t> entryFrequency_{Memory()};
  ArenaVector<int32_t> entryRhymeStart_{Memory()};
  ArenaVector<int32_t> entryRhymes_{Memory()};
  // Rhyming parts by (form, start); entries per rhyming part, and per form and
  // rhyme length.
  HashGroups rhymeIndex_{Memory()};
  ArenaVector<std::pair<uint32_t, uint32_t>> rhymeRep_{Memory()};
  ArenaVector<int32_t> rhymeEntries_{Memory()};
  // (form << 32 | rhyme length) -> index + 1 into formRhymeEntries_, for
  // the forms of more than one entry
  FlatIndex formRhymeIndex_;
  ArenaVector<int32_t> formRhymeEntries_{Memory()};
  // The measures of each form.
  ArenaVector<int32_t> substitutions_{Memory()}, deletions_{Memory()}, additions_{Memory()};
  ArenaVector<int64_t> neighbourFrequency_{Memory()};
  ArenaVector<uint32_t> sorted_{Memory()};       // forms with entries, in key order
  ArenaVector<int32_t> sortedEntries_{Memory()}; // entries of sorted_[0 .. i) (at most the entries: 32 bits)
  ArenaVector<int32_t> rank_{Memory()};          // by form: its place in sorted_, or -1
  ArenaVector<uint32_t> shared_{Memory()};       // keys sorted_[i] shares with sorted_[i + 1]
  ArenaVector<int32_t> cohortRun_{Memory()};     // by place: the entries that share its first K keys
  // Positional weights: entries with at least i symbols, and each (position, key) and (position, pair).
  ArenaVector<double> atLeast_{Memory()};
  FlatIndex segmentIndex_, pairIndex_, biphoneIndex_;
  uint32_t pairCount_ = 0;
  ArenaVector<double> segmentWeight_{Memory()}, biphoneWeight_{Memory()};
  ArenaVector<std::pair<double, double>> formProbabilities_{Memory()};  // by form: segment, biphone
  // Links kept for the lists: neighbours and minimal pairs, by form; the
  // entries of each form in dictionary order (made for the lists and the
  // words only).
  BigVector<Link> neighbourLinks_, pairLinks_;
  ArenaVector<uint32_t> entriesOfForm_{Memory()}, entriesStart_{Memory()};
  std::vector<std::pair<std::pair<uint32_t, uint32_t>, int64_t>> loads_;
  FlatIndex loadIndex_;
  // A pass's groups: a form of each (its row), their entries and frequency,
  // the group of each form and the shorter form of each group (its row + 1,
  // or 0); kept from pass to pass, so that no pass touches fresh memory.
  HashGroups groups_{Memory()};
  ArenaVector<uint32_t> passRep_{Memory()}, passGroupOf_{Memory()}, passShorter_{Memory()};
  ArenaVector<uint64_t> passHash_{Memory()};  // the hash of each form (or shorter form) looked up
  ArenaVector<int32_t> passEntries_{Memory()};
  ArenaVector<int64_t> passFrequency_{Memory()};
  uint32_t x_ = UINT32_MAX, y_ = UINT32_MAX;
  bool hasWords_ = false;  // whether AddWord was called
};

}  // namespace velmora

#endif  // VELMORA_STATS_STATS_H_
