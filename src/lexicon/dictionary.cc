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

std::string Wrapped(std::string_view field) {
  std::string s;
  s.reserve(field.size() + 4);
  s += "[ ";
  s += field;
  s += " ]";
  return s;
}
}  // namespace

void ParseDictionary(std::string_view contents, Dictionary* dict) {
  *dict = Dictionary();
  ForEachLine(contents, [&](std::string_view raw) {
    std::string_view rest = TrimView(raw);
    ++dict->NumberOfWords;
    dict->Spellings.emplace_back(NextField(&rest));
    dict->TranscriptionStrings.push_back(Wrapped(NextField(&rest)));
    dict->SyllabifiedTranscriptionStrings.push_back(Wrapped(NextField(&rest)));
    dict->Annotations.emplace_back(NextField(&rest));
    dict->Frequencies.push_back(NumericValue(NextField(&rest)));
    dict->SixthFieldNumbers.push_back(NumericValue(NextField(&rest)));
    dict->HitFlags.push_back(0);
  });
}

std::string_view UnwrappedTranscription(std::string_view wrapped) {
  if (wrapped.size() <= 4) return {};
  return wrapped.substr(2, wrapped.size() - 4);
}

}  // namespace velmora
