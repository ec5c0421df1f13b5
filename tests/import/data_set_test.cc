// SPDX-License-Identifier: GPL-3.0-or-later
// The data set built from a small lexicon: every file it makes, line by line.
#include <gtest/gtest.h>

#include <map>

#include "import/data_set.h"
#include "import/symbols.h"

namespace velmora::import {
namespace {

// Base features of a few IPA symbols, in the columns the classes use.
constexpr char kTable[] =
    "Symbol\tsyllabic\tconsonantal\tsonorant\tcontinuant\tdelayed_release\tnasal\tvoice\tlabial\tcoronal\t"
    "dorsal\thigh\tlow\tback\tstress1\tstress2\tcoda\n"
    "a\t+\t-\t+\t+\t0\t-\t+\t-\t-\t+\t-\t+\t+\t-\t-\t0\n"
    "i\t+\t-\t+\t+\t0\t-\t+\t-\t-\t+\t+\t-\t-\t-\t-\t0\n"
    "p\t-\t+\t-\t-\t-\t-\t-\t+\t-\t-\t0\t0\t0\t0\t0\t-\n"
    "s\t-\t+\t-\t+\t+\t-\t-\t-\t+\t-\t0\t0\t0\t0\t0\t-\n"
    "tʃ\t-\t+\t-\t-\t+\t-\t-\t-\t+\t-\t0\t0\t0\t0\t0\t-\n"
    "n\t-\t+\t+\t-\t0\t+\t+\t-\t+\t-\t0\t0\t0\t0\t0\t-\n"
    "l\t-\t+\t+\t+\t0\t-\t+\t-\t+\t-\t0\t0\t0\t0\t0\t-\n"
    "j\t-\t-\t+\t+\t0\t-\t+\t-\t-\t+\t+\t-\t-\t0\t0\t-\n"
    "ʔ\t-\t-\t-\t-\t-\t-\t-\t-\t-\t-\t0\t0\t0\t0\t0\t-\n";

std::map<std::string, std::string> Files(const DataSet& set) {
  std::map<std::string, std::string> files;
  for (const DataFile& file : set.files) {
    for (const std::string& line : file.lines) files[file.path] += line + "|";
  }
  return files;
}

TEST(DataSetTest, DictionaryInventoryFeaturesAndClasses) {
  BaseFeatures features;
  ASSERT_TRUE(features.AddContents(kTable, "IpaFeatures.txt").ok());
  const std::vector<ImportEntry> entries = {
      {"pasta", {"p", "a1", "s", "tʃ", "a0"}, 5, 1},
      {"spin", {"s", "p", "i1", "n"}, 9, 2},
      {"ʔal", {"ʔ", "a2", "l", "x"}, 5, 3},
      {"tʃin", {"tʃ", "i0", "n"}, 9, 4},
  };
  const auto files = Files(BuildDataSet(entries, true, features));
  // Onsets from the word-initial clusters; ties in frequency ranked in order.
  EXPECT_EQ(files.at("in.txt"),
            "pasta\tp a1 s tʃ a0\tp a1 sCoda tʃ a0\t\t5\t3|spin\ts p i1 n\ts p i1 nCoda\t\t9\t1|"
            "ʔal\tʔ a2 l x\tʔ a2 lCoda xCoda\t\t5\t4|tʃin\ttʃ i0 n\ttʃ i0 nCoda\t\t9\t2|");
  EXPECT_EQ(files.at("LegalOnsets.txt"), "p|s p|tʃ|ʔ|");
  EXPECT_EQ(files.at("AllSegments.txt"), "[|]|a0|a1|a2|i0|i1|l|n|p|s|tʃ|x|ʔ|lCoda|nCoda|sCoda|xCoda|");
  const std::string& table = files.at("Features.txt");
  EXPECT_EQ(table.substr(0, table.find('|')), std::string(kTable).substr(0, std::string(kTable).find('\n')));
  for (const char* row : {"|[\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0|",
                          "|a2\t+\t-\t+\t+\t0\t-\t+\t-\t-\t+\t-\t+\t+\t-\t+\t0|",
                          "|i1\t+\t-\t+\t+\t0\t-\t+\t-\t-\t+\t+\t-\t-\t+\t-\t0|",
                          "|s\t-\t+\t-\t+\t+\t-\t-\t-\t+\t-\t0\t0\t0\t0\t0\t-|",
                          "|nCoda\t-\t+\t+\t-\t0\t+\t+\t-\t+\t-\t0\t0\t0\t0\t0\t+|"}) {
    EXPECT_NE(table.find(row), std::string::npos) << row;
  }
  EXPECT_EQ(table.find("|x\t"), std::string::npos);  // no features, no row
  const std::map<std::string, std::string> classes = {
      {"VOWEL", "a0|a1|a2|i0|i1|"},     {"CONSONANT", "l|n|p|s|tʃ|ʔ|"},
      {"STOP", "p|ʔ|"},                 {"FRICATIVE", "s|"},
      {"AFFRICATE", "tʃ|"},             {"NASAL", "n|"},
      {"LIQUID", "l|"},                 {"SONORANT", "l|n|"},
      {"OBSTRUENT", "p|s|tʃ|ʔ|"},       {"VOICED", "l|n|"},
      {"VOICELESS", "p|s|tʃ|ʔ|"},       {"LABIAL", "p|"},
      {"CORONAL", "l|n|s|tʃ|"},         {"FRONT", "i0|i1|"},
      {"BACK", "a0|a1|a2|"},            {"HIGH", "i0|i1|"},
      {"LOW", "a0|a1|a2|"},             {"STRESSED", "a1|a2|i1|"},
      {"UNSTRESSED", "a0|i0|"},         {"MAINSTRESSED", "a1|i1|"},
  };
  for (const auto& [name, members] : classes) {
    EXPECT_EQ(files.count("NaturalClasses/" + name + ".txt") ? files.at("NaturalClasses/" + name + ".txt") : "-",
              members) << name;
  }
  EXPECT_EQ(files.count("NaturalClasses/GLIDE.txt") + files.count("NaturalClasses/DORSAL.txt"), 0u);  // empty
  EXPECT_EQ(files.at("SyllabifiedNaturalClasses/SONORANT.txt"), "l|n|lCoda|nCoda|");
  EXPECT_EQ(files.at("SyllabifiedNaturalClasses/ONSET.txt"), "l|n|p|s|tʃ|x|ʔ|");
  EXPECT_EQ(files.at("SyllabifiedNaturalClasses/CODA.txt"), "lCoda|nCoda|sCoda|xCoda|");
  EXPECT_EQ(files.at("SyllabifiedNaturalClasses/MAINSTRESSED.txt"), "a1|i1|");
}

TEST(DataSetTest, WithoutFrequenciesTheLastTwoFieldsStayEmpty) {
  const auto files = Files(BuildDataSet({{"a", {"a0"}, 0, 1}}, false, BaseFeatures()));
  EXPECT_EQ(files.at("in.txt"), "a\ta0\ta0\t\t\t|");
  EXPECT_EQ(files.count("Features.txt"), 0u);
}

}  // namespace
}  // namespace velmora::import
