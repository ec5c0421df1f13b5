#include "syllabify/english_build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace velmora::syllabify {
namespace {

class EnglishBuildTest : public ::testing::Test {
 protected:
  EnglishBuildTest() {
    sources_.pronunciations = {
        {"a", "AH0"},
        {"b", "B IY1"},
        {"don", "D AA1 N"},
        {"extra", "EH1 K S T R AH0"},
        {"hmm", "HH M"},
        {"kind(2)", "K IH1 N D"},  // a later pronunciation listed first
        {"kind", "K AY1 N D # adjective"},
        {"kindness", "K AY1 N D N AH0 S"},
        {"s", "EH1 S"},
        {"stab", "S T AE1 B"},
        {"stack", "S T AE1 K"},
        {"strap", "S T R AE1 P"},
        {"string", "S T R IH1 NG"},
        {"tab", "T AE1 B"},
        {"zyx", "Z IH1 K S"},
    };
    sources_.counts = {{"s", 2000},     {"don", 1000},    {"a", 900},     {"b", 500},
                       {"notlisted", 70}, {"Kind", 50},   {"tab", 40},    {"extra", 30},
                       {"string", 20},  {"strap", 10},    {"stab", 10},   {"hmm", 7},
                       {"kindness", 5}, {"stack", 3}};
    options_.word_count = 6;
    options_.onset_min_words = 2;
  }

  std::map<std::string, std::vector<std::string>> Build() {
    EnglishBuildResult result;
    EXPECT_TRUE(BuildEnglishDataSet(sources_, options_, &result).ok());
    std::map<std::string, std::vector<std::string>> files;
    for (const DataFile& file : result.files) files[file.path] = file.lines;
    return files;
  }

  EnglishSources sources_;
  EnglishBuildOptions options_;
};

TEST_F(EnglishBuildTest, SelectsTheMostFrequentWordsAndListsThemAlphabetically) {
  auto files = Build();
  // don, s and b are frequent but are a contraction piece and single letters;
  // strap ties with stab and loses on spelling order; notlisted has no
  // pronunciation.
  EXPECT_EQ(files["in.txt"],
            (std::vector<std::string>{
                "a\tAH0\tAH0\t\t900\t1",
                "extra\tEH1 K S T R AH0\tEH1 KCoda S T R AH0\t\t30\t4",
                "kind\tK AY1 N D\tK AY1 NCoda DCoda\t\t50\t2",
                "stab\tS T AE1 B\tS T AE1 BCoda\t\t10\t6",
                "string\tS T R IH1 NG\tS T R IH1 NGCoda\t\t20\t5",
                "tab\tT AE1 B\tT AE1 BCoda\t\t40\t3",
            }));
  EXPECT_EQ(files["ExcludedTokens.txt"],
            (std::vector<std::string>{"s\t2000\tpiece of a contraction",
                                      "don\t1000\tpiece of a contraction",
                                      "b\t500\tsingle letter"}));
}

TEST_F(EnglishBuildTest, FullDictionaryHasEveryWordWithCountAndRankOrZero) {
  auto files = Build();
  const std::vector<std::string>& full = files["cmudict-full.txt"];
  ASSERT_EQ(full.size(), 14u);
  EXPECT_EQ(full[0], "a\tAH0\tAH0\t\t900\t1");
  EXPECT_EQ(full[1], "b\tB IY1\tB IY1\t\t0\t0");
  EXPECT_EQ(full[4], "hmm\tHH M\tHH M\t\t7\t8");
  // Annotated against the words of in.txt; neither N nor D is a legal onset
  // here, so both stay in the first syllable.
  EXPECT_EQ(full[6], "kindness\tK AY1 N D N AH0 S\tK AY1 NCoda DCoda NCoda AH0 SCoda\t"
                     "affixed: kind+ness\t5\t9");
  EXPECT_EQ(full[13], "zyx\tZ IH1 K S\tZ IH1 KCoda SCoda\t\t0\t0");
}

TEST_F(EnglishBuildTest, OnsetsAreTheClustersOfEnoughWords) {
  auto files = Build();
  EXPECT_EQ(files["LegalOnsets.txt"], (std::vector<std::string>{"K", "S T", "S T R"}));
  options_.onset_min_words = 3;
  files = Build();
  EXPECT_EQ(files["LegalOnsets.txt"], std::vector<std::string>{});
  // Without S T R the K of extra is no coda any more than S and T are.
  EXPECT_EQ(files["in.txt"][1], "extra\tEH1 K S T R AH0\tEH1 KCoda SCoda TCoda RCoda AH0\t\t30\t4");
}

TEST_F(EnglishBuildTest, InventoryListsBoundariesAndEverySymbolUsed) {
  auto files = Build();
  const std::vector<std::string>& all = files["AllSegments.txt"];
  for (const char* symbol : {"[", "]", "AH0", "AY1", "IH1", "B", "BCoda", "NG", "NGCoda", "HH"}) {
    EXPECT_NE(std::find(all.begin(), all.end(), symbol), all.end()) << symbol;
  }
  for (const char* unused : {"OY2", "ZH", "ZHCoda", "HHCoda"}) {
    EXPECT_EQ(std::find(all.begin(), all.end(), unused), all.end()) << unused;
  }
}

TEST_F(EnglishBuildTest, ClassFoldersHoldTheSameClassesInTheirOwnSymbols) {
  auto files = Build();
  EXPECT_EQ(files["NaturalClasses/STOP.txt"],
            (std::vector<std::string>{"P", "B", "T", "D", "K", "G"}));
  EXPECT_EQ(files["SyllabifiedNaturalClasses/STOP.txt"],
            (std::vector<std::string>{"P", "B", "T", "D", "K", "G", "PCoda", "BCoda", "TCoda",
                                      "DCoda", "KCoda", "GCoda"}));
  EXPECT_EQ(files["NaturalClasses/VOWEL.txt"].size(), 45u);
  EXPECT_EQ(files["SyllabifiedNaturalClasses/VOWEL.txt"], files["NaturalClasses/VOWEL.txt"]);
  EXPECT_EQ(files["NaturalClasses/MAINSTRESSED.txt"].size(), 15u);
  EXPECT_EQ(files["SyllabifiedNaturalClasses/CODA.txt"].size(), 24u);
  EXPECT_EQ(files.count("NaturalClasses/CODA.txt"), 0u);
  for (const auto& [path, lines] : files) {
    if (path.find("Classes/") != std::string::npos) {
      EXPECT_LE(lines.size(), 100u) << path;
      EXPECT_FALSE(lines.empty()) << path;
    }
  }
}

TEST_F(EnglishBuildTest, RefusesUnknownSymbolsAndTooFewWords) {
  EnglishBuildResult result;
  options_.word_count = 11;
  EXPECT_EQ(BuildEnglishDataSet(sources_, options_, &result).kind, Status::kFailed);
  EXPECT_EQ(result.qualifying_words, 10u);

  options_.word_count = 6;
  sources_.pronunciations.push_back({"odd", "AA1 DCoda"});
  EXPECT_EQ(BuildEnglishDataSet(sources_, options_, &result).detail, "DCoda");
  EXPECT_EQ(result.failed_word, "odd");
}

}  // namespace
}  // namespace velmora::syllabify
