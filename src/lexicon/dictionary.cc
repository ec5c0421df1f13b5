// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/dictionary.h"

#include <exception>
#include <thread>

#include "platform/text.h"

namespace velmora {

void TranscriptionFields::Wrap(size_t n, std::string* out) const {
  const std::string_view text = field(n);
  out->clear();
  out->reserve(text.size() + 4);
  out->append("[ ");
  out->append(text);
  out->append(" ]");
}

namespace {

// Makes room for this many entries: an entry of the bundled dictionaries
// takes some 65 bytes of the file, so a room of one entry per 40 bytes is
// seldom outgrown.
void Reserve(Dictionary* dict, size_t entries) {
  dict->Spellings.reserve(entries);
  dict->TranscriptionStrings.reserve(entries);
  dict->SyllabifiedTranscriptionStrings.reserve(entries);
  dict->Annotations.reserve(entries);
  dict->Frequencies.reserve(entries);
  dict->SixthFieldNumbers.reserve(entries);
}

// Appends the entries of the lines of text to *dict.
void ParseLines(std::string_view text, Dictionary* dict) {
  Reserve(dict, dict->Spellings.size() + text.size() / 40 + 1);
  ForEachLine(text, [&](std::string_view raw) {
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
    dict->Spellings.push_back(fields[0]);
    dict->TranscriptionStrings.push_back(fields[1]);
    dict->SyllabifiedTranscriptionStrings.push_back(fields[2]);
    dict->Annotations.push_back(fields[3]);
    dict->Frequencies.push_back(NumericValue(fields[4]));
    dict->SixthFieldNumbers.push_back(NumericValue(fields[5]));
  });
}

template <typename T>
void AppendFromOne(BigVector<T>& to, const BigVector<T>& from) {
  to.insert(to.end(), from.begin() + 1, from.end());
}

void SetBase(Dictionary* dict, const char* base) {
  dict->Spellings.SetBase(base);
  dict->TranscriptionStrings.SetBase(base);
  dict->SyllabifiedTranscriptionStrings.SetBase(base);
  dict->Annotations.SetBase(base);
}

}  // namespace

void ParseDictionary(std::string contents, Dictionary* dict, size_t parallelFrom) {
  auto owner = std::make_shared<const std::string>(std::move(contents));
  const std::string_view bytes(*owner);
  ParseDictionary(std::move(owner), bytes, dict, parallelFrom);
}

void ParseDictionary(std::shared_ptr<const void> owner, std::string_view all, Dictionary* dict, size_t parallelFrom) {
  *dict = Dictionary();
  dict->storage = std::move(owner);
  dict->bytes = all;
  SetBase(dict, all.data());
  // A large file is read in two halves at once, cut after a line feed near
  // the middle (a file without one is read in one piece).
  size_t cut = all.size();
  if (all.size() >= parallelFrom && all.size() >= 2) {
    const size_t lf = all.find('\n', all.size() / 2);
    if (lf != std::string_view::npos) cut = lf + 1;
  }
  if (cut < all.size()) {
    Reserve(dict, all.size() / 40 + 1);
    Dictionary later;
    SetBase(&later, all.data());
    std::exception_ptr failure;
    {
      std::jthread thread([&] {
        try {
          ParseLines(all.substr(cut), &later);
        } catch (...) {
          failure = std::current_exception();
        }
      });
      ParseLines(all.substr(0, cut), dict);
    }
    if (failure) std::rethrow_exception(failure);
    dict->NumberOfWords += later.NumberOfWords;
    dict->Spellings.AppendFromOne(later.Spellings);
    dict->TranscriptionStrings.AppendFromOne(later.TranscriptionStrings);
    dict->SyllabifiedTranscriptionStrings.AppendFromOne(later.SyllabifiedTranscriptionStrings);
    dict->Annotations.AppendFromOne(later.Annotations);
    AppendFromOne(dict->Frequencies, later.Frequencies);
    AppendFromOne(dict->SixthFieldNumbers, later.SixthFieldNumbers);
  } else {
    ParseLines(all, dict);
  }
}

}  // namespace velmora
