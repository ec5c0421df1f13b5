// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of velmora-batch: what each argument sets, and the usage
// errors that stop a run before anything is read.
#include "batch/options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

namespace velmora {
namespace {

using Args = std::vector<std::string>;

std::string ErrorOf(const Args& args) {
  BatchOptions options;
  const Status status = ParseBatchOptions(args, &options);
  EXPECT_EQ(status.kind, Status::kMalformed);
  EXPECT_EQ(status.detail.find('\n'), std::string::npos) << "not one line: " << status.detail;
  return status.detail;
}

// folder input syllabified vowels exclude ignore limit answer orthography min max stress help | items ("-": unset)
std::string Fields(const Args& args) {
  BatchOptions o;
  EXPECT_TRUE(ParseBatchOptions(args, &o).ok()) << args.front();
  auto yn = [](std::optional<bool> v) { return v ? (*v ? "yes" : "no") : "-"; };
  auto n = [](const std::optional<std::optional<int32_t>>& v) { return v ? (*v ? std::to_string(**v) : "") : "-"; };
  std::ostringstream s;
  s << o.folder << " " << o.input.value_or("-") << " " << yn(o.syllabified) << " " << yn(o.vowels) << " "
    << yn(o.exclude) << " ";
  for (int b : o.ignore) s << b;
  s << " " << o.limit.value_or("-") << " " << yn(o.answerYes) << " " << o.orthography.value_or("-") << " "
    << n(o.minFrequency) << " " << n(o.maxFrequency) << " " << o.stress.value_or("-") << " " << yn(o.help) << " |";
  for (const std::string& item : o.items) s << " '" << item << "'";
  return s.str();
}

TEST(BatchOptions, EachOptionSetsItsOwnFieldAndTheLaterOfTwoCounts) {
  const std::pair<Args, std::string> cases[] = {
      {{"--folder", "/data/v", "--input", "small.txt", "--syllabified", "--no-vowels", "--exclude", "--ignore", "2",
        "--ignore", "4", "--limit", "40", "--answer", "no", "--orthography", "ght", "--min-frequency", "5",
        "--max-frequency", "5", "--stress", "1"}, "/data/v small.txt yes no yes 24 40 no ght 5 5 1 no |"},
      {{"--syllabified", "--plain", "--no-vowels", "--vowels", "--exclude", "--no-exclude", "--answer", "no",
        "--answer", "yes"}, " - no yes no  - yes - - - - no |"},
      {{"--no-exclude", "--exclude", "--max-frequency", ""}, " - - - yes  - yes - -  - no |"},
      // Items and values may look like anything; "" is a box left empty, "-" no option, "--" makes the rest items.
      {{"AY1", "--syllabified", "CODA", "--limit", "7", "]"}, " - yes - -  7 yes - - - - no | 'AY1' 'CODA' ']'"},
      {{"", "AY1", "-"}, " - - - -  - yes - - - - no | '' 'AY1' '-'"},
      {{"--plain", "--", "--vowels", "-x"}, " - no - -  - yes - - - - no | '--vowels' '-x'"},
      {{"--limit=-3", "--ignore=5", "--orthography=[wr", "--input=a=b.txt"}, " a=b.txt - - - 5 -3 yes [wr - - - no |"},
      {{"--orthography", "--plain"}, " - - - -  - yes --plain - - - no |"},
      {{"--orthography", ""}, " - - - -  - yes  - - - no |"},
      {{"--help", "--bogus", "1", "2", "3", "4", "5", "6"}, " - - - -  - yes - - - - yes |"},  // help stops the reading
      {{"AY1", "-h"}, " - - - -  - yes - - - - yes | 'AY1'"},
  };
  for (const auto& [args, fields] : cases) EXPECT_EQ(Fields(args), fields) << args.front();
  BatchOptions o;
  ASSERT_TRUE(ParseBatchOptions({"--data", "it", "AY1", "--data=/x/de"}, &o).ok());
  EXPECT_EQ(o.data.value_or("-") + " " + o.items.at(0), "/x/de AY1");
}

TEST(BatchOptions, UsageErrors) {
  for (std::string n : {"0", "100", "-3", "+8", "2.5", ".5", "7."})
    EXPECT_EQ(Fields({"--limit", n}), " - - - -  " + n + " yes - - - - no |");
  for (std::string bad : {"--limit=", "--limit=abc", "--limit=5x", "--limit=1e3", "--limit=-", "--limit=.",
                          "--limit= 5", "--limit=5 ", "--segments=x", "--syllables=-", "--min-frequency=-1",
                          "--max-frequency=1.5", "--stress=13"})
    EXPECT_NE(ErrorOf({bad}).find(bad.substr(0, bad.find('='))), std::string::npos) << bad;
  const std::pair<Args, std::string> cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"}, {{"-v"}, "unknown option '-v'"},
      {{"--bogus\x01\xFF"}, "unknown option '--bogus\\x01\\xFF'"}, {{"--plain=yes"}, "--plain takes no value"},
      {{"a", "b", "c", "d", "e", "f"}, "there are only five boxes, so 'f' is one item too many"},
      {{"a", "b", "c", "d", "e", "--", "f"}, "there are only five boxes, so 'f' is one item too many"},
      {{"--answer", "YES"}, "--answer takes yes or no, not 'YES'"},
      {{"--folder", ""}, "--folder needs a folder name"}, {{"AY1", "--limit"}, "--limit needs a value"},
      {{"--data="}, "--data needs a data set's name or a folder"},
      {{"--ignore", "6"}, "--ignore takes a box number from 1 to 5, not '6'"},
      {{"--ignore", "12"}, "--ignore takes a box number from 1 to 5, not '12'"},
      {{"--min-frequency", "100", "--max-frequency", "5"}, "--min-frequency 100 is more than --max-frequency 5"},
      {{"--max-frequency", "2147483648"}, "--max-frequency takes a whole number up to 2147483647, not '2147483648'"},
      {{"--min-frequency", "1OO"}, "--min-frequency takes a whole number, not '1OO'"},
      {{"--segments", "5-3"}, "--segments takes MIN-MAX, MIN-, -MAX or N, not '5-3'"},
      {{"--out", "r", "AY1"}, "--out is for --queries"}, {{"--queries", "q"}, "--queries needs --out DIR"},
      {{"--queries", "q", "--out", "r", "--data", "it"},
       "--queries takes only --out, --folder and --answer beside it; the searches are in its file"},
      {{"--bogus", "--help"}, "unknown option '--bogus'"},  // an error before --help still counts
      {{"--statistics", "--weight", "lg"}, "--weight takes log, token or type, not 'lg'"},
      {{"--statistics", "--cohort", "0"}, "--cohort takes a whole number from 1 to 2147483647, not '0'"},
      {{"--statistics", "--minimal-pairs", "AH0"}, "--minimal-pairs takes two segments, X and Y"},
      {{"--statistics", "--minimal-pairs", "AH0", "--keep-stress"}, "--minimal-pairs takes two segments, X and Y"},
      {{"--statistics", "--minimal-pairs", "AH0", "AH1"}, "--minimal-pairs takes two different segments, not 'AH0' "
                                                          "and 'AH1'"},
      {{"--statistics", "--words", ""}, "--words needs a file name"},
      {{"--keep-stress", "AY1"}, "--keep-stress is for --statistics"},
      {{"--statistics", "AY1"}, "--statistics takes only --folder, --data, --input and the options of the statistics beside it"},
      {{"--export", "tsv"}, "--export takes csv or ipa, not 'tsv'"},
      {{"--export", "csv", "--plain"}, "--export takes only --folder, --data, --input and --out FILE beside it"},
      {{"--export", "ipa", "--statistics"}, "--export takes only --folder, --data, --input and --out FILE beside it"},
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(ErrorOf(args), error) << args.front();
}

}  // namespace
}  // namespace velmora
