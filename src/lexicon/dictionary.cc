#include "lexicon/dictionary.h"

#include "lexicon/text.h"

namespace velmora {

namespace {
// Cuts the next field off the front of *rest, as TextBeforeTab / TextAfterTab do.
std::string_view NextField(std::string_view* rest) {
  size_t p = rest->find('\t');
  std::string_view field = rest->substr(0, p);
  *rest = p == std::string_view::npos ? std::string_view() : rest->substr(p + 1);
  return field;
}
}  // namespace

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
    std::string_view rest = TrimView(raw);
    ++dict->NumberOfWords;
    dict->Spellings.emplace_back(NextField(&rest));
    dict->TranscriptionStrings.push_back(NextField(&rest));
    dict->SyllabifiedTranscriptionStrings.push_back(NextField(&rest));
    dict->Annotations.emplace_back(NextField(&rest));
    dict->Frequencies.push_back(NumericValue(NextField(&rest)));
    dict->SixthFieldNumbers.push_back(NumericValue(NextField(&rest)));
  });
  dict->HitFlags.assign(static_cast<size_t>(dict->NumberOfWords) + 1, 0);
}

std::string_view UnwrappedTranscription(std::string_view wrapped) {
  if (wrapped.size() <= 4) return {};
  return wrapped.substr(2, wrapped.size() - 4);
}

}  // namespace velmora
