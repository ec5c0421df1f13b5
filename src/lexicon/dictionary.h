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

namespace velmora {

// One transcription field of every entry; element n is field n as read, and
// operator[] gives its transcription string "[ " + field + " ]".
class TranscriptionFields {
 public:
  TranscriptionFields() : fields_(1) {}
  std::string operator[](size_t n) const {
    std::string s;
    Wrap(n, &s);
    return s;
  }
  // Puts the transcription string of entry n into *out (reusing its room).
  void Wrap(size_t n, std::string* out) const;
  std::string_view field(size_t n) const { return fields_[n]; }
  size_t size() const { return fields_.size(); }
  void push_back(std::string_view field) { fields_.push_back(field); }
  void reserve(size_t n) { fields_.reserve(n); }
  // Appends the fields of entries 1.. of another.
  void AppendFromOne(const TranscriptionFields& other);

 private:
  std::vector<std::string_view> fields_;
};

struct Dictionary {
  int32_t NumberOfWords = 0;
  // Element 0 of every array holds nothing; entry n is line n of the file.
  std::vector<std::string_view> Spellings{1};
  TranscriptionFields TranscriptionStrings;             // "[ " + field 2 + " ]"
  TranscriptionFields SyllabifiedTranscriptionStrings;  // "[ " + field 3 + " ]"
  std::vector<std::string_view> Annotations{1};
  std::vector<int32_t> Frequencies{0};
  std::vector<int32_t> SixthFieldNumbers{0};
  std::vector<int32_t> HitFlags{0};  // sized here, written by the searches

  // The file's bytes, which the transcription fields point into.
  std::shared_ptr<const std::string> storage;
};

// Fills *dict from the contents of a dictionary file: each line trimmed of
// spaces at both ends, fields cut at TABs, missing fields empty or 0, anything
// from the sixth TAB on ignored. Contents of parallelFrom bytes or more are
// read in two threads.
constexpr size_t kParallelParseBytes = 256 * 1024;
void ParseDictionary(std::string contents, Dictionary* dict, size_t parallelFrom = kParallelParseBytes);

// A transcription string without the "[ " and " ]" the reader added.
std::string_view UnwrappedTranscription(std::string_view wrapped);

}  // namespace velmora

#endif  // VELMORA_LEXICON_DICTIONARY_H_
