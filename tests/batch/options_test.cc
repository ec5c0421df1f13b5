// The command line of velmora-batch: what each argument sets, and the usage
// errors that stop a run before anything is read.
#include "batch/options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace velmora {
namespace {

using Args = std::vector<std::string>;

BatchOptions Parse(const Args& args) {
  BatchOptions options;
  std::string error;
  EXPECT_TRUE(ParseBatchOptions(args, &options, &error)) << error;
  return options;
}

std::string ErrorOf(const Args& args) {
  BatchOptions options;
  std::string error;
  EXPECT_FALSE(ParseBatchOptions(args, &options, &error));
  EXPECT_EQ(error.find('\n'), std::string::npos) << "not one line: " << error;
  return error;
}

TEST(BatchOptions, EveryOptionSetsItsOwnFieldAndTheLaterOfTwoCounts) {
  const BatchOptions none = Parse({});
  EXPECT_FALSE(none.help);
  EXPECT_EQ(none.folder, "");
  EXPECT_FALSE(none.input || none.syllabified || none.vowels || none.exclude || none.limit || none.orthography);
  EXPECT_TRUE(none.ignore.empty());
  EXPECT_TRUE(none.items.empty());
  EXPECT_TRUE(none.answerYes);

  const BatchOptions o = Parse({"--folder", "/data/v", "--input", "small.txt", "--syllabified", "--no-vowels",
                                "--exclude", "--ignore", "2", "--ignore", "4", "--limit", "40", "--answer", "no",
                                "--orthography", "ght"});
  EXPECT_EQ(o.folder, "/data/v");
  EXPECT_EQ(o.input, "small.txt");
  EXPECT_EQ(o.syllabified, true);
  EXPECT_EQ(o.vowels, false);
  EXPECT_EQ(o.exclude, true);
  EXPECT_EQ(o.ignore, (std::vector<int>{2, 4}));
  EXPECT_EQ(o.limit, "40");
  EXPECT_FALSE(o.answerYes);
  EXPECT_EQ(o.orthography, "ght");

  const BatchOptions other = Parse({"--syllabified", "--plain", "--no-vowels", "--vowels", "--exclude",
                                    "--no-exclude", "--answer", "no", "--answer", "yes"});
  EXPECT_EQ(other.syllabified, false);
  EXPECT_EQ(other.vowels, true);
  EXPECT_EQ(other.exclude, false);
  EXPECT_TRUE(other.answerYes);
  EXPECT_EQ(Parse({"--no-exclude", "--exclude"}).exclude, true);
}

TEST(BatchOptions, ItemsAndValuesMayLookLikeAnything) {
  const BatchOptions o = Parse({"AY1", "--syllabified", "CODA", "--limit", "7", "]"});
  EXPECT_EQ(o.items, (Args{"AY1", "CODA", "]"}));
  EXPECT_EQ(o.limit, "7");
  // An empty item is a box left empty (the validation closes the gap); a lone "-" is no option.
  EXPECT_EQ(Parse({"", "AY1", "-"}).items, (Args{"", "AY1", "-"}));
  // "--" makes the rest items.
  const BatchOptions rest = Parse({"--plain", "--", "--vowels", "-x"});
  EXPECT_EQ(rest.items, (Args{"--vowels", "-x"}));
  EXPECT_FALSE(rest.vowels);
  // A value may follow an equals sign, or be the next argument whatever it looks like.
  const BatchOptions eq = Parse({"--limit=-3", "--ignore=5", "--orthography=[wr", "--input=a=b.txt"});
  EXPECT_EQ(eq.limit, "-3");
  EXPECT_EQ(eq.ignore, (std::vector<int>{5}));
  EXPECT_EQ(eq.orthography, "[wr");
  EXPECT_EQ(eq.input, "a=b.txt");
  EXPECT_EQ(Parse({"--orthography", "--plain"}).orthography, "--plain");
  EXPECT_EQ(Parse({"--orthography", ""}).orthography, "");
  EXPECT_EQ(Parse({"--limit", "-3"}).limit, "-3");
}

TEST(BatchOptions, LimitTakesTheNumbersTheBoxTakes) {
  for (const char* n : {"0", "100", "-3", "+8", "2.5", ".5", "7."}) EXPECT_EQ(Parse({"--limit", n}).limit, n);
  for (const char* n : {"", "abc", "5x", "1e3", "-", ".", " 5", "5 "}) {
    EXPECT_NE(ErrorOf({"--limit", n}).find("--limit"), std::string::npos) << n;
  }
}

TEST(BatchOptions, IgnoreNamesBoxesOneToFive) {
  EXPECT_EQ(Parse({"--ignore", "1", "--ignore", "5", "--ignore", "1"}).ignore, (std::vector<int>{1, 5, 1}));
  EXPECT_EQ(ErrorOf({"--ignore", "6"}), "--ignore takes a box number from 1 to 5, not '6'");
  for (const char* n : {"0", "", "12", "1x", "-1", "one"}) EXPECT_FALSE(ErrorOf({"--ignore", n}).empty()) << n;
}

TEST(BatchOptions, UsageErrors) {
  EXPECT_EQ(ErrorOf({"--bogus"}), "unknown option '--bogus'");
  EXPECT_EQ(ErrorOf({"-v"}), "unknown option '-v'");
  EXPECT_EQ(ErrorOf({"--plain=yes"}), "--plain takes no value");
  EXPECT_EQ(ErrorOf({"a", "b", "c", "d", "e", "f"}), "there are only five boxes, so 'f' is one item too many");
  EXPECT_EQ(ErrorOf({"a", "b", "c", "d", "e", "--", "f"}), "there are only five boxes, so 'f' is one item too many");
  EXPECT_EQ(ErrorOf({"--answer", "maybe"}), "--answer takes yes or no, not 'maybe'");
  EXPECT_EQ(ErrorOf({"--answer", "YES"}), "--answer takes yes or no, not 'YES'");
  EXPECT_EQ(ErrorOf({"--folder", ""}), "--folder needs a folder name");
  for (const char* name : {"--folder", "--input", "--ignore", "--limit", "--answer", "--orthography"}) {
    EXPECT_EQ(ErrorOf({"AY1", name}), std::string(name) + " needs a value");
  }
  // Help stops reading the rest; an error before it still counts.
  EXPECT_TRUE(Parse({"--help", "--bogus", "1", "2", "3", "4", "5", "6"}).help);
  EXPECT_TRUE(Parse({"AY1", "-h"}).help);
  EXPECT_EQ(ErrorOf({"--bogus", "--help"}), "unknown option '--bogus'");
}

TEST(BatchOptions, UsageHasOneLinePerOption) {
  std::istringstream usage(BatchUsage());
  std::vector<std::string> described;
  for (std::string line; std::getline(usage, line);) {
    if (line.rfind("  --", 0) == 0) described.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  EXPECT_EQ(described, (Args{"--folder", "--input", "--syllabified", "--plain", "--vowels", "--no-vowels",
                             "--exclude", "--no-exclude", "--ignore", "--limit", "--answer", "--orthography",
                             "--min-frequency", "--max-frequency", "--segments", "--syllables", "--stress",
                             "--queries", "--out", "--help"}));
  // Each described option is one the parser takes, alone or with a value.
  for (const std::string& name : described) {
    bool taken = false;
    for (const Args& args : {Args{name}, Args{name, "1"}, Args{name, "no"}, Args{"--queries", "q", "--out", "r"}}) {
      BatchOptions o;
      std::string error;
      taken = taken || (std::find(args.begin(), args.end(), name) != args.end() && ParseBatchOptions(args, &o, &error));
    }
    EXPECT_TRUE(taken) << name;
  }
}

}  // namespace
}  // namespace velmora
