// Start-up: the phoneme inventory, the key label and the class loading.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/fixture.h"

namespace velmora {
namespace {

using Label = AppFixture;
using V = std::vector<std::string>;

const char* kTail =
    "\r\rWord boundaries are [ and ].\r\rYou can make new natural classes by adding files in the NaturalClasses "
    "folder.  \r\rThe natural classes currently available are";

TEST_F(Label, ShowsTheKeyTheHintsAndTheClassesInByteOrder) {
  Start();
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses),
            std::string("AY1 as in bite\r\rAE1 as in bat") + kTail + ", CONSONANT, VOWEL");
  EXPECT_EQ(form->engine.classes().NumberOfNaturalClasses, 2);
  EXPECT_EQ(form->engine.classes().NaturalClassSizes[1], 8);
  EXPECT_EQ(form->engine.classes().NaturalClassMembers[2][1], "AY1");
  EXPECT_EQ(platform.doEventsCount, 1);
}

TEST_F(Label, SyllabifiedChoiceAddsTheCodaSentenceAndTheOtherFolder) {
  Write("UserSettings.txt", "Search syllabified data\r\nyes\r\n");
  Start();
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses),
            "AY1 as in bite\r\rAE1 as in bat\r\rAppend Coda to a consonant symbol to denote a coda segment.\r\r"
            "Word boundaries are [ and ].\r\rYou can make new natural classes by adding files in the "
            "SyllabifiedNaturalClasses folder.  \r\rThe natural classes currently available are, CODA, VOWEL");
  // A reset after switching back loads exactly the other folder's classes.
  platform.SetValue(Control::chkSyllabified, 0);
  form->cmdRereadClasses_Click();
  EXPECT_EQ(form->engine.classes().NaturalClassNames, (V{"", "CONSONANT", "VOWEL"}));
}

TEST_F(Label, KeyFilesOfOneLineAndOfNone) {
  Write("SegmentKey.txt", "only");
  Start();
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("only\r\rWord", 0), 0u);
  Write("SegmentKey.txt", "");
  form->cmdRereadClasses_Click();
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses).rfind("\r\rWord", 0), 0u);
}

TEST_F(Label, AMissingKeyFileIsReportedAndLoadsNoClasses) {
  ASSERT_EQ(std::remove(dir.Path("SegmentKey.txt").c_str()), 0);
  Start();
  EXPECT_EQ(platform.messages, V{" 2 " + dir.path() + "/SegmentKey.txt: No such file or directory"});
  EXPECT_EQ(form->engine.classes().NumberOfNaturalClasses, 0);
}

TEST_F(Label, ClassFilesByAnyCaseOfTxtAndNothingElse) {
  Write("NaturalClasses/Nasal.TXT", " N \r\n\r\nm\r\n");
  Write("NaturalClasses/notes.md", "x");
  ::mkdir(dir.Path("NaturalClasses/sub.txt").c_str(), 0755);
  Start();
  EXPECT_EQ(form->engine.classes().NaturalClassNames, (V{"", "CONSONANT", "Nasal", "VOWEL"}));
  EXPECT_EQ(form->engine.classes().NaturalClassMembers[2], (V{"", "N", "", "m"}));
  // Two resets in a row give the same table.
  form->cmdRereadClasses_Click();
  form->cmdRereadClasses_Click();
  EXPECT_EQ(form->engine.classes().NumberOfNaturalClasses, 3);
  EXPECT_EQ(form->engine.classes().NaturalClassSizes[2], 3);
}

// A missing class folder loads nothing silently; a plain class folder that
// is a file is reported (and stops the label's posting), a syllabified one is not.
TEST_F(Label, AMissingClassFolderIsSilentAndOneThatIsAFileIsReportedForThePlainFolderOnly) {
  for (const char* folder : {"NaturalClasses", "SyllabifiedNaturalClasses"}) {
    std::filesystem::remove_all(dir.Path(folder));
  }
  Start();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Caption(Control::lblListOfNaturalClasses), std::string("AY1 as in bite\r\rAE1 as in bat") + kTail);

  Write("NaturalClasses", "not a folder");
  Write("SyllabifiedNaturalClasses", "not a folder");
  const int yields = platform.doEventsCount;
  form->cmdRereadClasses_Click();
  EXPECT_EQ(platform.messages, V{" 20 " + dir.path() + "/NaturalClasses: Not a directory"});
  EXPECT_EQ(platform.doEventsCount, yields);  // the label posting stopped there
  platform.SetValue(Control::chkSyllabified, 1);
  form->cmdRereadClasses_Click();
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Label, AnUnreadableInventoryIsReportedAndTheProgramGoesOn) {
  ASSERT_EQ(std::remove(dir.Path("AllSegments.txt").c_str()), 0);
  Start();
  EXPECT_EQ(platform.messages,
            V{"The phoneme inventory " + dir.path() + "/AllSegments.txt could not be read: No such file or directory."});
  EXPECT_EQ(static_cast<int32_t>(form->engine.phonemes().size() - 1), 0);
  EXPECT_EQ(form->engine.classes().NumberOfNaturalClasses, 2);
}

TEST_F(Label, InventoryLinesAreTrimmedOfSpacesOnly) {
  Write("AllSegments.txt", " AY1 \r\n\r\n\tT\r\n");
  Start();
  EXPECT_EQ(form->engine.phonemes(), (V{"", "AY1", "", "\tT"}));
  EXPECT_EQ(static_cast<int32_t>(form->engine.phonemes().size() - 1), 3);
}

TEST_F(Label, TheResetButtonTakesTheExampleLengthFromItsBox) {
  Start();
  EXPECT_EQ(form->ExampleLengthLimit, 100);
  platform.SetText(Control::txtExampleLength, " 12.5 ");
  EXPECT_EQ(form->ExampleLengthLimit, 100);  // typing alone changes nothing
  form->cmdRereadClasses_Click();
  EXPECT_EQ(form->ExampleLengthLimit, 12);
  platform.SetText(Control::txtExampleLength, "-4");
  form->cmdRereadClasses_Click();
  EXPECT_EQ(form->ExampleLengthLimit, 0);
}

}  // namespace
}  // namespace velmora
