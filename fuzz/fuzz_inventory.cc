// SPDX-License-Identifier: GPL-3.0-or-later
// The phoneme inventory and the segment key, both from the fuzzed bytes: the
// input is AllSegments.txt and SegmentKey.txt at once. The low bit of the first
// byte checks "Search syllabified data". Every inventory entry must then pass
// the validation of the search boxes, and the same file with each lone CR
// written as CR LF must give the same inventory. Read as the engine reads it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/label.h"
#include "engine/engine.h"
#include "engine/settings.h"
#include "fuzz_support.h"
#include "search/query.h"

namespace velmora::fuzz {
namespace {

const ProgramFolder& Folder() {
  static const ProgramFolder& folder = [] () -> const ProgramFolder& {
    const ProgramFolder& f = ProgramFolder::Get();
    f.EmptyFolder("NaturalClasses");
    f.EmptyFolder("SyllabifiedNaturalClasses");
    f.Write("NaturalClasses/VOWEL.txt", "AY1\r\n");
    f.Write("SyllabifiedNaturalClasses/Coda.txt", "NCoda\r\n");
    return f;
  }();
  return folder;
}

constexpr std::string_view kClassSentence = "The natural classes currently available are";

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The key paragraphs: every line of the key, in order, each after "\r\r"
// except the first.
std::string ExpectedKey(std::string_view key) {
  std::string expected;
  size_t start = 0;
  bool first = true;
  while (start < key.size()) {
    size_t end = key.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = key.size();
    if (!first) expected += "\r\r";
    expected += key.substr(start, end - start);
    first = false;
    start = end + ((end + 1 < key.size() && key[end] == '\r' && key[end + 1] == '\n') ? 2 : 1);
  }
  return expected;
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool syllabified = size > 0 && (data[0] & 1) != 0;
  const ProgramFolder& folder = Folder();
  folder.Write("AllSegments.txt", input);
  folder.Write("SegmentKey.txt", input);

  Engine engine(folder.path());
  FUZZ_CHECK(engine.LoadInventory().ok());
  const ClassLoad loaded = engine.LoadClasses(syllabified);
  FUZZ_CHECK(loaded.key.ok() && loaded.classes.ok());
  const std::vector<std::string>& phonemes = engine.phonemes();

  FUZZ_CHECK(phonemes.size() == CountLines(input) + 1);
  for (size_t j = 1; j < phonemes.size(); ++j) {
    const std::string& p = phonemes[j];
    FUZZ_CHECK(p.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(p.empty() || (p.front() != ' ' && p.back() != ' '));
  }

  const std::string key = ExpectedKey(input);
  const std::string label = KeyLabel(loaded, syllabified);
  FUZZ_CHECK(label.compare(0, key.size(), key) == 0);
  FUZZ_CHECK(EndsWith(label, std::string(kClassSentence) + (syllabified ? ", Coda" : ", VOWEL")));
  FUZZ_CHECK(engine.classes().NumberOfNaturalClasses == 1);

  // Each entry, typed into a box, is a legal item.
  for (size_t j = 1; j < phonemes.size() && j <= 8; ++j) {
    if (phonemes[j].empty()) continue;
    Settings settings;
    settings.syllabified = syllabified;
    settings.boxes[0] = phonemes[j];
    Query query;
    FUZZ_CHECK(!engine.Compile(settings, Query::Kind::kTranscriptions, &query).refused());
    FUZZ_CHECK(query.parsed.items.size() == 1);
  }

  folder.Write("AllSegments.txt", WithCrLfLineEnds(input));
  Engine cr(folder.path());
  FUZZ_CHECK(cr.LoadInventory().ok());
  FUZZ_CHECK(cr.phonemes() == phonemes);
  return 0;
}
