// A whole search on fuzzed data: the transcription search and then the
// orthography search, as clicked, in a program folder whose dictionary, search
// boxes, orthography box and vowel class come from the input.
//
// Input: byte 0 holds flags (bit 0 "Search syllabified data", bit 1 "Search
// vowels only", bit 2 "Exclude ...", bit 3 the boxes' items are added to the
// inventory, bits 4-7 the ignore boxes 1-4); byte 1 bit 0 the ignore box 5 and
// bits 1-7 the example-length limit. The rest is cut at NUL bytes into the
// dictionary, the five boxes, the orthography box and the vowel class file.
// Every question is answered Yes. The number of hits must be what the literal
// matching rule finds at every position.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "fuzz_support.h"
#include "lexicon/text.h"
#include "platform/recording_platform.h"

namespace velmora::fuzz {
namespace {

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
  return platform.Value(Control::chkExclude) == 1 && !TrimView(form.dictionary.Annotations[i]).empty();
}

// Hits of the boxes' items in the searched table, by the literal rule at every
// position; also checks each entry's hit flag.
int64_t TranscriptionHits(const Form1& form, RecordingPlatform& platform) {
  std::vector<std::string> items;
  for (int b = 1; b <= 5; ++b) {
    std::string item = Trim(platform.Text(TextBox(b)));
    if (item.empty()) break;
    items.push_back(std::move(item));
  }
  const bool vowels = platform.Value(Control::chkVowels) == 1;
  const bool syllabified = platform.Value(Control::chkSyllabified) == 1;
  const SegmentTable& table =
      vowels ? form.VowelTranscriptions : syllabified ? form.SyllabifiedTranscriptions : form.Transcriptions;
  const std::vector<int32_t>& lengths = vowels ? form.VowelTranscriptionLengths : form.TranscriptionLengths;
  const int32_t n = static_cast<int32_t>(items.size());
  int64_t hits = 0;
  for (int32_t i = 1; i <= form.dictionary.NumberOfWords; ++i) {
    bool found = false;
    for (int32_t j = 1; n > 0 && j + n - 1 <= lengths[i]; ++j) {
      bool all = true;
      for (int32_t b = 0; b < n && all; ++b) all = form.Satisfies(form.Symbols.Text(table.At(i, j + b)), items[b]);
      if (!all) continue;
      found = true;
      if (!Excluded(form, platform, i)) ++hits;
    }
    FUZZ_CHECK(form.dictionary.HitFlags[i] == (found ? 1 : 0));
  }
  return hits;
}

// Hits of the orthography box in "[" + spelling + "]", starting and ending on
// character boundaries.
int64_t OrthographyHits(const Form1& form, RecordingPlatform& platform) {
  const std::string target = Trim(platform.Text(Control::txtOrthography));
  int64_t hits = 0;
  for (int32_t i = 1; i <= form.dictionary.NumberOfWords; ++i) {
    const std::string framed = "[" + form.dictionary.Spellings[i] + "]";
    std::vector<bool> boundary(framed.size() + 1, false);
    for (size_t p = 0; p < framed.size(); p += CharLengthAt(framed, p)) boundary[p] = true;
    boundary[framed.size()] = true;
    bool found = false;
    for (size_t p = 0; p + target.size() <= framed.size(); ++p) {
      if (!boundary[p] || !boundary[p + target.size()]) continue;
      if (framed.compare(p, target.size(), target) != 0) continue;
      found = true;
      if (!Excluded(form, platform, i)) ++hits;
    }
    FUZZ_CHECK(form.dictionary.HitFlags[i] == (found ? 1 : 0));
  }
  return hits;
}

// What a finished search leaves: the hit table adds up, and the result files
// hold a row per hit and a flag per entry.
void CheckFinishedSearch(const Form1& form, const ProgramFolder& folder) {
  int64_t counted = 0;
  for (int32_t k = 1; k <= form.hitTable.NumberOfFocusStrings; ++k) counted += form.hitTable.FocusStringCounts[k];
  FUZZ_CHECK(counted == form.NumberOfHits);
  FUZZ_CHECK(CountLines(folder.Read("FullOutput.txt")) == static_cast<size_t>(form.NumberOfHits) + 2);
  FUZZ_CHECK(CountLines(folder.Read("ResultsOfSearchInInputFormat.txt")) == static_cast<size_t>(form.NumberOfHits));
  if (form.NumberOfHits > 0) {
    FUZZ_CHECK(CountLines(folder.Read("Hits.txt")) == static_cast<size_t>(form.dictionary.NumberOfWords));
    FUZZ_CHECK(CountLines(folder.Read("Misses.txt")) == static_cast<size_t>(form.dictionary.NumberOfWords));
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
      FUZZ_CHECK(TranscriptionHits(form, platform) == form.NumberOfHits);
      CheckFinishedSearch(form, folder);
    }
    form.cmdSearchOrthography_Click();
    FUZZ_CHECK(form.lastOutcome == Form1::Outcome::kHits || form.lastOutcome == Form1::Outcome::kNoHits);
    FUZZ_CHECK(OrthographyHits(form, platform) == form.NumberOfHits);
    CheckFinishedSearch(form, folder);
  } catch (const ProgramEnded&) {
    FUZZ_CHECK(false);  // every question is answered Yes
  }
  return 0;
}
