// A whole search on fuzzed data: the transcription search and then the
// orthography search, as clicked, in a program folder whose dictionary, search
// boxes, orthography box and vowel class come from the input; then the
// orthography search once more on the dictionary without its first line.
//
// Input: byte 0 holds flags (bit 0 "Search syllabified data", bit 1 "Search
// vowels only", bit 2 "Exclude ...", bit 3 the boxes' items are added to the
// inventory, bits 4-7 the ignore boxes 1-4); byte 1 bit 0 the ignore box 5 and
// bits 1-7 the example-length limit. The rest is cut at NUL bytes into the
// dictionary, the five boxes, the orthography box and the vowel class file.
// Every question is answered Yes. The number of hits must be what the literal
// matching rule finds at every position, and so must the hit table's rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "fuzz_support.h"
#include "lexicon/text.h"
#include "support/recording_platform.h"

namespace velmora::fuzz {
namespace {

constexpr size_t kLongestLine = 2048;
constexpr std::string_view kInventory = "[\r\n]\r\nB\r\nL\r\nAY1\r\nAE1\r\nN\r\nD\r\nK\r\nNCoda\r\nDCoda\r\n";

const ProgramFolder& Folder() {
  static const ProgramFolder& folder = [] () -> const ProgramFolder& {
    const ProgramFolder& f = ProgramFolder::Get();
    f.Write("SegmentKey.txt", "AY1 as in bite\r\n");
    f.EmptyFolder("NaturalClasses");
    f.EmptyFolder("SyllabifiedNaturalClasses");
    f.Write("NaturalClasses/Consonant.txt", "B\r\nL\r\nN\r\nD\r\nK\r\n");
    f.Write("SyllabifiedNaturalClasses/Coda.txt", "NCoda\r\nDCoda\r\n");
    return f;
  }();
  return folder;
}

// A one-line box cannot hold a line end; the boxes get the part without them.
std::string BoxText(std::string_view part) {
  std::string text;
  for (char c : part) {
    if (c != '\r' && c != '\n') text += c;
  }
  return text;
}

bool Excluded(const Form1& form, RecordingPlatform& platform, int32_t i) {
  return platform.Value(Control::chkExclude) == 1 && !TrimView(form.lexicon().dictionary.Annotations[i]).empty();
}

// The hits a search must record, in order: the entry of each and its focus string.
struct Hits {
  std::vector<int32_t> entries;
  std::vector<std::string> focus;
  std::string flags;  // Hits.txt as the search should write it
};

// Hits of the boxes' items in the searched table, by the literal rule at every
// position, and each entry's hit flag.
Hits TranscriptionHits(const Form1& form, RecordingPlatform& platform) {
  std::vector<std::string> items;
  for (int b = 1; b <= 5; ++b) {
    std::string item = Trim(platform.Text(TextBox(b)));
    if (item.empty()) break;
    items.push_back(std::move(item));
  }
  const bool vowels = platform.Value(Control::chkVowels) == 1;
  const bool syllabified = platform.Value(Control::chkSyllabified) == 1;
  const SegmentTable& table =
      vowels ? form.lexicon().VowelTranscriptions : syllabified ? form.lexicon().SyllabifiedTranscriptions : form.lexicon().Transcriptions;
  const std::vector<int32_t>& lengths = vowels ? form.lexicon().VowelTranscriptionLengths : form.lexicon().TranscriptionLengths;
  const int32_t n = static_cast<int32_t>(items.size());
  Hits hits;
  for (int32_t i = 1; i <= form.lexicon().dictionary.NumberOfWords; ++i) {
    bool found = false;
    for (int32_t j = 1; n > 0 && j + n - 1 <= lengths[i]; ++j) {
      bool all = true;
      for (int32_t b = 0; b < n && all; ++b) all = Satisfies(form.lexicon().classes, form.lexicon().Symbols.Text(table.At(i, j + b)), items[b]);
      if (!all) continue;
      found = true;
      if (Excluded(form, platform, i)) continue;
      // The focus string: the matched segments, those of ignored boxes left
      // out when there is more than one item.
      std::string focus;
      bool first = true;
      for (int32_t b = 0; b < n; ++b) {
        if (n > 1 && platform.Value(IgnoreBox(b + 1)) != 0) continue;
        if (!first) focus += '\t';
        focus += form.lexicon().Symbols.Text(table.At(i, j + b));
        first = false;
      }
      hits.entries.push_back(i);
      hits.focus.push_back(std::move(focus));
    }
    hits.flags += found ? "1\r\n" : "0\r\n";
  }
  return hits;
}

// Hits of the orthography box in "[" + spelling + "]", starting and ending on
// character boundaries.
Hits OrthographyHits(const Form1& form, RecordingPlatform& platform) {
  const std::string target = Trim(platform.Text(Control::txtOrthography));
  Hits hits;
  for (int32_t i = 1; i <= form.lexicon().dictionary.NumberOfWords; ++i) {
    const std::string framed = "[" + std::string(form.lexicon().dictionary.Spellings[i]) + "]";
    std::vector<bool> boundary(framed.size() + 1, false);
    for (size_t p = 0; p < framed.size(); p += CharLengthAt(framed, p)) boundary[p] = true;
    boundary[framed.size()] = true;
    bool found = false;
    for (size_t p = 0; p + target.size() <= framed.size(); ++p) {
      if (!boundary[p] || !boundary[p + target.size()]) continue;
      if (framed.compare(p, target.size(), target) != 0) continue;
      found = true;
      if (Excluded(form, platform, i)) continue;
      hits.entries.push_back(i);
      hits.focus.push_back(target);
    }
    hits.flags += found ? "1\r\n" : "0\r\n";
  }
  return hits;
}

// What a finished search leaves: the hit count, the hit table's rows in order
// of first occurrence, a row per hit in the result files, a flag per entry;
// and the results in input format read back as a dictionary give the entries
// that were hit, field for field.
void CheckFinishedSearch(const Form1& form, const ProgramFolder& folder, const Hits& expected) {
  const Dictionary& dict = form.lexicon().dictionary;
  const size_t hits = expected.entries.size();
  FUZZ_CHECK(static_cast<size_t>(form.NumberOfHits) == hits);

  std::vector<std::string> rows;
  std::vector<int32_t> counts;
  std::vector<int32_t> firstEntry;
  for (size_t h = 0; h < hits; ++h) {
    size_t k = 0;
    while (k < rows.size() && rows[k] != expected.focus[h]) ++k;
    if (k == rows.size()) {
      rows.push_back(expected.focus[h]);
      counts.push_back(0);
      firstEntry.push_back(expected.entries[h]);
    }
    ++counts[k];
  }
  // MediumOutput.txt: two heading lines, then focus string, count and
  // examples of each row (the focus string may hold TABs, the others none).
  if (hits > 0) {
    const std::string mediumText = folder.Read("MediumOutput.txt");
    const std::vector<std::string_view> medium = SplitLines(mediumText);
    FUZZ_CHECK(medium.size() == rows.size() + 2);
    for (size_t k = 0; k < rows.size(); ++k) {
      const std::string_view line = medium[k + 2];
      const size_t examplesTab = line.rfind('\t');
      FUZZ_CHECK(examplesTab != std::string_view::npos && examplesTab > 0);
      const size_t countTab = line.rfind('\t', examplesTab - 1);
      FUZZ_CHECK(countTab != std::string_view::npos);
      FUZZ_CHECK(line.substr(0, countTab) == rows[k]);
      FUZZ_CHECK(line.substr(countTab + 1, examplesTab - countTab - 1) == std::to_string(counts[k]));
      const std::string_view spelling = dict.Spellings[firstEntry[k]];
      FUZZ_CHECK(line.substr(examplesTab + 1, spelling.size()) == spelling);
    }
    FUZZ_CHECK(folder.Read("Hits.txt") == expected.flags);
  }

  FUZZ_CHECK(CountLines(folder.Read("FullOutput.txt")) == hits + 2);
  Dictionary results;
  ParseDictionary(folder.Read("ResultsOfSearchInInputFormat.txt"), &results);
  FUZZ_CHECK(static_cast<size_t>(results.NumberOfWords) == hits);
  for (size_t h = 0; h < hits; ++h) {
    const int32_t r = static_cast<int32_t>(h) + 1;
    const int32_t i = expected.entries[h];
    FUZZ_CHECK(results.Spellings[r] == dict.Spellings[i]);
    FUZZ_CHECK(results.TranscriptionStrings.field(r) == dict.TranscriptionStrings.field(i));
    FUZZ_CHECK(results.SyllabifiedTranscriptionStrings.field(r) == dict.SyllabifiedTranscriptionStrings.field(i));
    FUZZ_CHECK(results.Annotations[r] == dict.Annotations[i]);
    FUZZ_CHECK(results.Frequencies[r] == dict.Frequencies[i]);
    FUZZ_CHECK(results.SixthFieldNumbers[r] == dict.SixthFieldNumbers[i]);
  }
  if (hits > 0) {
    FUZZ_CHECK(CountLines(folder.Read("Hits.txt")) == static_cast<size_t>(dict.NumberOfWords));
    FUZZ_CHECK(CountLines(folder.Read("Misses.txt")) == static_cast<size_t>(dict.NumberOfWords));
  }
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  if (size < 2) return -1;
  const uint8_t flags = data[0];
  const uint8_t more = data[1];
  const std::vector<std::string_view> parts =
      SplitInput(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2), '\0', 8);
  auto part = [&](size_t i) { return i < parts.size() ? parts[i] : std::string_view(); };
  // An empty orthography box hits at every character, and each hit writes its
  // entry's row: the output grows with the square of a line's length. Long
  // lines would only measure the disk.
  size_t lineStart = 0;
  for (size_t p = 0; p <= part(0).size(); ++p) {
    if (p < part(0).size() && part(0)[p] != '\r' && part(0)[p] != '\n') continue;
    if (p - lineStart > kLongestLine) return -1;
    lineStart = p + 1;
  }

  const ProgramFolder& folder = Folder();
  folder.Remove("UserSettings.txt");
  folder.Write("in.txt", part(0));
  std::string inventory(kInventory);
  if (flags & 8) {
    for (size_t b = 1; b <= 5; ++b) inventory.append(BoxText(part(b))).append("\r\n");
  }
  folder.Write("AllSegments.txt", inventory);
  folder.Write("NaturalClasses/Vowel.txt", part(7));
  folder.Write("SyllabifiedNaturalClasses/Vowel.txt", part(7));

  RecordingPlatform platform;
  platform.SetValue(Control::chkSyllabified, flags & 1);
  platform.SetValue(Control::chkVowels, (flags >> 1) & 1);
  platform.SetValue(Control::chkExclude, (flags >> 2) & 1);
  for (int b = 1; b <= 4; ++b) platform.SetValue(IgnoreBox(b), (flags >> (3 + b)) & 1);
  platform.SetValue(IgnoreBox(5), more & 1);
  for (int b = 1; b <= 5; ++b) platform.SetText(TextBox(b), BoxText(part(static_cast<size_t>(b))));
  platform.SetText(Control::txtOrthography, BoxText(part(6)));

  Form1 form(platform, folder.path());
  form.Form_Load();
  form.ExampleLengthLimit = more >> 1;
  try {
    form.cmdSearchTranscriptions_Click();
    FUZZ_CHECK(form.lastOutcome == Form1::Outcome::kRefused || form.lastOutcome == Form1::Outcome::kHits ||
               form.lastOutcome == Form1::Outcome::kNoHits);
    if (form.lastOutcome != Form1::Outcome::kRefused) {
      CheckFinishedSearch(form, folder, TranscriptionHits(form, platform));
    }
    form.cmdSearchOrthography_Click();
    FUZZ_CHECK(form.lastOutcome == Form1::Outcome::kHits || form.lastOutcome == Form1::Outcome::kNoHits);
    CheckFinishedSearch(form, folder, OrthographyHits(form, platform));

    // Another dictionary (the same without its first line) in the same run:
    // nothing of the first may stay behind.
    const size_t firstEnd = part(0).find_first_of("\r\n");
    if (firstEnd != std::string_view::npos) {
      folder.Write("in2.txt", part(0).substr(firstEnd + 1));
      platform.SetText(Control::txtInputFileName, "in2.txt");
      form.cmdSearchOrthography_Click();
      FUZZ_CHECK(form.lastOutcome == Form1::Outcome::kHits || form.lastOutcome == Form1::Outcome::kNoHits);
      FUZZ_CHECK(static_cast<size_t>(form.lexicon().dictionary.NumberOfWords) == CountLines(part(0).substr(firstEnd + 1)));
      CheckFinishedSearch(form, folder, OrthographyHits(form, platform));
    }
  } catch (const ProgramEnded&) {
    FUZZ_CHECK(false);  // every question is answered Yes
  }
  return 0;
}
