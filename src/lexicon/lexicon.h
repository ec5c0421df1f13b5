// A loaded lexicon: the entries of one dictionary file divided into segment
// ids (plain or syllabified, and the vowel tier once a search asks for it),
// with the phoneme inventory and the natural classes that search items are
// compiled against. One lexicon serves any number of searches.
//
// Loading never ends the process and never words a message: a failure comes
// back as a Status, and a doubt about the data found while dividing (a
// segment the inventory lacks) goes to a DivisionReporter, which decides
// whether the division goes on.
#ifndef VELMORA_LEXICON_LEXICON_H_
#define VELMORA_LEXICON_LEXICON_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classes/natural_classes.h"
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

class Lexicon {
 public:
  // Reads the dictionary file at path; whatever was divided is forgotten.
  // On failure nothing stays loaded.
  Status LoadDictionary(const std::string& path);
  // Reads AllSegments.txt: one symbol a line, trimmed. On failure the
  // inventory is empty.
  Status LoadInventory(const std::string& path);

  // Divides every transcription of the loaded dictionary into segments (the
  // syllabified field when syllabified), vetting each new symbol against the
  // inventory. Returns false when the reporter stopped it; nothing stays
  // divided then.
  bool DivideWordsIntoPhonemes(bool syllabified, DivisionReporter& reporter);
  // Makes the vowel tier of the last division, once per division.
  void MakeVowelTier();

  bool loaded() const { return loaded_; }
  bool divided() const { return divided_; }
  bool dividedSyllabified() const { return dividedSyllabified_; }
  // Forgets the dictionary and its division.
  void Unload();

  // The segments a search of tier reads, and the length of each entry there.
  const SegmentTable& Table(Tier tier) const;
  const std::vector<int32_t>& Lengths(Tier tier) const;

  // NumberOfWords, Spellings, TranscriptionStrings,
  // SyllabifiedTranscriptionStrings, Annotations, Frequencies and
  // SixthFieldNumbers.
  Dictionary dictionary;

  int32_t NumberOfPhonemes = 0;
  std::vector<std::string> Phonemes{1};

  // NumberOfNaturalClasses, NaturalClassNames, NaturalClassSizes,
  // NaturalClassMembers: the classes of one class folder.
  ClassTable classes;

  SymbolTable Symbols;  // every segment symbol of the three tables
  SegmentTable Transcriptions;
  SegmentTable SyllabifiedTranscriptions;
  SegmentTable VowelTranscriptions;
  std::vector<int32_t> TranscriptionLengths{0};
  std::vector<int32_t> VowelTranscriptionLengths{0};
  // A dictionary of this many entries or more is divided in two threads.
  int32_t ParallelDivisionFrom = 4096;

 private:
  bool loaded_ = false;
  bool divided_ = false;
  bool dividedSyllabified_ = false;      // the choice of the last division
  std::vector<uint8_t> vowelTierKeeps_;  // by symbol id: kept in the vowel tier
};

}  // namespace velmora

#endif  // VELMORA_LEXICON_LEXICON_H_
