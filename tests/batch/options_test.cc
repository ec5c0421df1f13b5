// The command line of velmora-batch: what each argument sets, and the usage
// errors that stop a run before anything is read.
#include "batch/options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <utility>

namespace velmora {
namespace {

using Args = std::vector<std::string>;

BatchOptions Parse(const Args& args) {
  BatchOptions options;
  const Status status = ParseBatchOptions(args, &options);
  EXPECT_TRUE(status.ok()) << status.detail;
  return options;
}

std::string ErrorOf(const Args& args) {
  BatchOptions options;
  const Status status = ParseBatchOptions(args, &options);
  EXPECT_EQ(status.kind, Status::kMalformed);
  EXPECT_EQ(status.detail.find('\n'), std::string::npos) << "not one line: " << status.detail;
  return status.detail;
}

TEST(BatchOptions, EveryOptionSetsItsOwnFieldAndTheLaterOfTwoCounts) {
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
}

TEST(BatchOptions, LimitTakesTheNumbersTheBoxTakes) {
  for (const char* n : {"0", "100", "-3", "+8", "2.5", ".5", "7."}) EXPECT_EQ(Parse({"--limit", n}).limit, n);
  for (const char* n : {"", "abc", "5x", "1e3", "-", ".", " 5", "5 "}) {
    EXPECT_NE(ErrorOf({"--limit", n}).find("--limit"), std::string::npos) << n;
  }
}

TEST(BatchOptions, UsageErrors) {
  const std::pair<Args, std::string> cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"}, {{"-v"}, "unknown option '-v'"},
      {{"--bogus\x01\xFF"}, "unknown option '--bogus\\x01\\xFF'"}, {{"--plain=yes"}, "--plain takes no value"},
      {{"a", "b", "c", "d", "e", "f"}, "there are only five boxes, so 'f' is one item too many"},
      {{"a", "b", "c", "d", "e", "--", "f"}, "there are only five boxes, so 'f' is one item too many"},
      {{"--answer", "YES"}, "--answer takes yes or no, not 'YES'"},
      {{"--folder", ""}, "--folder needs a folder name"}, {{"AY1", "--limit"}, "--limit needs a value"},
      {{"--ignore", "6"}, "--ignore takes a box number from 1 to 5, not '6'"},
      {{"--ignore", "12"}, "--ignore takes a box number from 1 to 5, not '12'"},
      {{"--min-frequency", "100", "--max-frequency", "5"}, "--min-frequency 100 is more than --max-frequency 5"},
      {{"--max-frequency", "2147483648"}, "--max-frequency takes a whole number up to 2147483647, not '2147483648'"},
      {{"--min-frequency", "1OO"}, "--min-frequency takes a whole number, not '1OO'"},
      {{"--segments", "5-3"}, "--segments takes MIN-MAX, MIN-, -MAX or N, not '5-3'"},
      {{"--out", "r", "AY1"}, "--out is for --queries"}, {{"--queries", "q"}, "--queries needs --out DIR"},
      {{"--queries", "q", "--out", "r", "AY1"},
       "--queries takes only --out, --folder and --answer beside it; the searches are in its file"},
      {{"--bogus", "--help"}, "unknown option '--bogus'"},  // an error before --help still counts
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(ErrorOf(args), error) << args.front();
  // Help stops reading the rest.
  EXPECT_TRUE(Parse({"--help", "--bogus", "1", "2", "3", "4", "5", "6"}).help);
  EXPECT_TRUE(Parse({"AY1", "-h"}).help);
  EXPECT_EQ(Parse({"--min-frequency", "5", "--max-frequency", "5"}).maxFrequency, 5);
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
      taken = taken || (std::find(args.begin(), args.end(), name) != args.end() && ParseBatchOptions(args, &o).ok());
    }
    EXPECT_TRUE(taken) << name;
  }
}

}  // namespace
}  // namespace velmora
