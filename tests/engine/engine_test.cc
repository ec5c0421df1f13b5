// SPDX-License-Identifier: GPL-3.0-or-later
// The search semantics, one table over the engine: each row is the settings
// of one search and what its files must hold. Every row runs on one engine
// that keeps its loads from row to row (other dictionaries, the other
// division, another data set) and on a fresh engine, and both must write the
// same files.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

// Answers every question the same way and records what it was asked.
class Events : public SearchEvents {
 public:
  bool Continue(const Caution& caution) override {
    cautions.push_back(caution);
    return answer;
  }
  bool RetryInUse(const Status&) override { return false; }
  void Progress(int32_t done, int32_t) override { progress += std::to_string(done) + ","; }
  bool answer = true;
  std::vector<Caution> cautions;
  std::string progress;
};

const char* kFiles[] = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                        "MediumOutput.txt", "Hits.txt", "Misses.txt"};
const char* kHead = "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation\r\n";

// The fixture and the other dictionaries and table the rows search.
void WriteFolder(const std::string& folder) {
  ASSERT_TRUE(WriteFixtureFolder(folder));
  std::string many;
  for (int i = 0; i < 250; ++i) many += "tab\tT AE1 B\r\n";
  const std::pair<const char*, std::string> files[] = {
      {"orth.txt", "banana\tB\r\nnation\tN\r\nstation\tS\r\nunder\tU\r\ncat\tK\r\ncatalog\tK\r\nCat\tK\r\nfor sure\tF\r\n"},
      {"empty.txt", "ab\tX\r\n\tY\r\n"},
      {"utf8.txt", "caf\xC3\xA9\tK\r\ncaf\xC3\tK\r\n"},
      {"many.txt", many},
      {"results.txt", ReferenceSearchFiles()[1].second},  // an iterated search
      {"Features.txt", "Symbol\tvoice\r\nD\t+\r\nT\t-\r\n]\t0\r\nB\t0\r\nL\t0\r\nAY1\t0\r\nN\t0\r\nCH\t0\r\nP\t0\r\n"
                       "AE1\t0\r\nK\t0\r\nER0\t0\r\n"}};
  for (const auto& [name, bytes] : files) ASSERT_TRUE(WriteFile(folder + "/" + name, bytes));
  ASSERT_TRUE(WriteFixtureDataSet(folder));
}

using Set = std::function<void(Settings&)>;
Set Ortho(const char* text, const char* file = "orth.txt") {
  return [=](Settings& s) { s.orthography = text, s.inputFileName = file; };
}
Set In(const char* file) {
  return [=](Settings& s) { s.inputFileName = file; };
}
// The data set xx: its inventory, classes, features and in.txt; other input files lie in the program folder.
Set Xx(const char* file = "in.txt") {
  return [=](Settings& s) { s.dataSet = "xx", s.inputFileName = file; };
}

struct Row {
  const char* boxes;  // '|' between the boxes
  Set set;            // the other settings
  // File name and its whole text; "~name": a part of it. "boxes": the boxes
  // after the compilation; "refused": kind@box; "progress".
  std::vector<std::pair<std::string, std::string>> expect;
  Query::Kind kind = Query::Kind::kTranscriptions;
  Outcome outcome = Outcome::kHits;
};
constexpr Query::Kind kT = Query::Kind::kTranscriptions, kO = Query::Kind::kOrthography;

const Row kRows[] = {
    {"AY1|CONSONANT|CONSONANT|]", {}, {{"MediumOutput.txt", ReferenceSearchFiles()[3].second}}},
    {"AY1|CONSONANT|CONSONANT|]", [](Settings& s) { s.ignore[0] = true; },
     {{"MediumOutput.txt", "Search string was:  AY1 CONSONANT CONSONANT ]\r\nFocus string\tNumber in corpus\tExamples\r\n"
                           "N\tD\t]\t1\tblind\r\nL\tD\t]\t1\tchild\r\nN\tT\t]\t1\tpint\r\n"}}},
    {"AY1|CONSONANT|CONSONANT|]", [](Settings& s) { s.ignore[3] = true; },
     {{"~FullOutput.txt", "blind\tdnilb\tB L AY1 N D\tAY1\tN\tD\t50\t\r\n"}}},
    {"AY1|CONSONANT|CONSONANT|]", [](Settings& s) { s.ignore = {true, true, true, true}; },
     {{"~MediumOutput.txt", "Examples\r\n\t3\tblind child pint\r\n"}}},
    // One item is never ignored; its focus string is the segment of the table.
    {"ay1", [](Settings& s) { s.ignore[0] = true; }, {{"~MediumOutput.txt", "\r\nAY1\t3\tblind child pint\r\n"}}},
    {"AY1", [](Settings& s) { s.exampleLength = 0; }, {{"~MediumOutput.txt", "\r\nAY1\t3\tblind ...\r\n"}}},
    // Overlapping matches each count.
    {"CONSONANT|CONSONANT", {},
     {{"SmallOutput.txt", "CONSONANT CONSONANT\r\nblind, blind, child, pint, blackbird, blackbird\r\n"},
      {"Hits.txt", "1\r\n1\r\n1\r\n0\r\n1\r\n"}, {"~MediumOutput.txt", "\r\nB\tL\t2\tblind blackbird\r\n"}}},
    // An item of many segments shows them joined by blanks in its column.
    {"AY1|CONSONANT+|]", {}, {{"~MediumOutput.txt", "\r\nAY1\tN D\t]\t1\tblind\r\n"}}},
    // Excluded entries are not recorded but still flagged; all excluded is no hit.
    {"[|B|L", [](Settings& s) { s.exclude = true; },
     {{"SmallOutput.txt", "[ B L\r\nblind\r\n"}, {"Hits.txt", "1\r\n0\r\n0\r\n0\r\n1\r\n"}}},
    {"AE1|K", [](Settings& s) { s.exclude = true; }, {{"SmallOutput.txt", "-"}}, kT, Outcome::kNoHits},
    {"]|B", {},
     {{"FullOutput.txt", std::string(kHead) + "zzz Search string was:  ] B\r\n"},
      {"ResultsOfSearchInInputFormat.txt", ""}, {"SmallOutput.txt", "-"}, {"Hits.txt", "-"}},
     kT, Outcome::kNoHits},
    {"[|vowel|]", [](Settings& s) { s.vowels = s.syllabified = true; },  // vowels only wins
     {{"SmallOutput.txt", "[ vowel ]\r\nblind, child, pint, tab\r\n"},
      {"~MediumOutput.txt", "\r\n[\tAY1\t]\t3\tblind child pint\r\n"}}},
    {"AY1|CODA|CODA|]", [](Settings& s) { s.syllabified = true; },
     {{"~FullOutput.txt", "blind\tdnilb\tB L AY1 N D\tAY1\tNCoda\tDCoda\t]\t50\t\r\n"}}},
    {"AY1", [](Settings& s) { s.filters.minFrequency = 35, s.filters.segments = CountRange{4}, s.filters.stress = "1"; },
     {{"Hits.txt", "1\r\n1\r\n0\r\n0\r\n0\r\n"}, {"Misses.txt", "0\r\n0\r\n1\r\n1\r\n1\r\n"}}},
    {"AY1", [](Settings& s) { s.filters.maxFrequency = 45, s.filters.stress = "0"; }, {}, kT, Outcome::kNoHits},
    {"{+voice}|]", {}, {{"SmallOutput.txt", "{+voice} ]\r\nblind, child, blackbird\r\n"}}},
    {"P", In("results.txt"),
     {{"SmallOutput.txt", "P\r\npint\r\n"}, {"Hits.txt", "0\r\n0\r\n1\r\n"},
      {"ResultsOfSearchInInputFormat.txt", "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t 30 \t 3 \r\n"}}},
    {"T", In("many.txt"), {{"progress", "100,200,"}}},
    {"AY1", In("missing.txt"), {{"FullOutput.txt", "-"}}, kT, Outcome::kInputFailed},
    // The boxes: trimmed of spaces only, moved to the left, read without case.
    {" | |  ", {}, {{"boxes", "||||"}, {"refused", "1@0"}}, kT, Outcome::kStopped},
    {"||  AY1 ", {}, {{"boxes", "AY1||||"}}},
    {"B||L||AY1", {}, {{"boxes", "B|L|AY1||"}, {"SmallOutput.txt", "B L AY1\r\nblind\r\n"}}},
    {"cOnSoNaNt|ay1|[|]|vowel", {}, {{"boxes", "cOnSoNaNt|ay1|[|]|vowel"}}, kT, Outcome::kNoHits},
    {"AY1|||bogus|worse", {}, {{"boxes", "AY1|bogus|worse||"}, {"refused", "2@2"}}, kT, Outcome::kStopped},
    {"AY1 N", {}, {{"refused", "2@1"}}, kT, Outcome::kStopped},
    {"\tAY1", {}, {{"refused", "2@1"}}, kT, Outcome::kStopped},
    {"CODA", {}, {{"refused", "2@1"}}, kT, Outcome::kStopped},  // the plain classes are in use
    {"|AY1|!{+voice|XYZ|", {}, {{"refused", "3@2"}}, kT, Outcome::kStopped},
    // Spellings: brackets are the word's edges, case counts, spaces around
    // the text are trimmed, every start position counts; the boxes only head.
    {"", Ortho("ation]"), {{"SmallOutput.txt", "\r\nnation, station\r\n"}}, kO},
    {"", Ortho("[cat"), {{"SmallOutput.txt", "\r\ncat, catalog\r\n"}}, kO},
    {"", Ortho("[cat]"), {{"SmallOutput.txt", "\r\ncat\r\n"}}, kO},
    {"", Ortho("Ation]"), {}, kO, Outcome::kNoHits},
    {"", Ortho("  r s  "), {{"SmallOutput.txt", "\r\nfor sure\r\n"}}, kO},
    {"", Ortho("ana"),
     {{"Hits.txt", "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"},
      {"MediumOutput.txt", "Search string was:  \r\nFocus string\tNumber in corpus\tExamples\r\nana\t2\tbanana banana\r\n"},
      {"FullOutput.txt", std::string(kHead) + "banana\tananab\tB\tana\t0\t\r\nbanana\tananab\tB\tana\t0\t\r\n"
                                              "zzz Search string was:  \r\n"}}, kO},
    {"", Ortho("", "empty.txt"),
     {{"SmallOutput.txt", "\r\nab, ab, ab, ab, ab, , , \r\n"},
      {"~MediumOutput.txt", "Examples\r\n\t8\tab ab ab ab ab   \r\n"}}, kO},
    {"AY1||T", Ortho("[under]"), {{"SmallOutput.txt", "AY1  T\r\nunder\r\n"}, {"boxes", "AY1||T||"}}, kO},
    {"", Ortho("\xC3\xA9]", "utf8.txt"), {{"SmallOutput.txt", "\r\ncaf\xC3\xA9\r\n"}}, kO},
    {"", Ortho("f\xC3", "utf8.txt"), {{"SmallOutput.txt", "\r\ncaf\xC3\r\n"}}, kO},  // a lone lead byte
    {"a1|CONS", Xx(), {{"SmallOutput.txt", "a1 CONS\r\ngatto, mare\r\n"}}},
    {"[|{-sonorant}", Xx(), {{"SmallOutput.txt", "[ {-sonorant}\r\ngatto\r\n"}}},
    {"e0|t", Xx("xx.txt"), {{"SmallOutput.txt", "e0 t\r\ntetto\r\n"}}},
    {"AY1", Xx(), {{"refused", "2@1"}}, kT, Outcome::kStopped},
    {"AY1|CONSONANT|CONSONANT|]", {}, {{"MediumOutput.txt", ReferenceSearchFiles()[3].second}}},  // English again
};

std::string Join(const std::array<std::string, kMaxItems>& boxes) {
  std::string text = boxes[0];
  for (int b = 1; b < kMaxItems; ++b) text += "|" + boxes[b];
  return text;
}

// Runs row on engine into out; what the row checks, by name.
std::map<std::string, std::string> Search(Engine& engine, const Row& row, const std::string& out) {
  Settings s;
  std::string boxes = row.boxes;
  for (int b = 0; b < kMaxItems && !boxes.empty(); ++b) {
    s.boxes[b] = boxes.substr(0, boxes.find('|'));
    boxes = boxes.find('|') == std::string::npos ? "" : boxes.substr(boxes.find('|') + 1);
  }
  if (row.set) row.set(s);
  const std::string data = s.dataSet.empty() ? engine.folder() : engine.folder() + "/" + s.dataSet;
  if (engine.dataFolder() != data) {
    engine.SetDataFolder(data);
    EXPECT_TRUE(engine.LoadInventory().ok());
  }
  engine.LoadClasses(s.syllabified && !s.vowels);
  std::map<std::string, std::string> got;
  Query query;
  const Refusal refusal = engine.Compile(s, row.kind, &query);
  got["boxes"] = Join(s.boxes);
  got["refused"] = std::to_string(refusal.kind) + "@" + std::to_string(refusal.box);
  Events events;
  const SearchResult result = refusal.refused() ? SearchResult() : engine.Run(query, out, events);
  EXPECT_EQ(result.outcome, row.outcome) << row.boxes << " " << s.orthography;
  EXPECT_TRUE(events.cautions.empty() || row.kind == Query::Kind::kOrthography);
  got["progress"] = events.progress;
  for (const char* name : kFiles) got[name] = FileExists(out + "/" + name) ? ReadFile(out + "/" + name) : "-";
  return got;
}

TEST(Engine, SearchSemantics) {
  ScopedTempDir dir;
  WriteFolder(dir.path());
  Engine engine(dir.path());
  ASSERT_TRUE(engine.LoadInventory().ok());
  const SymbolId* firstRow = nullptr;
  for (size_t k = 0; k < std::size(kRows); ++k) {
    const Row& row = kRows[k];
    SCOPED_TRACE(std::to_string(k) + ": " + row.boxes);
    const std::string out = dir.Path("q" + std::to_string(k));
    ASSERT_TRUE(MakeFolder(out).ok());
    const auto got = Search(engine, row, out);
    if (k == 0) firstRow = engine.lexicon()->Table(Tier::kPlain).Row(1);
    EXPECT_TRUE(k != 1 || engine.lexicon()->Table(Tier::kPlain).Row(1) == firstRow);  // not read nor divided again
    for (const auto& [name, text] : row.expect) {
      if (name[0] == '~') {
        EXPECT_NE(got.at(name.substr(1)).find(text), std::string::npos) << name << "\n" << got.at(name.substr(1));
      } else {
        EXPECT_EQ(got.at(name), text) << name;
      }
    }
    ScopedTempDir fresh;
    WriteFolder(fresh.path());
    Engine other(fresh.path());
    ASSERT_TRUE(other.LoadInventory().ok());
    EXPECT_EQ(Search(other, row, fresh.path()), got);
  }
}

// A No stops the division and leaves nothing divided nor written; the next
// search asks again. An engine that asks cautions again asks a divided
// dictionary's cautions at every search, and a No there stops that search.
TEST(Engine, ANoToACautionStopsTheSearchAndIsAskedAgainNextTime) {
  for (bool again : {false, true}) {
    ScopedTempDir folder;
    ASSERT_TRUE(WriteFixtureFolder(folder.path()));
    ASSERT_TRUE(WriteFile(folder.Path("AllSegments.txt"), "[\r\n]\r\nB\r\n"));
    Engine e(folder.path(), Engine::Options{.keepEveryDictionary = again, .askCautionsAgain = again});
    ASSERT_TRUE(e.LoadInventory().ok());
    e.LoadClasses(false);
    Settings s;
    s.boxes[0] = "B";
    Query q;
    ASSERT_FALSE(e.Compile(s, Query::Kind::kTranscriptions, &q).refused());
    Events ev;
    ev.answer = false;
    EXPECT_EQ(e.Run(q, folder.path(), ev).outcome, Outcome::kStopped);
    ASSERT_EQ(ev.cautions.size(), 1u);  // nothing is asked after the No
    EXPECT_EQ(ev.cautions[0].kind, Caution::kNotInInventory);
    EXPECT_EQ(ev.cautions[0].symbol, "L");
    EXPECT_EQ(ev.cautions[0].word, "L AY1 N D ]");
    EXPECT_FALSE(e.lexicon()->divided());
    EXPECT_FALSE(FileExists(folder.Path("FullOutput.txt")));
    ev.answer = true;
    EXPECT_EQ(e.Run(q, folder.path(), ev).outcome, Outcome::kHits);
    const size_t asked = ev.cautions.size();
    EXPECT_GT(asked, 1u);
    ev.answer = false;
    EXPECT_EQ(e.Run(q, folder.path(), ev).outcome, again ? Outcome::kStopped : Outcome::kHits) << again;
    EXPECT_EQ(ev.cautions.size(), again ? asked + 1 : asked);
  }
}

}  // namespace
}  // namespace velmora
