// SPDX-License-Identifier: GPL-3.0-or-later
// A whole search on fuzzed data, through the engine: the transcription search
// and then the orthography search in a program folder whose dictionary, search
// boxes, orthography box and vowel class come from the input; then the
// orthography search once more on the dictionary without its first line.
//
// Input: byte 0 holds flags (bit 0 "Search syllabified data", bit 1 "Search
// vowels only", bit 2 "Exclude ...", bit 3 the boxes' items are added to the
// inventory, bits 4-7 the ignore boxes 1-4); byte 1 bit 0 the ignore box 5 and
// bits 1-7 the example-length limit. The rest is cut at NUL bytes into the
// dictionary, the five boxes, the orthography box and the vowel class file.
// Every question is answered Yes. The number of hits must be what a literal
// reading of the boxes finds at every start position (the matching rule for
// each segment, backtracking over the counts each item may take, most first),
// and so must the hit table's rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_engine.h"
#include "fuzz_support.h"
#include "platform/text.h"

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

bool Excluded(const Lexicon& lexicon, const Query& query, int32_t i) {
  return query.exclude && !TrimView(lexicon.dictionary().Annotations[i]).empty();
}

// The hits a search must record, in order: the entry of each and its focus string.
struct Hits {
  std::vector<int32_t> entries;
  std::vector<std::string> focus;
  std::string flags;  // Hits.txt as the search should write it
};

// Whether the read box takes the segment, by the literal matching rule.
bool Takes(const ParsedItem& item, const ClassTable& classes, std::string_view segment) {
  const bool boundary = segment == "[" || segment == "]";
  switch (item.kind) {
    case ParsedItem::Kind::kPlain:
      return Satisfies(classes, segment, item.text);
    case ParsedItem::Kind::kAnySegments:
      return !boundary;
    case ParsedItem::Kind::kSegment: {
      FUZZ_CHECK(!item.isBundle);  // the folder has no feature table
      bool any = false;
      for (const std::string& name : item.names) any = any || Satisfies(classes, segment, name);
      return item.negated ? !boundary && !any : any;
    }
    default:
      FUZZ_CHECK(false);  // validation let a refused box through
      return false;
  }
}

// The literal reading of the boxes at one start: items left to right, each
// taking from the most segments it may down to the fewest, the first
// complete way winning; ends[k] is where item k stopped. failed remembers
// the (item, position) pairs from which the rest cannot match.
bool Reference(const std::vector<ParsedItem>& items, const ClassTable& classes,
               const std::vector<std::string_view>& segments, size_t k, size_t p, std::vector<size_t>& ends,
               std::vector<char>& failed) {
  if (k == items.size()) return true;
  char& known = failed[k * (segments.size() + 1) + p];
  if (known) return false;
  const ParsedItem& item = items[k];
  const bool many = item.kind == ParsedItem::Kind::kAnySegments || item.quantifier == Quantifier::kStar ||
                    item.quantifier == Quantifier::kPlus;
  const size_t fewest = item.kind == ParsedItem::Kind::kAnySegments || item.quantifier == Quantifier::kOptional ||
                                item.quantifier == Quantifier::kStar
                            ? 0
                            : 1;
  size_t most = 0;
  while (p + most < segments.size() && (many || most < 1) && Takes(item, classes, segments[p + most])) ++most;
  for (size_t c = most + 1; c-- > fewest;) {
    ends[k] = p + c;
    if (Reference(items, classes, segments, k + 1, p + c, ends, failed)) return true;
  }
  known = 1;
  return false;
}

// Hits of the validated boxes in the searched table, by the literal reading
// at every start position, and each entry's hit flag. The focus string has a
// column per kept box (all when there is one box): the segments it took,
// joined by a blank.
Hits TranscriptionHits(const Lexicon& lexicon, const Query& query) {
  const std::vector<ParsedItem>& items = query.parsed.items;
  const SegmentTable& table = lexicon.Table(query.tier());
  const std::vector<int32_t>& lengths = lexicon.Lengths(query.tier());
  const size_t n = items.size();
  Hits hits;
  std::vector<std::string_view> segments;
  std::vector<size_t> ends(n);
  std::vector<char> failed;
  for (int32_t i = 1; i <= lexicon.dictionary().NumberOfWords; ++i) {
    segments.clear();
    for (int32_t j = 1; j <= lengths[i]; ++j) segments.push_back(lexicon.Symbols().Text(table.At(i, j)));
    failed.assign((n + 1) * (segments.size() + 1), 0);
    bool found = false;
    for (size_t start = 0; n > 0 && start < segments.size(); ++start) {
      if (!Reference(items, query.Classes(), segments, 0, start, ends, failed)) continue;
      found = true;
      if (Excluded(lexicon, query, i)) continue;
      std::string focus;
      bool firstColumn = true;
      for (size_t k = 0, from = start; k < n; from = ends[k], ++k) {
        if (n > 1 && query.ignore[k]) continue;
        if (!firstColumn) focus += '\t';
        firstColumn = false;
        for (size_t p = from; p < ends[k]; ++p) focus.append(p > from ? " " : "").append(segments[p]);
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
Hits OrthographyHits(const Lexicon& lexicon, const Query& query) {
  const std::string& target = query.orthography;
  Hits hits;
  for (int32_t i = 1; i <= lexicon.dictionary().NumberOfWords; ++i) {
    const std::string framed = "[" + std::string(lexicon.dictionary().Spellings[i]) + "]";
    std::vector<bool> boundary(framed.size() + 1, false);
    for (size_t p = 0; p < framed.size(); p += CharLengthAt(framed, p)) boundary[p] = true;
    boundary[framed.size()] = true;
    bool found = false;
    for (size_t p = 0; p + target.size() <= framed.size(); ++p) {
      if (!boundary[p] || !boundary[p + target.size()]) continue;
      if (framed.compare(p, target.size(), target) != 0) continue;
      found = true;
      if (Excluded(lexicon, query, i)) continue;
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
void CheckFinishedSearch(const Lexicon& lexicon, int32_t found, const ProgramFolder& folder, const Hits& expected) {
  const Dictionary& dict = lexicon.dictionary();
  const size_t hits = expected.entries.size();
  FUZZ_CHECK(static_cast<size_t>(found) == hits);

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

  Settings settings;
  settings.inputFileName = "in.txt";
  settings.syllabified = flags & 1;
  settings.vowels = (flags >> 1) & 1;
  settings.exclude = (flags >> 2) & 1;
  for (size_t b = 0; b < 4; ++b) settings.ignore[b] = (flags >> (4 + b)) & 1;
  settings.ignore[4] = more & 1;
  for (size_t b = 0; b < 5; ++b) settings.boxes[b] = BoxText(part(b + 1));
  settings.exampleLength = more >> 1;
  settings.orthography = BoxText(part(6));

  Engine engine(folder.path());
  LoadEngine(engine, settings.syllabified);
  YesEvents events;
  const Ran transcriptions = RunQuery(engine, settings, Query::Kind::kTranscriptions, events);
  if (!transcriptions.refused) {
    FUZZ_CHECK(transcriptions.finished());
    CheckFinishedSearch(*engine.lexicon(), transcriptions.result.hits, folder,
                        TranscriptionHits(*engine.lexicon(), transcriptions.query));
  }

  const Ran orthography = RunQuery(engine, settings, Query::Kind::kOrthography, events);
  FUZZ_CHECK(orthography.finished());
  CheckFinishedSearch(*engine.lexicon(), orthography.result.hits, folder,
                      OrthographyHits(*engine.lexicon(), orthography.query));

  // Another dictionary (the same without its first line) in the same run:
  // nothing of the first may stay behind.
  const size_t firstEnd = part(0).find_first_of("\r\n");
  if (firstEnd != std::string_view::npos) {
    folder.Write("in2.txt", part(0).substr(firstEnd + 1));
    settings.inputFileName = "in2.txt";
    const Ran other = RunQuery(engine, settings, Query::Kind::kOrthography, events);
    FUZZ_CHECK(other.finished());
    FUZZ_CHECK(static_cast<size_t>(engine.lexicon()->dictionary().NumberOfWords) ==
               CountLines(part(0).substr(firstEnd + 1)));
    CheckFinishedSearch(*engine.lexicon(), other.result.hits, folder, OrthographyHits(*engine.lexicon(), other.query));
  }
  return 0;
}
