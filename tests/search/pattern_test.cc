#include "search/pattern.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"

namespace velmora {
namespace {

// The literal reading of the matching rule: items left to right, each trying
// its counts from the most down to the fewest, the first complete way winning.
// Exponential in the worst case; only for short rows.
bool ReferenceMatch(const std::vector<PatternItem>& items, const std::vector<SymbolId>& row, size_t k, int32_t p,
                    std::vector<int32_t>* ends) {
  if (k == items.size()) return true;
  const PatternItem& item = items[k];
  int32_t most = 0;
  const int32_t length = static_cast<int32_t>(row.size());
  while (p + most < length && item.matches[row[static_cast<size_t>(p + most)]] != 0 && (item.many || most < 1)) {
    ++most;
  }
  for (int32_t c = most; c >= item.min; --c) {
    (*ends)[k] = p + c;
    if (ReferenceMatch(items, row, k + 1, p + c, ends)) return true;
  }
  return false;
}

// Random items and rows over six symbols, ids 0 and 1 playing the boundaries:
// every start position of every row, matcher against the reference.
TEST(Pattern, AgreesWithLiteralBacktrackingOnRandomCases) {
  std::mt19937 random(20261206);
  auto below = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
  constexpr int32_t kSymbols = 6;
  int64_t matchedStarts = 0, emptyItems = 0, starts = 0;
  for (int round = 0; round < 20000; ++round) {
    std::vector<PatternItem> items(static_cast<size_t>(1 + below(5)));
    for (PatternItem& item : items) {
      item.matches.resize(kSymbols);
      const int32_t density = 1 + below(4);  // how likely a symbol is matched, in quarters
      for (uint8_t& m : item.matches) m = below(4) < density ? 1 : 0;
      const int32_t shape = below(4);  // X, X?, X*, X+
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
    bool exactlyOne = true;
    for (const PatternItem& item : items) exactlyOne = exactlyOne && item.min == 1 && !item.many;
    if (exactlyOne) {
      ASSERT_TRUE(mayMatch || !anyMatch) << "round " << round;
    } else {
      ASSERT_EQ(mayMatch, anyMatch) << "round " << round;
    }
    // The single-start form gives the same as the begun entry.
    if (length > 0) {
      const int32_t start = below(length);
      std::vector<int32_t> expected(items.size(), -1), got(items.size(), -1);
      ASSERT_EQ(Pattern(items).MatchAt(row.data(), length, start, got.data()),
                ReferenceMatch(items, row, 0, start, &expected));
    }
  }
  // The cases reach both outcomes and items that take nothing.
  EXPECT_GT(matchedStarts, starts / 10);
  EXPECT_LT(matchedStarts, starts * 9 / 10);
  EXPECT_GT(emptyItems, 1000);
}

// A pattern of exactly-one items tries the positions today's loop tries.
TEST(Pattern, ExactlyOneItemsMatchLikeTodaysLoop) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::vector<PatternItem> items(1 + random() % 5);
    for (PatternItem& item : items) {
      item.matches.resize(4);
      for (uint8_t& m : item.matches) m = random() % 2;
    }
    std::vector<SymbolId> row(random() % 9);
    for (SymbolId& id : row) id = random() % 4;
    const int32_t length = static_cast<int32_t>(row.size());
    const int32_t n = static_cast<int32_t>(items.size());
    Pattern pattern(items);
    pattern.BeginEntry(row.data(), length);
    for (int32_t j = 0; j < length; ++j) {
      bool today = j <= length - n;
      for (int32_t b = 0; b < n && today; ++b) today = items[static_cast<size_t>(b)].matches[row[static_cast<size_t>(j + b)]];
      std::vector<int32_t> ends(items.size());
      ASSERT_EQ(pattern.MatchAt(j, ends.data()), today);
      for (int32_t b = 0; today && b < n; ++b) EXPECT_EQ(ends[static_cast<size_t>(b)], j + b + 1);
    }
  }
}

// Reading and compiling boxes over a small inventory with one class.
class CompiledPatternTest : public ::testing::Test {
 protected:
  CompiledPatternTest() {
    for (const char* s : {"[", "]", "CH", "AY1", "L", "D", "B", "IH0", "Z"}) symbols_.Intern(s);
    EXPECT_TRUE(ReadFeatureTable("Symbol\tvoice\tsonorant\r\n[\t+\t+\r\nCH\t-\t-\r\nAY1\t+\t+\r\nL\t+\t+\r\n"
                                 "D\t+\t-\r\nB\t+\t-\r\nIH0\t+\t+\r\n",
                                 "Features.txt", &features_)
                    .ok());
    context_.isName = [this](std::string_view t) { return classes_.count(Lower(t)) != 0 || IsSymbol(t); };
    context_.features = [this](Status*) { return &features_; };
  }

  bool IsSymbol(std::string_view t) const {
    for (SymbolId id = 1; id < symbols_.size(); ++id) {
      if (Lower(symbols_.Text(id)) == Lower(t)) return true;
    }
    return false;
  }

  // By the one matching rule: equal lowered, or a member of the class.
  std::vector<uint8_t> Matches(std::string_view name) const {
    std::vector<uint8_t> m(symbols_.size(), 0);
    const auto it = classes_.find(Lower(name));
    for (SymbolId id = 0; id < symbols_.size(); ++id) {
      const std::string s = Lower(symbols_.Text(id));
      m[id] = s == Lower(name) || (it != classes_.end() && it->second.count(s) != 0);
    }
    return m;
  }

  PatternItem Compile(std::string_view box) {
    const ParsedItem item = ParseItem(box, 1, context_);
    EXPECT_TRUE(item.ok()) << box << ": " << item.message;
    return CompilePatternItem(item, [this](std::string_view n) { return Matches(n); }, symbols_, &features_);
  }

  // The ids that match, as texts joined by blanks.
  std::string Members(const PatternItem& item) const {
    std::string out;
    for (SymbolId id = 0; id < item.matches.size(); ++id) {
      if (item.matches[id]) out += (out.empty() ? "" : " ") + (id == 0 ? std::string("<empty>") : symbols_.Text(id));
    }
    return out;
  }

  // The focus columns of the match at start of the row written as text, or
  // "no" when it does not match.
  std::string Focus(const std::vector<std::string>& boxes, const std::string& row, int32_t start) {
    std::vector<PatternItem> items;
    for (const std::string& b : boxes) items.push_back(Compile(b));
    std::vector<SymbolId> ids;
    for (size_t p = 0; p <= row.size();) {
      size_t q = row.find(' ', p);
      if (q == std::string::npos) q = row.size();
      ids.push_back(symbols_.Intern(row.substr(p, q - p)));
      p = q + 1;
    }
    Pattern pattern(items);
    std::vector<int32_t> ends(items.size());
    if (!pattern.MatchAt(ids.data(), static_cast<int32_t>(ids.size()), start, ends.data())) return "no";
    std::string focus;
    int32_t p = start;
    for (size_t k = 0; k < items.size(); ++k) {
      if (k > 0) focus += '\t';
      for (int32_t q = p; q < ends[k]; ++q) focus += (q > p ? " " : "") + symbols_.Text(ids[static_cast<size_t>(q)]);
      p = ends[k];
    }
    return focus;
  }

  SymbolTable symbols_;
  std::map<std::string, std::set<std::string>> classes_ = {{"stop", {"b", "d", "[", "ch"}}, {"vowel", {"ay1", "ih0"}}};
  FeatureTable features_;
  ItemContext context_;
};

TEST_F(CompiledPatternTest, BoundariesOnlyByName) {
  EXPECT_EQ(Members(Compile("...")), "<empty> CH AY1 L D B IH0 Z");
  EXPECT_EQ(Members(Compile("STOP")), "[ CH D B");  // a class that lists [ matches it as today
  EXPECT_EQ(Members(Compile("STOP|l")), "[ CH L D B");
  EXPECT_EQ(Members(Compile("[|]")), "[ ]");
  EXPECT_EQ(Members(Compile("!STOP")), "<empty> AY1 L IH0 Z");
  EXPECT_EQ(Members(Compile("!VOWEL|L")), "<empty> CH D B Z");
  // The table gives [ a line, and Z has none.
  EXPECT_EQ(Members(Compile("{+voice}")), "AY1 L D B IH0");
  EXPECT_EQ(Members(Compile("{+voice -sonorant}")), "D B");
  EXPECT_EQ(Members(Compile("{+voice -voice}")), "");
  EXPECT_EQ(Members(Compile("!{+voice}")), "<empty> CH Z");
  const PatternItem plain = Compile("d");
  EXPECT_EQ(Members(plain), "D");
  EXPECT_EQ(plain.min, 1);
  EXPECT_FALSE(plain.many);
  const PatternItem any = Compile("...");
  EXPECT_EQ(any.min, 0);
  EXPECT_TRUE(any.many);
  EXPECT_EQ(Compile("B?").min, 0);
  EXPECT_FALSE(Compile("B?").many);
  EXPECT_EQ(Compile("B+").min, 1);
  EXPECT_TRUE(Compile("B+").many);
  EXPECT_EQ(Compile("!B*").min, 0);
  EXPECT_TRUE(Compile("!B*").many);
}

TEST_F(CompiledPatternTest, FocusColumnsByGreedyOrder) {
  const std::string child = "[ CH AY1 L D ]";
  EXPECT_EQ(Focus({"AY1", "STOP|L", "STOP|L", "]"}, child, 2), "AY1\tL\tD\t]");
  EXPECT_EQ(Focus({"...", "...", "...", "AY1"}, child, 1), "CH\t\t\tAY1");
  EXPECT_EQ(Focus({"...", "...", "...", "AY1"}, child, 0), "no");  // ... does not take [
  EXPECT_EQ(Focus({"[", "...", "]"}, child, 0), "[\tCH AY1 L D\t]");
  EXPECT_EQ(Focus({"...", "D"}, child, 1), "CH AY1 L\tD");
  EXPECT_EQ(Focus({"{+voice}*", "..."}, child, 2), "AY1 L D\t");
  EXPECT_EQ(Focus({"!VOWEL+", "VOWEL?", "L?", "D"}, child, 1), "CH\tAY1\tL\tD");
  EXPECT_EQ(Focus({"!VOWEL*", "L"}, child, 1), "no");
  EXPECT_EQ(Focus({"STOP?", "STOP?", "CH"}, child, 0), "[\t\tCH");
  EXPECT_EQ(Focus({"B?", "]"}, child, 5), "\t]");
  EXPECT_EQ(Focus({"B*"}, child, 3), "");  // an optional item alone matches anywhere, taking nothing
}

}  // namespace
}  // namespace velmora
