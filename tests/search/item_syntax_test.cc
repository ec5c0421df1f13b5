#include "search/item_syntax.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

#include "platform/text.h"

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

// A table that cannot be had refuses the bundle's box only, with its status.
TEST_F(ItemSyntaxTest, AMissingTableRefusesBundlesOnly) {
  tableError_ = Status::FromErrno(ENOENT, "/p/Features.txt");
  const ParsedItem item = ParseItem("{+voice}", 4, context_);
  EXPECT_FALSE(item.ok());
  EXPECT_EQ(item.message, "Box 4: ");
  EXPECT_EQ(item.features.kind, Status::kNotFound);
  EXPECT_EQ(item.features.path, "/p/Features.txt");
  EXPECT_EQ(Read("T|D*"), "seg T|D *");
  context_.features = nullptr;
  EXPECT_EQ(Read("{+voice}"), "Box 1: there is no feature table to read the bundle with");
}

}  // namespace
}  // namespace velmora
