// The gate in front of every transcription search: trimming, closing gaps,
// checking items against the inventory and the class names.
#include <gtest/gtest.h>

#include "app/fixture.h"

namespace velmora {
namespace {

using Validation = AppFixture;

std::vector<std::string> BoxTexts(RecordingPlatform& p) {
  std::vector<std::string> out;
  for (int b = 1; b <= 5; ++b) out.push_back(p.Text(TextBox(b)));
  return out;
}
using V = std::vector<std::string>;

TEST_F(Validation, EmptyBoxesAreRefusedAndNothingElseHappens) {
  Start();
  Boxes({"  ", "", " "});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages, V{"Please type segments or natural classes in row of five boxes."});
  EXPECT_EQ(BoxTexts(platform), (V{"", "", "", "", ""}));
  EXPECT_EQ(Caption(Control::cmdSearchTranscriptions), "Search transcriptions");
  EXPECT_FALSE(FileExists(dir.Path("FullOutput.txt")));
  EXPECT_FALSE(FileExists(dir.Path("UserSettings.txt")));
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kRefused);
}

// Items are trimmed of spaces (only) and moved to the front; case is ignored
// on both sides and spaces inside stay; the first illegal item is named by
// its box after the compaction.
TEST_F(Validation, ItemsAreCompactedAndTheFirstIllegalOneIsNamedByItsBox) {
  struct Case {
    V boxes;
    V after;
    int illegalBox;  // 0: all legal
  } cases[] = {
      {{"", "", "  AY1 "}, {"AY1", "", "", "", ""}, 0},
      {{"B", "", "L", "", "AY1"}, {"B", "L", "AY1", "", ""}, 0},
      {{"cOnSoNaNt", "ay1", "[", "]", "vowel"}, {"cOnSoNaNt", "ay1", "[", "]", "vowel"}, 0},
      {{"AY1", "", "", "bogus", "worse"}, {"AY1", "bogus", "worse", "", ""}, 2},
      {{"AY1 N"}, {"AY1 N", "", "", "", ""}, 1},
      {{"\tAY1"}, {"\tAY1", "", "", "", ""}, 1},
  };
  Start();
  for (const Case& c : cases) {
    for (int b = 1; b <= 5; ++b) platform.SetText(TextBox(b), b <= static_cast<int>(c.boxes.size()) ? c.boxes[b - 1] : "");
    platform.messages.clear();
    EXPECT_EQ(Validates(), c.illegalBox == 0) << c.boxes[0];
    EXPECT_EQ(BoxTexts(platform), c.after);
    if (c.illegalBox != 0) {
      EXPECT_EQ(platform.messages, V{"The item in Box # " + std::to_string(c.illegalBox) +
                                     " is neither a legal phoneme nor a legal natural class name.  Please fix this "
                                     "and click on the search button again."});
    }
  }
}

TEST_F(Validation, ClassesOfTheOtherFolderAreIllegalUntilTheClassesAreReadAgain) {
  Start();
  Boxes({"CODA"});
  EXPECT_FALSE(Validates());
  platform.SetValue(Control::chkSyllabified, 1);
  EXPECT_FALSE(Validates());
  form->cmdRereadClasses_Click();
  EXPECT_TRUE(Validates());
}

TEST_F(Validation, WithAnEmptyInventoryAndNoClassesEveryItemFails) {
  Write("AllSegments.txt", "");
  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/CONSONANT.txt").c_str()), 0);
  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/VOWEL.txt").c_str()), 0);
  Start();
  Boxes({"[", "AY1"});
  EXPECT_FALSE(Validates());
  EXPECT_NE(platform.messages.back().find("Box # 1 "), std::string::npos);
}

}  // namespace
}  // namespace velmora
