// The dictionary reader and the division into segments, on a fuzzed in.txt in
// a program folder with a small fixed inventory and class folders. The low bit
// of the first byte chooses which transcription field is divided first; the
// other field is divided after it, from the same reading. Bit 1 answers the
// first vetting question No, which ends the program. The same bytes with each
// lone CR written as CR LF must read the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "fuzz_support.h"
#include "lexicon/dictionary.h"
#include "lexicon/text.h"
#include "support/recording_platform.h"

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

bool IsVowelOrBoundary(const Form1& form, std::string_view s) {
  return s == "[" || s == "]" || IsInNaturalClass(form.lexicon().classes, s, "vowel");
}

// The table divided last against the dictionary it came from; returns the
// number of vetting questions the division had to ask.
size_t CheckDivision(Form1& form, bool syllabified) {
  form.lexicon().MakeVowelTier();
  const Dictionary& dict = form.lexicon().dictionary;
  const SegmentTable& table = syllabified ? form.lexicon().SyllabifiedTranscriptions : form.lexicon().Transcriptions;
  const TranscriptionFields& strings = syllabified ? dict.SyllabifiedTranscriptionStrings : dict.TranscriptionStrings;
  FUZZ_CHECK(table.filled());
  FUZZ_CHECK(form.lexicon().VowelTranscriptions.filled());
  FUZZ_CHECK(form.lexicon().TranscriptionLengths.size() == static_cast<size_t>(dict.NumberOfWords) + 1);
  FUZZ_CHECK(form.lexicon().VowelTranscriptionLengths.size() == static_cast<size_t>(dict.NumberOfWords) + 1);
  size_t questions = 0;
  for (int32_t n = 1; n <= dict.NumberOfWords; ++n) {
    const std::string wrapped = strings[n];
    const std::vector<std::string_view> expected = ExpectedSegments(wrapped);
    const int32_t length = form.lexicon().TranscriptionLengths[n];
    FUZZ_CHECK(length == static_cast<int32_t>(expected.size()));
    FUZZ_CHECK(length >= 1);
    const SymbolId* row = table.Row(n);
    FUZZ_CHECK(form.lexicon().Symbols.Text(row[0]) == "[");
    for (int32_t j = 0; j < length; ++j) {
      const std::string& segment = form.lexicon().Symbols.Text(row[j]);
      FUZZ_CHECK(segment == expected[j]);
      FUZZ_CHECK(table.At(n, j + 1) == row[j]);
      bool known = false;
      for (int32_t p = 1; p <= form.lexicon().NumberOfPhonemes; ++p) known = known || form.lexicon().Phonemes[p] == segment;
      if (!syllabified && Lower(LastChars(segment, 4)) == "coda") ++questions;
      if (!known) ++questions;
    }
    FUZZ_CHECK(table.At(n, length + 1) == 0);

    // The vowel tier keeps, in order, the boundaries and the vowels of the row.
    const int32_t vowels = form.lexicon().VowelTranscriptionLengths[n];
    const SymbolId* tier = form.lexicon().VowelTranscriptions.Row(n);
    int32_t k = 0;
    for (int32_t j = 0; j < length; ++j) {
      if (!IsVowelOrBoundary(form, form.lexicon().Symbols.Text(row[j]))) continue;
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
  RecordingPlatform platform;
  platform.SetText(Control::txtInputFileName, "in.txt");
  platform.SetValue(Control::chkSyllabified, syllabifiedFirst ? 1 : 0);
  if (refuseFirstQuestion) platform.answers.push_back(false);
  Form1 form(platform, folder.path());
  form.ReadPhonemeInventory();
  form.PostTheUserLabel();
  FUZZ_CHECK(platform.messages.empty());

  try {
    FUZZ_CHECK(form.DoOnceOnlyTasks());
  } catch (const ProgramEnded&) {
    FUZZ_CHECK(refuseFirstQuestion && platform.questions.size() == 1);
    return 0;
  }
  CheckReading(input, form.lexicon().dictionary);
  FUZZ_CHECK(form.lexicon().dictionary.NumberOfWords == parsed.NumberOfWords);
  FUZZ_CHECK(CheckDivision(form, syllabifiedFirst) == platform.questions.size());
  FUZZ_CHECK(!refuseFirstQuestion || platform.questions.empty());

  // The other field, divided again from the same reading.
  platform.answers.clear();
  const size_t asked = platform.questions.size();
  platform.SetValue(Control::chkSyllabified, syllabifiedFirst ? 0 : 1);
  try {
    FUZZ_CHECK(form.DoOnceOnlyTasks());
  } catch (const ProgramEnded&) {
    FUZZ_CHECK(false);  // every question was answered Yes
  }
  FUZZ_CHECK(CheckDivision(form, !syllabifiedFirst) == platform.questions.size() - asked);
  FUZZ_CHECK(platform.messages.empty());
  return 0;
}
