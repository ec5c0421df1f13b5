// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary: one entry per line of a six-field TAB-separated file
// (spelling, plain transcription, syllabified transcription, annotation,
// frequency, sixth number), held as parallel arrays numbered from 1.
//
// The file's bytes are kept whole; the two transcription fields are views
// into them, and their bracketed form "[ " + field + " ]" is made on demand,
// so reading costs no allocation per transcription.
#ifndef VELMORA_LEXICON_DICTIONARY_H_
#define VELMORA_LEXICON_DICTIONARY_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/big_memory.h"

namespace velmora {

// The texts of one field of every entry, kept as places in the file's bytes
// (eight bytes an entry, half of a view); element 0 is empty. Texts put in
// must lie within the bytes named by SetBase, which hold less than 4 GiB.
class FieldColumn {
 public:
  FieldColumn() : places_(1) {}
  std::string_view operator[](size_t n) const {
    const Place& p = places_[n];
    return p.length == 0 ? std::string_view() : std::string_view(base_ + p.offset, p.length);
  }
  size_t size() const { return places_.size(); }
  void SetBase(const char* base) { base_ = base; }
  void push_back(std::string_view text) {
    places_.push_back(text.empty() ? Place{}
                                   : Place{static_cast<uint32_t>(text.data() - base_),
                                           static_cast<uint32_t>(text.size())});
  }
  void reserve(size_t n) { places_.reserve(n); }
  // Appends entries 1.. of another column over the same bytes.
  void AppendFromOne(const FieldColumn& other) {
    places_.insert(places_.end(), other.places_.begin() + 1, other.places_.end());
  }

 private:
  struct Place {
    uint32_t offset = 0;
    uint32_t length = 0;
  };
  const char* base_ = nullptr;
  BigVector<Place> places_;
};

// One transcription field of every entry; field(n) is field n as read, and
// operator[] gives its transcription string "[ " + field + " ]".
class TranscriptionFields : public FieldColumn {
 public:
  std::string operator[](size_t n) const {
    std::string s;
    Wrap(n, &s);
    return s;
  }
  // Puts the transcription string of entry n into *out (reusing its room).
  void Wrap(size_t n, std::string* out) const;
  std::string_view field(size_t n) const { return FieldColumn::operator[](n); }
};

struct Dictionary {
  int32_t NumberOfWords = 0;
  // Element 0 of every array holds nothing; entry n is line n of the file.
  FieldColumn Spellings;
  TranscriptionFields TranscriptionStrings;             // "[ " + field 2 + " ]"
  TranscriptionFields SyllabifiedTranscriptionStrings;  // "[ " + field 3 + " ]"
  FieldColumn Annotations;
  BigVector<int32_t> Frequencies{0};
  BigVector<int32_t> SixthFieldNumbers{0};

  // The file's bytes, which the fields point into, and what keeps them.
  std::string_view bytes;
  std::shared_ptr<const void> storage;
};

// Fills *dict from the contents of a dictionary file: each line trimmed of
// spaces at both ends, fields cut at TABs, missing fields empty or 0, anything
// from the sixth TAB on ignored. Contents of parallelFrom bytes or more are
// read in two threads. REQUIRES: contents.size() < kMaxDictionaryBytes.
constexpr size_t kMaxDictionaryBytes = size_t{1} << 32;
constexpr size_t kParallelParseBytes = 256 * 1024;
void ParseDictionary(std::string contents, Dictionary* dict, size_t parallelFrom = kParallelParseBytes);
// The same over bytes that owner keeps.
void ParseDictionary(std::shared_ptr<const void> owner, std::string_view bytes, Dictionary* dict,
                     size_t parallelFrom = kParallelParseBytes);

}  // namespace velmora

#endif  // VELMORA_LEXICON_DICTIONARY_H_
