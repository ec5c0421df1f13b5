// SPDX-License-Identifier: GPL-3.0-or-later
// The build of the English data set from its two sources, on a small source
// whose every output line is known (the committed data set against a fresh
// build is the data rebuild check). The failures are the tool's (tool_test.cc).
#include "syllabify/english_build.h"

#include <gtest/gtest.h>

#include <map>

#include "syllabify/text_lines.h"

namespace velmora::syllabify {
namespace {

using Lines = std::vector<std::string>;

Lines Bundled(const std::string& name) {
  Lines lines;
  EXPECT_TRUE(ReadLines(std::string(VELMORA_DATA_DIR) + "/" + name, &lines).ok()) << name;
  return lines;
}

// don, s and b are frequent but a contraction piece and single letters;
// strap ties with stab and loses on spelling order; notlisted has no
// pronunciation; kind's first pronunciation is its own, not kind(2).
TEST(EnglishBuildTest, EveryFileOfASmallSource) {
  EnglishSources sources;
  sources.pronunciations = {
      {"a", "AH0"},          {"b", "B IY1"},        {"don", "D AA1 N"},    {"extra", "EH1 K S T R AH0"},
      {"hmm", "HH M"},       {"kind(2)", "K IH1 N D"},                     {"kind", "K AY1 N D # adjective"},
      {"kindness", "K AY1 N D N AH0 S"},            {"s", "EH1 S"},        {"stab", "S T AE1 B"},
      {"stack", "S T AE1 K"}, {"strap", "S T R AE1 P"},                    {"string", "S T R IH1 NG"},
      {"tab", "T AE1 B"},    {"zyx", "Z IH1 K S"},
  };
  sources.counts = {{"s", 2000},  {"don", 1000},  {"a", 900},       {"b", 500},       {"notlisted", 70},
                    {"Kind", 50}, {"tab", 40},    {"extra", 30},    {"string", 20},   {"strap", 10},
                    {"stab", 10}, {"hmm", 7},     {"kindness", 5},  {"stack", 3}};
  EnglishBuildOptions options;
  options.word_count = 6;
  options.onset_min_words = 2;
  EnglishBuildResult result;
  ASSERT_TRUE(BuildEnglishDataSet(sources, options, &result).ok());
  std::map<std::string, Lines> files;
  for (const DataFile& file : result.files) files[file.path] = file.lines;
  EXPECT_EQ(files["in.txt"], (Lines{"a\tAH0\tAH0\t\t900\t1", "extra\tEH1 K S T R AH0\tEH1 KCoda S T R AH0\t\t30\t4",
                                    "kind\tK AY1 N D\tK AY1 NCoda DCoda\t\t50\t2", "stab\tS T AE1 B\tS T AE1 BCoda\t\t10\t6",
                                    "string\tS T R IH1 NG\tS T R IH1 NGCoda\t\t20\t5", "tab\tT AE1 B\tT AE1 BCoda\t\t40\t3"}));
  EXPECT_EQ(files["cmudict-full.txt"],
            (Lines{"a\tAH0\tAH0\t\t900\t1", "b\tB IY1\tB IY1\t\t0\t0", "don\tD AA1 N\tD AA1 NCoda\t\t0\t0",
                   "extra\tEH1 K S T R AH0\tEH1 KCoda S T R AH0\t\t30\t4", "hmm\tHH M\tHH M\t\t7\t8",
                   "kind\tK AY1 N D\tK AY1 NCoda DCoda\t\t50\t2",
                   "kindness\tK AY1 N D N AH0 S\tK AY1 NCoda DCoda NCoda AH0 SCoda\taffixed: kind+ness\t5\t9",
                   "s\tEH1 S\tEH1 SCoda\t\t0\t0", "stab\tS T AE1 B\tS T AE1 BCoda\t\t10\t6",
                   "stack\tS T AE1 K\tS T AE1 KCoda\t\t3\t10", "strap\tS T R AE1 P\tS T R AE1 PCoda\t\t10\t7",
                   "string\tS T R IH1 NG\tS T R IH1 NGCoda\t\t20\t5", "tab\tT AE1 B\tT AE1 BCoda\t\t40\t3",
                   "zyx\tZ IH1 K S\tZ IH1 KCoda SCoda\t\t0\t0"}));
  EXPECT_EQ(files["AllSegments.txt"],
            (Lines{"[", "]", "AA1", "AE1", "AH0", "AY1", "EH1", "IH1", "IY1", "P", "B", "T", "D", "K", "S", "Z", "HH",
                   "M", "N", "NG", "R", "PCoda", "BCoda", "DCoda", "KCoda", "SCoda", "NCoda", "NGCoda"}));
  EXPECT_EQ(files["LegalOnsets.txt"], (Lines{"K", "S T", "S T R"}));
  EXPECT_EQ(files["ExcludedTokens.txt"],
            (Lines{"s\t2000\tpiece of a contraction", "don\t1000\tpiece of a contraction", "b\t500\tsingle letter"}));
  EXPECT_EQ(result.summary,
            (Lines{"words in the dictionary: 14", "words with a subtitle count: 10", "legal onsets (at least 2 words): 3",
                   "  onset K: 2", "  onset S T: 2", "  onset S T R: 2", "in.txt compound: 0",
                   "in.txt affixed (suffix): 0", "in.txt affixed (prefix): 0", "cmudict-full.txt compound: 0",
                   "cmudict-full.txt affixed (suffix): 1", "cmudict-full.txt affixed (prefix): 0"}));
  // The key and the classes do not depend on the sources: they are the
  // bundled ones.
  size_t fixed = 0;
  for (const auto& [path, lines] : files) {
    if (path != "SegmentKey.txt" && path.find("Classes/") == std::string::npos) continue;
    EXPECT_EQ(lines, Bundled(path)) << path;
    ++fixed;
  }
  EXPECT_EQ(fixed, 1u + 19 + 21);
}

}  // namespace
}  // namespace velmora::syllabify
