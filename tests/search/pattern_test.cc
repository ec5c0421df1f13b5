#include "search/pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "platform/text.h"
#include "search/matcher.h"

namespace velmora {
namespace {

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
// Then the segments each box takes from a start in [ CH AY1 L D ], by greedy order.
TEST_F(CompiledPatternTest, CompiledItemsAndTheirFocus) {
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
  const struct { std::vector<std::string> boxes; int32_t start; const char* focus; } cases[] = {
      {{"AY1", "STOP|L", "STOP|L", "]"}, 2, "AY1\tL\tD\t]"}, {{"...", "...", "...", "AY1"}, 1, "CH\t\t\tAY1"},
      {{"...", "...", "...", "AY1"}, 0, "no"},  // ... does not take [
      {{"[", "...", "]"}, 0, "[\tCH AY1 L D\t]"}, {{"...", "D"}, 1, "CH AY1 L\tD"},
      {{"{+voice}*", "..."}, 2, "AY1 L D\t"}, {{"!VOWEL+", "VOWEL?", "L?", "D"}, 1, "CH\tAY1\tL\tD"},
      {{"!VOWEL*", "L"}, 1, "no"}, {{"STOP?", "STOP?", "CH"}, 0, "[\t\tCH"}, {{"B?", "]"}, 5, "\t]"},
      {{"B*"}, 3, ""},  // an optional item alone matches anywhere, taking nothing
  };
  const std::vector<SymbolId> row = {1, 3, 4, 5, 6, 2};
  for (const auto& c : cases) {
    std::vector<PatternItem> compiled;
    for (const std::string& b : c.boxes) compiled.push_back(Compile(b));
    std::vector<int32_t> ends(compiled.size());
    std::string focus = "no";
    if (Pattern(compiled).MatchAt(row.data(), 6, c.start, ends.data())) {
      focus.clear();
      for (size_t k = 0, p = static_cast<size_t>(c.start); k < compiled.size(); p = static_cast<size_t>(ends[k++])) {
        if (k > 0) focus += '\t';
        for (size_t q = p; q < static_cast<size_t>(ends[k]); ++q) focus += (q > p ? " " : "") + symbols_.Text(row[q]);
      }
    }
    EXPECT_EQ(focus, c.focus) << c.boxes[0];
  }
}

}  // namespace
}  // namespace velmora
