// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary reader and the division into segments, on a fuzzed in.txt in
// a program folder with a small fixed inventory and class folders. The low bit
// of the first byte chooses which transcription field is divided first; the
// other field is divided after it, from the same reading. The engine reads
// and divides for a search of the vowel tier for "]", so it makes that tier
// too. Bit 1 answers the first vetting question No, which stops the
// division. The same bytes with each lone CR written as CR LF must read the
// same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_engine.h"
#include "fuzz_support.h"
#include "lexicon/dictionary.h"
#include "platform/text.h"

namespace velmora::fuzz {
namespace {

const ProgramFolder& Folder() {
  static const ProgramFolder& folder = [] () -> const ProgramFolder& {
    const ProgramFolder& f = ProgramFolder::Get();
    f.Write("AllSegments.txt", "[\r\n]\r\nB\r\nL\r\nAY1\r\nAE1\r\nN\r\nNCoda\r\nD\r\nDCoda\r\nK\r\n");
    f.Write("SegmentKey.txt", "AY1 as in bite\r\n");
    f.EmptyFolder("NaturalClasses");
    f.EmptyFolder("SyllabifiedNaturalClasses");
    f.Write("NaturalClasses/VOWEL.txt", "AY1\r\nAE1\r\n");
    f.Write("NaturalClasses/Consonant.txt", "B\r\nL\r\nN\r\nD\r\nK\r\n");
    f.Write("SyllabifiedNaturalClasses/Vowel.txt", "ay1\r\nAE1\r\n");
    return f;
  }();
  return folder;
}

// The segments of a wrapped transcription: the texts between blanks, up to the
// first empty one.
std::vector<std::string_view> ExpectedSegments(std::string_view wrapped) {
  std::vector<std::string_view> segments;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < wrapped.size() && wrapped[end] != ' ') ++end;
    if (end == start) break;
    segments.push_back(wrapped.substr(start, end - start));
    if (end == wrapped.size()) break;
    start = end + 1;
  }
  return segments;
}

bool IsVowelOrBoundary(const ClassTable& classes, std::string_view s) {
  return s == "[" || s == "]" || IsInNaturalClass(classes, s, "vowel");
}

// The table divided last, and its vowel tier by classes, against the
// dictionary it came from; returns the number of vetting questions the
// division had to ask.
size_t CheckDivision(const Lexicon& lexicon, const ClassTable& classes, bool syllabified) {
  const Dictionary& dict = lexicon.dictionary();
  const Tier searched = syllabified ? Tier::kSyllabified : Tier::kPlain;
  const SegmentTable& table = lexicon.Table(searched);
  const TranscriptionFields& strings = syllabified ? dict.SyllabifiedTranscriptionStrings : dict.TranscriptionStrings;
  FUZZ_CHECK(table.filled());
  FUZZ_CHECK(lexicon.Table(Tier::kVowels).filled());
  FUZZ_CHECK(lexicon.Lengths(searched).size() == static_cast<size_t>(dict.NumberOfWords) + 1);
  FUZZ_CHECK(lexicon.Lengths(Tier::kVowels).size() == static_cast<size_t>(dict.NumberOfWords) + 1);
  size_t questions = 0;
  for (int32_t n = 1; n <= dict.NumberOfWords; ++n) {
    const std::string wrapped = strings[n];
    const std::vector<std::string_view> expected = ExpectedSegments(wrapped);
    const int32_t length = lexicon.Lengths(searched)[n];
    FUZZ_CHECK(length == static_cast<int32_t>(expected.size()));
    FUZZ_CHECK(length >= 1);
    const SymbolId* row = table.Row(n);
    FUZZ_CHECK(lexicon.Symbols().Text(row[0]) == "[");
    for (int32_t j = 0; j < length; ++j) {
      const std::string& segment = lexicon.Symbols().Text(row[j]);
      FUZZ_CHECK(segment == expected[j]);
      FUZZ_CHECK(table.At(n, j + 1) == row[j]);
      bool known = false;
      for (int32_t p = 1; p <= lexicon.NumberOfPhonemes(); ++p) known = known || lexicon.Phonemes()[p] == segment;
      if (!syllabified && Lower(LastChars(segment, 4)) == "coda") ++questions;
      if (!known) ++questions;
    }
    FUZZ_CHECK(table.At(n, length + 1) == 0);

    // The vowel tier keeps, in order, the boundaries and the vowels of the row.
    const int32_t vowels = lexicon.Lengths(Tier::kVowels)[n];
    const SymbolId* tier = lexicon.Table(Tier::kVowels).Row(n);
    int32_t k = 0;
    for (int32_t j = 0; j < length; ++j) {
      if (!IsVowelOrBoundary(classes, lexicon.Symbols().Text(row[j]))) continue;
      FUZZ_CHECK(k < vowels && tier[k] == row[j]);
      ++k;
    }
    FUZZ_CHECK(k == vowels);
  }
  return questions;
}

void CheckReading(std::string_view input, const Dictionary& dict) {
  const size_t words = CountLines(input);
  FUZZ_CHECK(static_cast<size_t>(dict.NumberOfWords) == words);
  for (const size_t size : {dict.Spellings.size(), dict.TranscriptionStrings.size(),
                            dict.SyllabifiedTranscriptionStrings.size(), dict.Annotations.size(),
                            dict.Frequencies.size(), dict.SixthFieldNumbers.size()}) {
    FUZZ_CHECK(size == words + 1);
  }
  for (size_t n = 1; n <= words; ++n) {
    for (const TranscriptionFields* fields : {&dict.TranscriptionStrings, &dict.SyllabifiedTranscriptionStrings}) {
      const std::string wrapped = (*fields)[n];
      FUZZ_CHECK(wrapped == "[ " + std::string(fields->field(n)) + " ]");
      FUZZ_CHECK(wrapped.find_first_of("\t\r\n") == std::string::npos);
    }
    FUZZ_CHECK(dict.Spellings[n].find_first_of("\t\r\n") == std::string::npos);
    FUZZ_CHECK(dict.Annotations[n].find_first_of("\t\r\n") == std::string::npos);
  }
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool syllabifiedFirst = size > 0 && (data[0] & 1) != 0;
  const bool refuseFirstQuestion = size > 0 && (data[0] & 2) != 0;

  // Read into a dictionary that is then moved, so the fields must not point
  // into anything but the dictionary's own copy of the bytes.
  Dictionary parsed;
  {
    Dictionary read;
    ParseDictionary(std::string(input), &read);
    parsed = std::move(read);
  }
  CheckReading(input, parsed);

  // Lone CRs written as CR LF: the same entries.
  Dictionary cr;
  ParseDictionary(WithCrLfLineEnds(input), &cr);
  FUZZ_CHECK(cr.NumberOfWords == parsed.NumberOfWords);
  for (int32_t n = 1; n <= parsed.NumberOfWords; ++n) {
    FUZZ_CHECK(cr.Spellings[n] == parsed.Spellings[n]);
    FUZZ_CHECK(cr.TranscriptionStrings.field(n) == parsed.TranscriptionStrings.field(n));
    FUZZ_CHECK(cr.SyllabifiedTranscriptionStrings.field(n) == parsed.SyllabifiedTranscriptionStrings.field(n));
    FUZZ_CHECK(cr.Annotations[n] == parsed.Annotations[n]);
    FUZZ_CHECK(cr.Frequencies[n] == parsed.Frequencies[n]);
    FUZZ_CHECK(cr.SixthFieldNumbers[n] == parsed.SixthFieldNumbers[n]);
  }

  const ProgramFolder& folder = Folder();
  folder.Write("in.txt", input);
  Engine engine(folder.path());
  LoadEngine(engine, syllabifiedFirst);
  YesEvents events;
  events.noToFirst = refuseFirstQuestion;
  // A search of the vowel tier for "]", which every entry holds once: the
  // engine reads and divides the dictionary and makes the vowel tier.
  Settings settings;
  settings.boxes[0] = "]";
  settings.vowels = true;
  settings.syllabified = syllabifiedFirst;
  Ran ran = RunQuery(engine, settings, Query::Kind::kTranscriptions, events);
  FUZZ_CHECK(!ran.refused);
  if (ran.result.outcome == Outcome::kStopped) {
    FUZZ_CHECK(refuseFirstQuestion && events.cautions == 1);
    FUZZ_CHECK(engine.lexicon() != nullptr && !engine.lexicon()->divided());
    return 0;
  }
  FUZZ_CHECK(ran.finished());
  const Lexicon& lexicon = *engine.lexicon();
  CheckReading(input, lexicon.dictionary());
  FUZZ_CHECK(lexicon.dictionary().NumberOfWords == parsed.NumberOfWords);
  FUZZ_CHECK(ran.result.entries == parsed.NumberOfWords);
  FUZZ_CHECK(CheckDivision(lexicon, engine.classes(), syllabifiedFirst) == events.cautions);
  FUZZ_CHECK(!refuseFirstQuestion || events.cautions == 0);

  // The other field, divided again from the same reading.
  events.noToFirst = false;
  const size_t asked = events.cautions;
  settings.syllabified = !syllabifiedFirst;
  ran = RunQuery(engine, settings, Query::Kind::kTranscriptions, events);
  FUZZ_CHECK(!ran.refused && ran.finished());
  FUZZ_CHECK(engine.lexicon() == &lexicon);
  FUZZ_CHECK(CheckDivision(lexicon, engine.classes(), !syllabifiedFirst) == events.cautions - asked);
  return 0;
}
