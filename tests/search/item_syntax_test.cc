#include "search/item_syntax.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

#include "platform/text.h"

namespace velmora {
namespace {

// The inventory and classes of these tests, with a class file named "V+" and
// one whose name holds a blank; a feature table with voice and sonorant.
class ItemSyntaxTest : public ::testing::Test {
 protected:
  ItemSyntaxTest() {
    EXPECT_TRUE(ReadFeatureTable("Symbol\tvoice\tsonorant\r\nB\t+\t-\r\nT\t-\t-\r\n", "Features.txt", &table_).ok());
    context_.isName = [this](std::string_view text) { return names_.count(Lower(text)) != 0; };
    context_.features = [this](Status* status) -> const FeatureTable* {
      ++tableRequests_;
      if (!tableError_.ok()) {
        *status = tableError_;
        return nullptr;
      }
      return &table_;
    };
  }

  ParsedItem Parse(std::string_view text, int box = 1) { return ParseItem(text, box, context_); }

  std::string Refusal(std::string_view text, int box = 1) {
    const ParsedItem item = Parse(text, box);
    EXPECT_EQ(item.kind, ParsedItem::Kind::kMalformed) << text;
    EXPECT_FALSE(item.ok());
    return item.message;
  }

  std::set<std::string> names_ = {"[", "]", "ay1", "t", "d", "b", "consonant", "v+", "front vowel", "!x"};
  FeatureTable table_;
  Status tableError_;
  int tableRequests_ = 0;
  ItemContext context_;
};

TEST_F(ItemSyntaxTest, KnownNamesKeepTodaysMeaningWhateverTheyHold) {
  for (const char* text : {"AY1", "ay1", "CONSONANT", "[", "]", "V+", "v+", "front vowel", "!X"}) {
    const ParsedItem item = Parse(text);
    EXPECT_EQ(item.kind, ParsedItem::Kind::kPlain) << text;
    EXPECT_EQ(item.text, text);
  }
  EXPECT_EQ(Parse("...").kind, ParsedItem::Kind::kAnySegments);
  // Unknown names without a new character are left to today's message.
  for (const char* text : {"AY9", "T D", "..", "....", "VOWEL", "T:"}) {
    const ParsedItem item = Parse(text);
    EXPECT_EQ(item.kind, ParsedItem::Kind::kPlainUnknownName) << text;
    EXPECT_TRUE(item.message.empty());
  }
  EXPECT_EQ(tableRequests_, 0);
}

TEST_F(ItemSyntaxTest, AlternationsNegationsAndQuantifiers) {
  ParsedItem item = Parse("T|d|CONSONANT");
  ASSERT_EQ(item.kind, ParsedItem::Kind::kSegment);
  EXPECT_EQ(item.names, (std::vector<std::string>{"T", "d", "CONSONANT"}));
  EXPECT_FALSE(item.negated);
  EXPECT_FALSE(item.isBundle);
  EXPECT_EQ(item.quantifier, Quantifier::kOne);

  // A last quantifier applies to the rest, then a first ! to what remains.
  item = Parse("!T|D*");
  ASSERT_EQ(item.kind, ParsedItem::Kind::kSegment);
  EXPECT_TRUE(item.negated);
  EXPECT_EQ(item.quantifier, Quantifier::kStar);
  EXPECT_EQ(item.names, (std::vector<std::string>{"T", "D"}));
  EXPECT_EQ(Parse("T?").quantifier, Quantifier::kOptional);
  EXPECT_EQ(Parse("T+").quantifier, Quantifier::kPlus);
  EXPECT_EQ(Parse("!T").quantifier, Quantifier::kOne);

  // Names holding the new characters are still names inside the new forms.
  item = Parse("V++");
  ASSERT_EQ(item.kind, ParsedItem::Kind::kSegment);
  EXPECT_EQ(item.names, (std::vector<std::string>{"V+"}));
  EXPECT_EQ(item.quantifier, Quantifier::kPlus);
  EXPECT_FALSE(item.negated);
  item = Parse("!X?");  // the class "!X", optional
  EXPECT_EQ(item.names, (std::vector<std::string>{"!X"}));
  EXPECT_FALSE(item.negated);
  item = Parse("!!X");  // not the class "!X"
  EXPECT_TRUE(item.negated);
  EXPECT_EQ(item.names, (std::vector<std::string>{"!X"}));
  item = Parse("front vowel|T+");
  EXPECT_EQ(item.names, (std::vector<std::string>{"front vowel", "T"}));

  // Boundaries may be alternatives of a plain alternation, matched by name.
  item = Parse("[|T");
  ASSERT_EQ(item.kind, ParsedItem::Kind::kSegment);
  EXPECT_EQ(item.names, (std::vector<std::string>{"[", "T"}));
  EXPECT_EQ(tableRequests_, 0);
}

TEST_F(ItemSyntaxTest, BundlesAskForTheTableOnlyWhenPresent) {
  ParsedItem item = Parse("{+VOICE -sonorant}");
  ASSERT_EQ(item.kind, ParsedItem::Kind::kSegment) << item.message;
  EXPECT_TRUE(item.isBundle);
  EXPECT_TRUE(item.names.empty());
  EXPECT_EQ(item.bundle, (std::vector<FeatureValue>{{0, true}, {1, false}}));
  EXPECT_EQ(tableRequests_, 1);

  item = Parse("!{ +voice\r\n-voice\n}*");  // a line break separates tokens as a blank does
  ASSERT_EQ(item.kind, ParsedItem::Kind::kSegment) << item.message;
  EXPECT_TRUE(item.negated);
  EXPECT_EQ(item.quantifier, Quantifier::kStar);
  EXPECT_EQ(item.bundle, (std::vector<FeatureValue>{{0, true}, {0, false}}));

  // A table that cannot be had refuses the bundle's box only, with its status.
  tableError_ = Status::FromErrno(ENOENT, "/p/Features.txt");
  item = Parse("{+voice}", 4);
  EXPECT_EQ(item.kind, ParsedItem::Kind::kMalformed);
  EXPECT_EQ(item.message, "Box 4: ");
  EXPECT_EQ(item.features.kind, Status::kNotFound);
  EXPECT_EQ(item.features.path, "/p/Features.txt");
  EXPECT_EQ(Parse("T|D*").kind, ParsedItem::Kind::kSegment);
  // Malformed tokens are named before the table is asked for.
  const int before = tableRequests_;
  EXPECT_EQ(Refusal("{voice}"), "Box 1: the bundle token \"voice\" is not + or - followed by a feature name");
  EXPECT_EQ(tableRequests_, before);
  context_.features = nullptr;
  EXPECT_EQ(Refusal("{+voice}"), "Box 1: there is no feature table to read the bundle with");
}

TEST_F(ItemSyntaxTest, EachRefusedFormHasItsMessage) {
  // Alternations.
  EXPECT_EQ(Refusal("T||D", 2), "Box 2: \"T||D\" has an empty alternative");
  EXPECT_EQ(Refusal("T|"), "Box 1: \"T|\" has an empty alternative");
  EXPECT_EQ(Refusal("|T"), "Box 1: \"|T\" has an empty alternative");
  EXPECT_EQ(Refusal("T | D"), "Box 1: \"T | D\" holds a blank; write !, | and ?, * or + next to the names they join");
  EXPECT_EQ(Refusal("! T"), "Box 1: \"! T\" holds a blank; write !, | and ?, * or + next to the names they join");
  EXPECT_EQ(Refusal("T *"), "Box 1: \"T *\" holds a blank; write !, | and ?, * or + next to the names they join");
  EXPECT_EQ(Refusal("T|XYZ", 3), "Box 3: unknown symbol or class \"XYZ\"");
  EXPECT_EQ(Refusal("!VOWEL"), "Box 1: unknown symbol or class \"VOWEL\"");
  EXPECT_EQ(Refusal("...|T"), "Box 1: \"...|T\" makes ... an alternative, but ... must stand alone in its box");
  EXPECT_EQ(Refusal("T|{+voice}"),
            "Box 1: \"T|{+voice}\" makes a feature bundle an alternative, but a bundle must stand alone");
  EXPECT_EQ(Refusal("{+voice}|T"),
            "Box 1: \"{+voice}|T\" makes a feature bundle an alternative, but a bundle must stand alone");
  EXPECT_EQ(Refusal("T|!D"),
            "Box 1: \"T|!D\" has a ! that is not at the start; one ! at the start negates the rest of the box");
  EXPECT_EQ(Refusal("T*|D"),
            "Box 1: \"T*|D\" has a * that is not at the end; one ?, * or + at the end quantifies the rest of the box");
  EXPECT_EQ(Refusal("T}"), "Box 1: \"T}\" has a } outside a feature bundle");

  // Bundles.
  EXPECT_EQ(Refusal("{+voice", 2), "Box 2: \"{+voice\" has no closing }");
  EXPECT_EQ(Refusal("!{+voice*"), "Box 1: \"!{+voice*\" has no closing }");
  EXPECT_EQ(Refusal("{}"), "Box 1: \"{}\" lists no features; a bundle holds +name or -name tokens");
  EXPECT_EQ(Refusal("{  }+"), "Box 1: \"{  }+\" lists no features; a bundle holds +name or -name tokens");
  EXPECT_EQ(Refusal("{+voice}x"), "Box 1: \"{+voice}x\" goes on after the } that closes its feature bundle");
  EXPECT_EQ(Refusal("{{+voice}"), "Box 1: \"{{+voice}\" has a { inside its feature bundle");
  EXPECT_EQ(Refusal("{+}"), "Box 1: the bundle token \"+\" is not + or - followed by a feature name");
  EXPECT_EQ(Refusal("{+voice,-sonorant}"), "Box 1: unknown feature \"voice,-sonorant\"");
  EXPECT_EQ(Refusal("{+voice *sonorant}"),
            "Box 1: the bundle token \"*sonorant\" is not + or - followed by a feature name");
  EXPECT_EQ(Refusal("{+voiced}", 3), "Box 3: unknown feature \"voiced\"");

  // Boundaries, ... and the operators themselves.
  EXPECT_EQ(Refusal("[*"), "Box 1: \"[*\" quantifies a word boundary; [ and ] stand for themselves only");
  EXPECT_EQ(Refusal("]?"), "Box 1: \"]?\" quantifies a word boundary; [ and ] stand for themselves only");
  EXPECT_EQ(Refusal("!]"), "Box 1: \"!]\" negates a word boundary; [ and ] stand for themselves only");
  EXPECT_EQ(Refusal("![|T"), "Box 1: \"![|T\" negates a word boundary; [ and ] stand for themselves only");
  EXPECT_EQ(Refusal("T|]+"), "Box 1: \"T|]+\" quantifies a word boundary; [ and ] stand for themselves only");
  EXPECT_EQ(Refusal("!..."), "Box 1: \"!...\" negates ..., which must stand alone in its box");
  EXPECT_EQ(Refusal("...*"), "Box 1: \"...*\" quantifies ..., which must stand alone in its box");
  EXPECT_EQ(Refusal("!...?"), "Box 1: \"!...?\" negates ..., which must stand alone in its box");
  EXPECT_EQ(Refusal("!"), "Box 1: \"!\" has nothing after the ! to negate");
  EXPECT_EQ(Refusal("!+"), "Box 1: \"!+\" has nothing after the ! to negate");
  EXPECT_EQ(Refusal("*"), "Box 1: \"*\" has nothing before the * to apply it to");
  EXPECT_EQ(Refusal("?", 5), "Box 5: \"?\" has nothing before the ? to apply it to");
  EXPECT_EQ(Refusal("T*?"), "Box 1: \"T*?\" has two quantifiers; an item ends in at most one ?, * or +");
  EXPECT_EQ(Refusal("!T++"), "Box 1: \"!T++\" has two quantifiers; an item ends in at most one ?, * or +");
  EXPECT_EQ(Refusal("!!T"), "Box 1: \"!!T\" has two !; one ! at the start negates the rest of the box");
  EXPECT_EQ(tableRequests_, 2);  // for {+voice,-sonorant} and {+voiced} only
}

}  // namespace
}  // namespace velmora
