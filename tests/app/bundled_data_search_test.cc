// The searches of the help topics, run by the program itself on the bundled
// English data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "app/form1.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

class BundledData : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    for (const char* name : {"in.txt", "AllSegments.txt", "SegmentKey.txt"}) {
      fs::copy_file(fs::path(VELMORA_DATA_DIR) / name, fs::path(dir.Path(name)));
    }
    for (const char* folder : {"NaturalClasses", "SyllabifiedNaturalClasses"}) {
      fs::copy(fs::path(VELMORA_DATA_DIR) / folder, fs::path(dir.Path(folder)));
    }
    form.Form_Load();
  }
  void Boxes(std::initializer_list<const char*> items) {
    int b = 1;
    for (const char* item : items) platform.SetText(TextBox(b++), item);
  }

  ScopedTempDir dir;
  RecordingPlatform platform;
  Form1 form{platform, dir.path()};
};

TEST_F(BundledData, MainStressedAyBeforeAWordFinalClusterFindsChildBlindAndPintInBothData) {
  Boxes({"AY1", "CONSONANT", "CONSONANT", "]"});
  form.cmdSearchTranscriptions_Click();
  // The data pass the vetting without a caution.
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form.NumberOfHits, 154);
  const std::string medium = ReadFile(dir.Path("MediumOutput.txt"));
  EXPECT_EQ(std::count(medium.begin(), medium.end(), '\n'), 2 + 23);  // two heading lines, 23 focus strings
  const std::string words = ReadFile(dir.Path("SmallOutput.txt"));
  for (const char* word : {"child", "blind", "pint"}) {
    EXPECT_NE(words.find(std::string(", ") + word + ","), std::string::npos) << word;
  }
  EXPECT_NE(medium.find("\r\nAY1\tN\tD\t]\t"), std::string::npos);

  // The syllabified data and their classes pass the vetting too and find the same words.
  platform.SetValue(Control::chkSyllabified, 1);
  form.cmdRereadClasses_Click();
  Boxes({"AY1", "CODA", "CODA", "]"});
  form.cmdSearchTranscriptions_Click();
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_EQ(form.NumberOfHits, 154);
}

// Divided in two threads, the data give the symbols and tables one thread gives.
TEST_F(BundledData, TwoThreadsDivideAsOneDoes) {
  struct Yes : DivisionReporter {
    bool Continue(const Caution&) override { return true; }
  } yes;
  const VowelTest isVowel = [](std::string_view s) { return s.back() >= '0' && s.back() <= '2'; };
  for (bool syllabified : {false, true}) {
    Lexicon one, two;
    one.SetParallelDivisionFrom(INT32_MAX);
    for (Lexicon* l : {&one, &two}) {
      ASSERT_TRUE(l->LoadInventory(dir.Path("AllSegments.txt")).ok());
      ASSERT_TRUE(l->LoadDictionary(dir.Path("in.txt")).ok());
      ASSERT_TRUE(l->DivideWordsIntoPhonemes(syllabified, yes, isVowel));
      l->MakeVowelTier();
    }
    ASSERT_GE(two.dictionary().NumberOfWords, 4096);
    ASSERT_EQ(two.Symbols().size(), one.Symbols().size());
    for (SymbolId id = 0; id < one.Symbols().size(); ++id) ASSERT_EQ(two.Symbols().Text(id), one.Symbols().Text(id));
    for (Tier tier : {syllabified ? Tier::kSyllabified : Tier::kPlain, Tier::kVowels}) {
      ASSERT_EQ(two.Lengths(tier), one.Lengths(tier));
      for (int32_t n = 1; n <= one.dictionary().NumberOfWords; ++n) {
        for (int32_t j = 1; j <= one.Lengths(tier)[n]; ++j) ASSERT_EQ(two.Table(tier).At(n, j), one.Table(tier).At(n, j)) << n;
      }
    }
  }
}

}  // namespace
}  // namespace velmora
