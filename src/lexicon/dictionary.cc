#include "lexicon/dictionary.h"

#include "lexicon/text.h"

namespace velmora {


void TranscriptionFields::Wrap(size_t n, std::string* out) const {
  const std::string_view field = fields_[n];
  out->clear();
  out->reserve(field.size() + 4);
  out->append("[ ");
  out->append(field);
  out->append(" ]");
}

void ParseDictionary(std::string contents, Dictionary* dict) {
  *dict = Dictionary();
  auto storage = std::make_shared<const std::string>(std::move(contents));
  dict->storage = storage;
  // A line holds at least its line end: reserving by a rough count saves
  // regrowing the arrays.
  const size_t guess = storage->size() / 40 + 1;
  dict->Spellings.reserve(guess);
  dict->Annotations.reserve(guess);
  ForEachLine(*storage, [&](std::string_view raw) {
    const std::string_view line = TrimView(raw);
    // The six fields in one pass: each ends at a TAB or the end of the line.
    std::string_view fields[6];
    size_t start = 0;
    for (int f = 0; f < 6; ++f) {
      if (start > line.size()) break;  // the line lacks this field
      size_t stop = line.find('\t', start);
      if (stop == std::string_view::npos) stop = line.size();
      fields[f] = line.substr(start, stop - start);
      start = stop + 1;
    }
    ++dict->NumberOfWords;
    dict->Spellings.emplace_back(fields[0]);
    dict->TranscriptionStrings.push_back(fields[1]);
    dict->SyllabifiedTranscriptionStrings.push_back(fields[2]);
    dict->Annotations.emplace_back(fields[3]);
    dict->Frequencies.push_back(NumericValue(fields[4]));
    dict->SixthFieldNumbers.push_back(NumericValue(fields[5]));
  });
  dict->HitFlags.assign(static_cast<size_t>(dict->NumberOfWords) + 1, 0);
}

std::string_view UnwrappedTranscription(std::string_view wrapped) {
  if (wrapped.size() <= 4) return {};
  return wrapped.substr(2, wrapped.size() - 4);
}

}  // namespace velmora
