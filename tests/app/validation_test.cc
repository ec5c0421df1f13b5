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

TEST_F(Validation, ItemsAreTrimmedAndMovedToTheFront) {
  Start();
  Boxes({"", "", "  AY1 "});
  EXPECT_TRUE(form->ValidateInput());
  EXPECT_EQ(BoxTexts(platform), (V{"AY1", "", "", "", ""}));
  Boxes({"B", "", "L", "", "AY1"});
  EXPECT_TRUE(form->ValidateInput());
  EXPECT_EQ(BoxTexts(platform), (V{"B", "L", "AY1", "", ""}));
}

TEST_F(Validation, TheFirstIllegalItemIsNamedByItsBoxAfterCompaction) {
  Start();
  Boxes({"AY1", "", "", "bogus", "worse"});
  EXPECT_FALSE(form->ValidateInput());
  EXPECT_EQ(platform.messages,
            V{"The item in Box # 2 is neither a legal phoneme nor a legal natural class name.  Please fix this and "
              "click on the search button again."});
  EXPECT_EQ(BoxTexts(platform), (V{"AY1", "bogus", "worse", "", ""}));
}

TEST_F(Validation, CaseIsIgnoredOnBothSidesAndSpacesInsideStay) {
  Start();
  Boxes({"cOnSoNaNt", "ay1", "[", "]", "vowel"});
  EXPECT_TRUE(form->ValidateInput());
  Boxes({"AY1 N"});
  EXPECT_FALSE(form->ValidateInput());
  Boxes({"\tAY1"});  // only spaces are trimmed
  EXPECT_FALSE(form->ValidateInput());
}

TEST_F(Validation, ClassesOfTheOtherFolderAreIllegalUntilTheClassesAreReadAgain) {
  Start();
  Boxes({"CODA"});
  EXPECT_FALSE(form->ValidateInput());
  platform.SetValue(Control::chkSyllabified, 1);
  EXPECT_FALSE(form->ValidateInput());
  form->cmdRereadClasses_Click();
  EXPECT_TRUE(form->ValidateInput());
}

TEST_F(Validation, WithAnEmptyInventoryAndNoClassesEveryItemFails) {
  Write("AllSegments.txt", "");
  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/CONSONANT.txt").c_str()), 0);
  ASSERT_EQ(std::remove(dir.Path("NaturalClasses/VOWEL.txt").c_str()), 0);
  Start();
  Boxes({"[", "AY1"});
  EXPECT_FALSE(form->ValidateInput());
  EXPECT_NE(platform.messages.back().find("Box # 1 "), std::string::npos);
}

}  // namespace
}  // namespace velmora
