// SPDX-License-Identifier: GPL-3.0-or-later
// The search language and the lexical filters: each box read or refused, the
// compiled patterns against literal backtracking, and the filter values.
#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <set>
#include <string>

#include "platform/text.h"
#include "search/filters.h"
#include "search/item_syntax.h"
#include "search/matcher.h"
#include "search/pattern.h"

namespace velmora {
namespace {

// Names of the inventory and classes, with the class names "V+", "!X" and one
// holding a blank; a feature table with voice (0) and sonorant (1).
class ItemSyntaxTest : public ::testing::Test {
 protected:
  ItemSyntaxTest() {
    EXPECT_TRUE(ReadFeatureTable("Symbol\tvoice\tsonorant\r\nB\t+\t-\r\n", "Features.txt", &table_).ok());
    context_.isName = [this](std::string_view text) { return names_.count(Lower(text)) != 0; };
    context_.features = [this](Status* status) -> const FeatureTable* {
      ++tableRequests_;
      *status = tableError_;
      return tableError_.ok() ? &table_ : nullptr;
    };
  }
  // The read item as one text: "plain", "...", "unknown", a one-segment item
  // as "seg [not ]names{bundle} quantifier", or the refusal's message.
  std::string Read(std::string_view text, int box = 1) {
    const ParsedItem item = ParseItem(text, box, context_);
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.ok(), item.kind != ParsedItem::Kind::kMalformed && item.kind != ParsedItem::Kind::kPlainUnknownName);
    switch (item.kind) {
      case ParsedItem::Kind::kPlain: return "plain";
      case ParsedItem::Kind::kAnySegments: return "...";
      case ParsedItem::Kind::kPlainUnknownName: return "unknown" + item.message;
      case ParsedItem::Kind::kMalformed: return item.message;
      case ParsedItem::Kind::kSegment: break;
    }
    std::string out = item.negated ? "seg not " : "seg ";
    for (const std::string& name : item.names) out += (&name == &item.names[0] ? "" : "|") + name;
    if (item.isBundle) out += "{";
    for (const FeatureValue& v : item.bundle) out += (v.plus ? "+" : "-") + std::to_string(v.feature);
    if (item.isBundle) out += "}";
    return out + " " + "1?*+"[static_cast<int>(item.quantifier)];
  }

  std::set<std::string> names_ = {"[", "]", "ay1", "t", "d", "b", "consonant", "v+", "front vowel", "!x"};
  FeatureTable table_;
  Status tableError_;
  int tableRequests_ = 0;
  ItemContext context_;
};

// Each box and what is read (a refusal by the start of its message, which
// names the box's number).
TEST_F(ItemSyntaxTest, EveryFormReadOrRefused) {
  // A last quantifier applies to the rest, then a first ! to what remains;
  // names holding the new characters are still names inside the new forms.
  const std::pair<const char*, const char*> cases[] = {
      {"AY1", "plain"}, {"ay1", "plain"}, {"CONSONANT", "plain"}, {"[", "plain"}, {"]", "plain"}, {"V+", "plain"},
      {"front vowel", "plain"}, {"!X", "plain"}, {"...", "..."}, {"AY9", "unknown"}, {"T D", "unknown"},
      {"..", "unknown"}, {"....", "unknown"}, {"VOWEL", "unknown"}, {"T:", "unknown"},
      {"T|d|CONSONANT", "seg T|d|CONSONANT 1"}, {"!T|D*", "seg not T|D *"}, {"T?", "seg T ?"}, {"T+", "seg T +"},
      {"!T", "seg not T 1"}, {"V++", "seg V+ +"}, {"!X?", "seg !X ?"}, {"!!X", "seg not !X 1"},
      {"front vowel|T+", "seg front vowel|T +"}, {"[|T", "seg [|T 1"}, {"{+VOICE -sonorant}", "seg {+0-1} 1"},
      {"!{ +voice\r\n-voice\n}*", "seg not {+0-0} *"}, {"T||D", "Box 2: \"T||D\" has an empty alternative"},
      {"T|", "Box 1: \"T|\" has an empty"}, {"|T", "Box 1: \"|T\" has an empty"},
      {"T | D", "Box 1: \"T | D\" holds a blank"}, {"! T", "Box 1: \"! T\" holds a blank"},
      {"T *", "Box 1: \"T *\" holds a blank"}, {"T|XYZ", "Box 3: unknown symbol or class \"XYZ\""},
      {"!VOWEL", "Box 1: unknown symbol or class"}, {"...|T", "Box 1: \"...|T\" makes ... an alternative"},
      {"T|{+voice}", "Box 1: \"T|{+voice}\" makes a feature bundle an alternative"},
      {"{+voice}|T", "Box 1: \"{+voice}|T\" makes a feature bundle an alternative"},
      {"T|!D", "Box 1: \"T|!D\" has a ! that is not at the start"},
      {"T*|D", "Box 1: \"T*|D\" has a * that is not at the end"}, {"T}", "Box 1: \"T}\" has a } outside"},
      {"{+voice", "Box 2: \"{+voice\" has no closing }"}, {"!{+voice*", "Box 1: \"!{+voice*\" has no closing }"},
      {"{}", "Box 1: \"{}\" lists no features"}, {"{  }+", "Box 1: \"{  }+\" lists no features"},
      {"{{+voice}", "Box 1: \"{{+voice}\" has a {"}, {"{+voice}x", "Box 1: \"{+voice}x\" goes on after the }"},
      {"{+}", "Box 1: the bundle token \"+\" is not"}, {"{voice}", "Box 1: the bundle token \"voice\""},
      {"{+voice *sonorant}", "Box 1: the bundle token \"*sonorant\" is not + or -"},
      {"{+voice,-sonorant}", "Box 1: unknown feature \"voice,-sonorant\""},
      {"{+voiced}", "Box 3: unknown feature \"voiced\""}, {"[*", "Box 1: \"[*\" quantifies a word boundary"},
      {"]?", "Box 1: \"]?\" quantifies a word"}, {"!]", "Box 1: \"!]\" negates a word boundary"},
      {"![|T", "Box 1: \"![|T\" negates a word"}, {"T|]+", "Box 1: \"T|]+\" quantifies a word"},
      {"!...", "Box 1: \"!...\" negates ...,"}, {"...*", "Box 1: \"...*\" quantifies ...,"},
      {"!...?", "Box 1: \"!...?\" negates ...,"}, {"!", "Box 1: \"!\" has nothing after the !"},
      {"!+", "Box 1: \"!+\" has nothing after the !"}, {"*", "Box 1: \"*\" has nothing before the *"},
      {"?", "Box 5: \"?\" has nothing before the ?"}, {"T*?", "Box 1: \"T*?\" has two quantifiers"},
      {"!T++", "Box 1: \"!T++\" has two quantifiers"}, {"!!T", "Box 1: \"!!T\" has two !"},
  };
  for (const auto& [text, expected] : cases) {
    const int before = tableRequests_;
    const std::string read = Read(text, expected[0] == 'B' ? expected[4] - '0' : 1);
    EXPECT_EQ(expected[0] == 'B' ? read.substr(0, std::string(expected).size()) : read, expected) << text;
    // The table is asked for by a bundle of well-formed tokens only, once.
    const bool asks = read.find("seg") == 0 ? read.find('{') != std::string::npos : read.find("feature \"") != read.npos;
    EXPECT_EQ(tableRequests_ - before, asks ? 1 : 0) << text;
  }
}

// Without a feature table a bundle is refused (a table that cannot be read is the front ends' message).
TEST_F(ItemSyntaxTest, WithoutATableABundleIsRefused) {
  context_.features = nullptr;
  EXPECT_EQ(Read("{+voice}"), "Box 1: there is no feature table to read the bundle with");
}

// The literal reading of the matching rule: items left to right, each trying
// its counts from the most down to the fewest, the first complete way winning.
bool ReferenceMatch(const std::vector<PatternItem>& items, const std::vector<SymbolId>& row, size_t k, int32_t p,
                    std::vector<int32_t>* ends) {
  if (k == items.size()) return true;
  const PatternItem& item = items[k];
  int32_t most = 0;
  while (p + most < static_cast<int32_t>(row.size()) && item.matches[row[static_cast<size_t>(p + most)]] != 0 &&
         (item.many || most < 1)) {
    ++most;
  }
  for (int32_t c = most; c >= item.min; --c) {
    (*ends)[k] = p + c;
    if (ReferenceMatch(items, row, k + 1, p + c, ends)) return true;
  }
  return false;
}

// Random items and rows over six symbols, ids 0 and 1 playing the boundaries,
// a third of the patterns of exactly-one items: every start of every row,
// matcher against the reference.
TEST(Pattern, AgreesWithLiteralBacktrackingOnRandomCases) {
  std::mt19937 random(20261206);
  auto below = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
  int64_t matchedStarts = 0, emptyItems = 0, starts = 0;
  for (int round = 0; round < 20000; ++round) {
    std::vector<PatternItem> items(static_cast<size_t>(1 + below(5)));
    const bool allOne = below(3) == 0;
    for (PatternItem& item : items) {
      const int32_t density = 1 + below(4);  // how likely a symbol is matched, in quarters
      for (int32_t s = 0; s < 6; ++s) item.matches.push_back(below(4) < density ? 1 : 0);
      const int32_t shape = allOne ? 0 : below(4);  // X, X?, X*, X+
      item.min = shape == 1 || shape == 2 ? 0 : 1;
      item.many = shape >= 2;
    }
    std::vector<SymbolId> row;
    const bool framed = below(4) != 0;
    if (framed) row.push_back(0);
    for (int32_t n = below(12); n > 0; --n) row.push_back(static_cast<SymbolId>(framed ? 2 + below(4) : below(6)));
    if (framed) row.push_back(1);
    const int32_t length = static_cast<int32_t>(row.size());
    Pattern pattern(items);
    const bool mayMatch = pattern.BeginEntry(row.data(), length);
    bool anyMatch = false;
    for (int32_t start = 0; start < length; ++start) {
      std::vector<int32_t> expected(items.size(), -1), got(items.size(), -1);
      const bool want = ReferenceMatch(items, row, 0, start, &expected);
      ASSERT_EQ(pattern.MatchAt(start, got.data()), want) << "round " << round << " start " << start;
      ++starts;
      if (!want) continue;
      anyMatch = true;
      ++matchedStarts;
      ASSERT_EQ(got, expected) << "round " << round << " start " << start;
      for (size_t k = 0; k < items.size(); ++k) emptyItems += got[k] == (k == 0 ? start : got[k - 1]);
    }
    bool one = true;
    for (const PatternItem& item : items) one = one && item.min == 1 && !item.many;
    ASSERT_EQ(pattern.exactlyOne(), one);
    // A pattern of exactly-one items may answer yes for an entry without a match.
    ASSERT_TRUE(pattern.exactlyOne() ? mayMatch || !anyMatch : mayMatch == anyMatch) << "round " << round;
  }
  // The cases reach both outcomes and items that take nothing.
  EXPECT_GT(matchedStarts, starts / 10);
  EXPECT_LT(matchedStarts, starts * 9 / 10);
  EXPECT_GT(emptyItems, 1000);
}

// Boxes read and compiled over a small inventory with two classes and a
// feature table that gives [ a line and Z none.
class CompiledPatternTest : public ::testing::Test {
 protected:
  CompiledPatternTest() {
    for (const char* s : {"[", "]", "CH", "AY1", "L", "D", "B", "IH0", "Z"}) symbols_.Intern(s);
    EXPECT_TRUE(ReadFeatureTable("Symbol\tvoice\tsonorant\r\n[\t+\t+\r\nCH\t-\t-\r\nAY1\t+\t+\r\nL\t+\t+\r\n"
                                 "D\t+\t-\r\nB\t+\t-\r\nIH0\t+\t+\r\n", "F.txt", &features_).ok());
    context_.isName = [](std::string_view t) {
      return std::set<std::string>{"[", "]", "ch", "ay1", "l", "d", "b", "ih0", "z", "stop", "vowel"}.count(Lower(t));
    };
    context_.features = [this](Status*) { return &features_; };
    classes_.AddClass("STOP");
    classes_.AddClass("vowel");
    for (const char* m : {"b", "d", "[", "Ch"}) classes_.AddMember(1, m);
    for (const char* m : {"ay1", "IH0"}) classes_.AddMember(2, m);
  }
  PatternItem Compile(std::string_view box) {
    const ParsedItem item = ParseItem(box, 1, context_);
    EXPECT_TRUE(item.ok()) << box << ": " << item.message;
    return CompilePatternItem(item, [this](std::string_view n) { return CompileItem(n, symbols_, classes_).matches; },
                              symbols_, &features_);
  }
  SymbolTable symbols_;
  ClassTable classes_;
  FeatureTable features_;
  ItemContext context_;
};

// Each box's matches as texts and its count ("{D B}1", ?, * or +): names and
// alternations match the boundaries by name; ..., negations and bundles never.
// (How many segments each item then takes is the matcher's, checked against
// literal backtracking above.)
TEST_F(CompiledPatternTest, WhatEachCompiledItemMatches) {
  const std::pair<const char*, const char*> items[] = {
      {"...", "{<empty> CH AY1 L D B IH0 Z}*"}, {"STOP", "{[ CH D B}1"}, {"STOP|l", "{[ CH L D B}1"},
      {"[|]", "{[ ]}1"}, {"!STOP", "{<empty> AY1 L IH0 Z}1"}, {"!VOWEL|L", "{<empty> CH D B Z}1"},
      {"{+voice}", "{AY1 L D B IH0}1"}, {"{+voice -sonorant}", "{D B}1"}, {"{+voice -voice}", "{}1"},
      {"!{+voice}", "{<empty> CH Z}1"}, {"d", "{D}1"}, {"B?", "{B}?"}, {"B+", "{B}+"},
      {"!B*", "{<empty> CH AY1 L D IH0 Z}*"},
  };
  for (const auto& [box, members] : items) {
    const PatternItem item = Compile(box);
    std::string out;
    for (SymbolId id = 0; id < item.matches.size(); ++id) {
      if (item.matches[id]) out += (out.empty() ? "" : " ") + (id == 0 ? std::string("<empty>") : symbols_.Text(id));
    }
    EXPECT_EQ("{" + out + "}" + "1+?*"[item.min == 0 ? 2 + item.many : item.many], members) << box;
  }
}

// The lexical filters: their values as the front ends give them, and an
// entry's frequency, segments, vowels and stress at the edges of each filter.
// Each value by its reader: 'r' range, 'f' frequency, 's' stress; read back as
// text ("none" for an empty value, nullptr for a refused one).
TEST(FilterValues, ReadOrRefused) {
  const struct { char kind; const char* text; const char* read; } cases[] = {
      {'r', "2-4", "2-4"}, {'r', "2-", "2-"}, {'r', "-4", "-4"}, {'r', "3", "3"}, {'r', "0", "0"},
      {'r', "0-", "0-"}, {'r', "5-5", "5"}, {'r', "", "none"}, {'r', "-", nullptr}, {'r', "5-3", nullptr},
      {'r', "a-b", nullptr}, {'r', "1-2-3", nullptr}, {'r', "+2", nullptr}, {'r', "2 -4", nullptr},
      {'r', "-1-", nullptr}, {'r', "1.5", nullptr}, {'f', "0", "0"}, {'f', "", "none"}, {'f', "-1", nullptr},
      {'f', "+1", nullptr}, {'f', "1.0", nullptr}, {'f', "x", nullptr}, {'f', "99999999999", nullptr},
      {'s', ".10.2", ".10.2"}, {'s', "3", nullptr}, {'s', "1 0", nullptr}, {'s', "a", nullptr}, {'s', "*", nullptr},
  };
  for (const auto& c : cases) {
    std::optional<CountRange> range;
    std::optional<int32_t> n;
    std::string stress;
    bool ok = false;
    std::string read = "none";
    if (c.kind == 'r' && (ok = ParseCountRange(c.text, &range)) && range) read = range->Text();
    if (c.kind == 'f' && (ok = ParseFrequency(c.text, &n)) && n) read = std::to_string(*n);
    if (c.kind == 's' && (ok = ParseStressPattern(c.text, &stress)) && !stress.empty()) read = stress;
    EXPECT_EQ(ok, c.read != nullptr) << c.text;
    EXPECT_EQ(read, ok ? c.read : "none") << c.text;
  }
}

LexicalFilters Filters(const char* min, const char* max, const char* segments = "", const char* syllables = "",
                       const char* stress = "") {
  LexicalFilters f;
  EXPECT_TRUE(ParseFrequency(min, &f.minFrequency) && ParseFrequency(max, &f.maxFrequency) &&
              ParseCountRange(segments, &f.segments) && ParseCountRange(syllables, &f.syllables) &&
              ParseStressPattern(stress, &f.stress));
  return f;
}

LexicalFilters Stress(const char* pattern) { return Filters("", "", "", "", pattern); }

// Bounds are inclusive; blanks count nothing; vowels are the symbols ending
// in a stress digit; a stress pattern names every vowel in order.
TEST(LexicalFilters, AnEntryPassesWhenEveryFilterHolds) {
  const struct { LexicalFilters f; int32_t frequency; const char* transcription; bool passes; } cases[] = {
      {Filters("", ""), -5, "", true},             {Filters("10", "20"), 9, "AH0", false},
      {Filters("10", "20"), 10, "AH0", true},      {Filters("10", "20"), 20, "AH0", true},
      {Filters("10", "20"), 21, "AH0", false},     {Filters("", "", "2-3"), 0, "K", false},
      {Filters("", "", "2-3"), 0, " K  AE1 T ", true}, {Filters("", "", "2-3"), 0, "K AE1 T S", false},
      {Filters("", "", "0"), 0, "", true},         {Filters("", "", "", "2"), 0, "T EY1 B AH0 L", true},
      {Filters("", "", "", "2"), 0, "T EY1 B L", false}, {Filters("", "", "", "2"), 0, "AH2 EY1 OW0", false},
      {Filters("", "", "", "2"), 0, "AH2 B3 OW0", true},  // a 3 marks no vowel
      {Stress("10"), 0, "T EY1 B AH0 L", true}, {Stress("10"), 0, "AH0 B AW1 T", false},
      {Stress("10"), 0, "T EY1 B", false}, {Stress("10"), 0, "EY1 B AH0 L IH0 T", false},
      {Stress(".1"), 0, "AE2 B AW1 T", true}, {Stress(".1"), 0, "AE1 B AW0 T", false},
      {Stress("2.0"), 0, "AE2 B AH1 K AH0 S", true}, {Stress("2.0"), 0, "AE2 B AH1 K AH1 S", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.f.Passes(c.frequency, c.transcription), c.passes) << c.transcription << FiltersSuffix(c.f);
  }
  EXPECT_EQ(FiltersSuffix(LexicalFilters()), "");
  EXPECT_EQ(FiltersSuffix(Stress(".1")), " (filters: stress .1)");
  EXPECT_EQ(FiltersSuffix(Filters("0", "7", "3-5", "2-", ".1")),
            " (filters: min frequency 0, max frequency 7, segments 3-5, syllables 2-, stress .1)");
}

}  // namespace
}  // namespace velmora
