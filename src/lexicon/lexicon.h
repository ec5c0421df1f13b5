// SPDX-License-Identifier: GPL-3.0-or-later
// A loaded lexicon: the entries of one dictionary file divided into segment
// ids (plain or syllabified, and the vowel tier once a search asks for it),
// with the phoneme inventory the division vets them against. One lexicon
// serves any number of searches.
//
// Loading never ends the process and never words a message: a failure comes
// back as a Status, and a doubt about the data found while dividing (a
// segment the inventory lacks) goes to a DivisionReporter, which decides
// whether the division goes on.
#ifndef VELMORA_LEXICON_LEXICON_H_
#define VELMORA_LEXICON_LEXICON_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/dictionary.h"
#include "lexicon/segmentation.h"
#include "platform/status.h"

namespace velmora {

// A segment of a transcription that the vetting doubts.
struct Caution {
  enum Kind {
    kCodaInPlainData,  // a coda symbol in a plain (unsyllabified) division
    kNotInInventory,   // a symbol that AllSegments.txt does not list
  };
  Kind kind;
  std::string symbol;  // the segment
  std::string word;    // the entry's transcription string from the segment on
};

class DivisionReporter {
 public:
  virtual ~DivisionReporter() = default;
  // Returns true to go on dividing, false to stop the division.
  virtual bool Continue(const Caution& caution) = 0;
};

// Which segments a search reads: the plain or syllabified division, or the
// vowel tier (boundaries and vowels only) of the last division.
enum class Tier { kPlain, kSyllabified, kVowels };

// Whether a symbol is kept in the vowel tier (besides the boundaries).
using VowelTest = std::function<bool(std::string_view symbol)>;

class Lexicon {
 public:
  // Reads the dictionary file at path; whatever was divided is forgotten.
  // On failure nothing stays loaded.
  Status LoadDictionary(const std::string& path);
  // Reads AllSegments.txt: one symbol a line, trimmed. On failure the
  // inventory is empty.
  Status LoadInventory(const std::string& path);
  // Takes the inventory another lexicon read (Phonemes(), from index 1).
  void SetInventory(const std::vector<std::string>& phonemes);

  // Divides every transcription of the loaded dictionary into segments (the
  // syllabified field when syllabified), vetting each new symbol against the
  // inventory. isVowel decides, as the classes stand now, which symbols the
  // vowel tier keeps besides the boundaries. Returns false when the reporter
  // stopped it; nothing stays divided then.
  bool DivideWordsIntoPhonemes(bool syllabified, DivisionReporter& reporter, const VowelTest& isVowel);
  // Makes the vowel tier of the last division, once per division.
  void MakeVowelTier();

  bool loaded() const { return loaded_; }
  bool divided() const { return divided_; }
  bool dividedSyllabified() const { return dividedSyllabified_; }
  // Forgets the dictionary and its division.
  void Unload();

  // NumberOfWords, Spellings, TranscriptionStrings,
  // SyllabifiedTranscriptionStrings, Annotations, Frequencies and
  // SixthFieldNumbers.
  const Dictionary& dictionary() const { return dictionary_; }
  // The inventory: Phonemes()[1..NumberOfPhonemes()] (index 0 is unused).
  int32_t NumberOfPhonemes() const { return NumberOfPhonemes_; }
  const std::vector<std::string>& Phonemes() const { return Phonemes_; }
  // Every segment symbol of the division's tables.
  const SymbolTable& Symbols() const { return Symbols_; }
  // The segments a search of tier reads, and the length of each entry there.
  const SegmentTable& Table(Tier tier) const;
  const std::vector<int32_t>& Lengths(Tier tier) const;

  // A dictionary of this many entries or more is divided in two threads.
  void SetParallelDivisionFrom(int32_t entries) { ParallelDivisionFrom_ = entries; }

 private:
  Dictionary dictionary_;
  int32_t NumberOfPhonemes_ = 0;
  std::vector<std::string> Phonemes_{1};
  SymbolTable Symbols_;
  SegmentTable Transcriptions;
  SegmentTable SyllabifiedTranscriptions;
  SegmentTable VowelTranscriptions;
  std::vector<int32_t> TranscriptionLengths{0};
  std::vector<int32_t> VowelTranscriptionLengths{0};
  int32_t ParallelDivisionFrom_ = 4096;
  bool loaded_ = false;
  bool divided_ = false;
  bool dividedSyllabified_ = false;      // the choice of the last division
  std::vector<uint8_t> vowelTierKeeps_;  // by symbol id: kept in the vowel tier
};

}  // namespace velmora

#endif  // VELMORA_LEXICON_LEXICON_H_
