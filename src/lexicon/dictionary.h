// The dictionary: one entry per line of a six-field TAB-separated file
// (spelling, plain transcription, syllabified transcription, annotation,
// frequency, sixth number), held as parallel arrays numbered from 1.
#ifndef VELMORA_LEXICON_DICTIONARY_H_
#define VELMORA_LEXICON_DICTIONARY_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct Dictionary {
  int32_t NumberOfWords = 0;
  // Element 0 of every array holds nothing; entry n is line n of the file.
  std::vector<std::string> Spellings{1};
  std::vector<std::string> TranscriptionStrings{1};             // "[ " + field 2 + " ]"
  std::vector<std::string> SyllabifiedTranscriptionStrings{1};  // "[ " + field 3 + " ]"
  std::vector<std::string> Annotations{1};
  std::vector<int32_t> Frequencies{0};
  std::vector<int32_t> SixthFieldNumbers{0};
  std::vector<int32_t> HitFlags{0};  // sized here, written by the searches
};

// Fills *dict from the contents of a dictionary file: each line trimmed of
// spaces at both ends, fields cut at TABs, missing fields empty or 0, anything
// from the sixth TAB on ignored.
void ParseDictionary(std::string_view contents, Dictionary* dict);

// A transcription string without the "[ " and " ]" the reader added.
std::string_view UnwrappedTranscription(std::string_view wrapped);

}  // namespace velmora

#endif  // VELMORA_LEXICON_DICTIONARY_H_
