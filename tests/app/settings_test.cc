// UserSettings.txt: what is written, how each pair is read back, and what the
// reading makes of files written by hand or by older versions.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "app/form1.h"
#include "platform/recording_platform.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

constexpr const char* kLimitLabel =
    "Example lists in Medium output files should be no longer than this number (in characters)";

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    // The values the main window shows before any settings are read.
    platform.SetText(Control::txtInputFileName, "in.txt");
    platform.SetText(Control::txtExampleLength, "100");
  }

  std::string SettingsPath() const { return dir.Path("UserSettings.txt"); }
  void ReadFrom(const std::string& contents) {
    ASSERT_TRUE(WriteFile(SettingsPath(), contents));
    form.ReadSettings();
  }

  ScopedTempDir dir;
  RecordingPlatform platform;
  Form1 form{platform, dir.path()};
};

// ---- Writing -----------------------------------------------------------------

TEST_F(SettingsTest, WritesAllEighteenPairsInOrderWithCrLf) {
  platform.SetText(Control::txtInputFileName, "  my dict.txt ");
  platform.SetText(Control::Text1, " AY1 ");
  platform.SetText(Control::Text2, "CONSONANT");
  platform.SetText(Control::Text5, "]");
  platform.SetValue(Control::chkIgnore2, 1);
  platform.SetValue(Control::chkIgnore5, 1);
  platform.SetText(Control::txtOrthography, " ation] ");
  platform.SetValue(Control::chkSyllabified, 1);
  form.mSpreadsheetLocation = "  /usr/bin/localc ";
  form.mWordProcessorLocation = "gedit --new-window";
  platform.SetValue(Control::chkExclude, 0);
  form.ExampleLengthLimit = 250;
  platform.SetValue(Control::chkVowels, 1);

  form.SaveSettings();

  const std::string expected =
      "Input file name:\r\n"
      "my dict.txt\r\n"
      "Box 1\r\n"
      " AY1 \r\n"
      "Box 2\r\n"
      "CONSONANT\r\n"
      "Box 3\r\n"
      "\r\n"
      "Box 4\r\n"
      "\r\n"
      "Box 5\r\n"
      "]\r\n"
      "Ignore Box 1 in sorting\r\n"
      "no\r\n"
      "Ignore Box 2 in sorting\r\n"
      "yes\r\n"
      "Ignore Box 3 in sorting\r\n"
      "no\r\n"
      "Ignore Box 4 in sorting\r\n"
      "no\r\n"
      "Ignore Box 5 in sorting\r\n"
      "yes\r\n"
      "Orthography search box\r\n"
      " ation] \r\n"
      "Search syllabified data\r\n"
      "yes\r\n"
      "Location (full path) of your spreadsheet program:\r\n"
      "/usr/bin/localc\r\n"
      "Location (full path) of your word processor or text editor:\r\n"
      "gedit --new-window\r\n"
      "Exclude from counts all forms marked with annotations in the dictionary\r\n"
      "no\r\n"
      "Example lists in Medium output files should be no longer than this number (in characters)\r\n"
      "250\r\n"
      "Search vowels only\r\n"
      "yes\r\n";
  EXPECT_EQ(ReadFile(SettingsPath()), expected);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SettingsTest, WritesTheLimitInForceNotTheTextOfItsBox) {
  form.ExampleLengthLimit = 100;
  platform.SetText(Control::txtExampleLength, "50");
  form.SaveSettings();
  EXPECT_NE(ReadFile(SettingsPath()).find(std::string(kLimitLabel) + "\r\n100\r\n"), std::string::npos);
}

TEST_F(SettingsTest, CheckedMeansOneExceptForTheSmallIgnoreBoxes) {
  // A third state (2) counts as checked only for the small boxes.
  platform.SetValue(Control::chkIgnore1, 2);
  platform.SetValue(Control::chkSyllabified, 2);
  platform.SetValue(Control::chkVowels, 2);
  form.SaveSettings();
  const std::string written = ReadFile(SettingsPath());
  EXPECT_NE(written.find("Ignore Box 1 in sorting\r\nyes\r\n"), std::string::npos);
  EXPECT_NE(written.find("Search syllabified data\r\nno\r\n"), std::string::npos);
  EXPECT_NE(written.find("Search vowels only\r\nno\r\n"), std::string::npos);
}

TEST_F(SettingsTest, UnwritableFileIsReportedAndTheCallReturns) {
  // A folder in the file's place cannot be opened for writing, whoever runs the test.
  ASSERT_EQ(::mkdir(SettingsPath().c_str(), 0755), 0);
  form.SaveSettings();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0],
            "The settings could not be saved to " + SettingsPath() + ": Is a directory.");
}

TEST_F(SettingsTest, SavingThenReadingRestoresEverySettingWithTrimmedTexts) {
  platform.SetText(Control::txtInputFileName, " ResultsOfSearchInInputFormat.txt ");
  const char* boxes[] = {" [ ", "AY1", "  CONSONANT", "CONSONANT  ", "]"};
  for (int box = 1; box <= 5; ++box) platform.SetText(TextBox(box), boxes[box - 1]);
  platform.SetValue(Control::chkIgnore1, 1);
  platform.SetValue(Control::chkIgnore4, 1);
  platform.SetText(Control::txtOrthography, "  ation] ");
  platform.SetValue(Control::chkSyllabified, 1);
  platform.SetValue(Control::chkExclude, 1);
  platform.SetValue(Control::chkVowels, 1);
  form.mSpreadsheetLocation = " /opt/Office Suite/calc ";
  form.mWordProcessorLocation = "'/opt/My Editor/edit' -n";
  form.ExampleLengthLimit = 37;
  form.SaveSettings();

  RecordingPlatform next;
  next.SetText(Control::txtInputFileName, "in.txt");
  next.SetText(Control::txtExampleLength, "100");
  Form1 nextRun(next, dir.path());
  nextRun.ReadSettings();

  EXPECT_EQ(next.Text(Control::txtInputFileName), "ResultsOfSearchInInputFormat.txt");
  const char* trimmed[] = {"[", "AY1", "CONSONANT", "CONSONANT", "]"};
  for (int box = 1; box <= 5; ++box) EXPECT_EQ(next.Text(TextBox(box)), trimmed[box - 1]) << "box " << box;
  const int ignored[] = {1, 0, 0, 1, 0};
  for (int box = 1; box <= 5; ++box) EXPECT_EQ(next.Value(IgnoreBox(box)), ignored[box - 1]) << "box " << box;
  EXPECT_EQ(next.Text(Control::txtOrthography), "ation]");
  EXPECT_EQ(next.Value(Control::chkSyllabified), 1);
  EXPECT_EQ(next.Value(Control::chkExclude), 1);
  EXPECT_EQ(next.Value(Control::chkVowels), 1);
  EXPECT_EQ(nextRun.mSpreadsheetLocation, "/opt/Office Suite/calc");
  EXPECT_EQ(nextRun.mWordProcessorLocation, "'/opt/My Editor/edit' -n");
  EXPECT_EQ(nextRun.ExampleLengthLimit, 37);
  EXPECT_EQ(next.Text(Control::txtExampleLength), "37");
  EXPECT_TRUE(next.messages.empty());
}

// ---- Reading: which lines count --------------------------------------------

TEST_F(SettingsTest, NoFileOrAnUnreadableOneKeepsTheInitialValuesSilently) {
  form.ReadSettings();
  ASSERT_EQ(::mkdir(SettingsPath().c_str(), 0755), 0);
  form.ReadSettings();
  EXPECT_EQ(form.ExampleLengthLimit, 100);
  EXPECT_EQ(platform.Text(Control::txtExampleLength), "100");
  EXPECT_EQ(platform.Text(Control::txtInputFileName), "in.txt");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SettingsTest, OnePairChangesOnlyItsOwnSetting) {
  platform.SetText(Control::Text2, "keep");
  platform.SetValue(Control::chkSyllabified, 1);
  form.mSpreadsheetLocation = "calc";
  ReadFrom("Box 1\r\nAY1\r\n");
  EXPECT_EQ(platform.Text(Control::Text1), "AY1");
  EXPECT_EQ(platform.Text(Control::Text2), "keep");
  EXPECT_EQ(platform.Value(Control::chkSyllabified), 1);
  EXPECT_EQ(form.mSpreadsheetLocation, "calc");
  EXPECT_EQ(platform.Text(Control::txtInputFileName), "in.txt");
  EXPECT_EQ(form.ExampleLengthLimit, 100);
  EXPECT_EQ(platform.Text(Control::txtExampleLength), "100");
}

TEST_F(SettingsTest, LabelsMatchExactlyAndOtherLinesAreSkippedOneAtATime) {
  // "Box 1 " (trailing space) and "box 2" are no labels; the line after "Box 1 "
  // is then itself taken as a label. Blank lines and stray text are skipped.
  ReadFrom(
      "Box 1 \r\n"
      "Box 3\r\n"
      "third\r\n"
      "\r\n"
      "some note\r\n"
      "box 2\r\n"
      "second\r\n"
      " Box 4\r\n"
      "fourth\r\n");
  EXPECT_EQ(platform.Text(Control::Text1), "");
  EXPECT_EQ(platform.Text(Control::Text2), "");
  EXPECT_EQ(platform.Text(Control::Text3), "third");
  EXPECT_EQ(platform.Text(Control::Text4), "");
}

TEST_F(SettingsTest, TheLineAfterALabelIsAlwaysItsValue) {
  ReadFrom("Box 1\r\nBox 2\r\nZ\r\n");
  EXPECT_EQ(platform.Text(Control::Text1), "Box 2");
  EXPECT_EQ(platform.Text(Control::Text2), "");
}

TEST_F(SettingsTest, ARepeatedLabelIsAppliedAgainSoTheLaterValueStands) {
  ReadFrom("Box 1\r\nfirst\r\nSearch vowels only\r\nyes\r\nBox 1\r\nsecond\r\nSearch vowels only\r\nno\r\n");
  EXPECT_EQ(platform.Text(Control::Text1), "second");
  EXPECT_EQ(platform.Value(Control::chkVowels), 0);
}

TEST_F(SettingsTest, ALabelOnTheLastLineIsTakenAsAbsent) {
  platform.SetText(Control::Text2, "keep");
  ReadFrom("Box 1\r\nAY1\r\nBox 2");
  EXPECT_EQ(platform.Text(Control::Text2), "keep");
  ReadFrom("Box 2\r\n");
  EXPECT_EQ(platform.Text(Control::Text2), "keep");
  ReadFrom(std::string(kLimitLabel) + "\r\n");
  EXPECT_EQ(form.ExampleLengthLimit, 100);
  EXPECT_EQ(platform.Text(Control::txtExampleLength), "100");
  // An empty line after the label is a value, though.
  ReadFrom("Box 2\r\n\r\n");
  EXPECT_EQ(platform.Text(Control::Text2), "");
}

TEST_F(SettingsTest, LoneCrAndLoneLfEndLinesToo) {
  ReadFrom("Box 1\rAY1\rBox 2\rCONSONANT");
  EXPECT_EQ(platform.Text(Control::Text1), "AY1");
  EXPECT_EQ(platform.Text(Control::Text2), "CONSONANT");
  ReadFrom("Box 3\nT\nSearch vowels only\nyes\n");
  EXPECT_EQ(platform.Text(Control::Text3), "T");
  EXPECT_EQ(platform.Value(Control::chkVowels), 1);
  ReadFrom("Box 4\r\nK\nBox 5\rG\r\n");
  EXPECT_EQ(platform.Text(Control::Text4), "K");
  EXPECT_EQ(platform.Text(Control::Text5), "G");
}

// ---- Reading: the rule of each pair ----------------------------------------

TEST_F(SettingsTest, TextsAndLocationsAreTrimmedOfSpacesOnly) {
  ReadFrom(
      "Box 1\r\n   AY1\r\n"
      "Box 2\r\n\tT \r\n"
      "Input file name:\r\n  other.txt  \r\n"
      "Orthography search box\r\n [ab \r\n"
      "Location (full path) of your spreadsheet program:\r\n  /opt/calc  \r\n"
      "Location (full path) of your word processor or text editor:\r\n gedit -s \r\n");
  EXPECT_EQ(platform.Text(Control::Text1), "AY1");
  EXPECT_EQ(platform.Text(Control::Text2), "\tT");
  EXPECT_EQ(platform.Text(Control::txtInputFileName), "other.txt");
  EXPECT_EQ(platform.Text(Control::txtOrthography), "[ab");
  EXPECT_EQ(form.mSpreadsheetLocation, "/opt/calc");
  EXPECT_EQ(form.mWordProcessorLocation, "gedit -s");
}

TEST_F(SettingsTest, SyllabifiedTakesAnyCaseButNoSpacesAndOtherwiseStaysAsItWas) {
  struct Case {
    const char* value;
    int before;
    int after;
  } cases[] = {
      {"yes", 0, 1}, {"YES", 0, 1}, {"Yes", 0, 1}, {"no", 1, 0}, {"NO", 1, 0},
      {" yes", 0, 0}, {"yes ", 0, 0}, {" no", 1, 1}, {"", 1, 1}, {"maybe", 1, 1},
  };
  for (const Case& c : cases) {
    platform.SetValue(Control::chkSyllabified, c.before);
    ReadFrom(std::string("Search syllabified data\r\n") + c.value + "\r\n");
    EXPECT_EQ(platform.Value(Control::chkSyllabified), c.after) << '"' << c.value << '"';
  }
}

TEST_F(SettingsTest, VowelsOnlyNeedsExactlyLowerCaseYes) {
  struct Case {
    const char* value;
    int after;
  } cases[] = {{"yes", 1}, {"Yes", 0}, {"YES", 0}, {"yes ", 0}, {" yes", 0}, {"no", 0}, {"", 0}};
  for (const Case& c : cases) {
    platform.SetValue(Control::chkVowels, 1 - c.after);
    ReadFrom(std::string("Search vowels only\r\n") + c.value + "\r\n");
    EXPECT_EQ(platform.Value(Control::chkVowels), c.after) << '"' << c.value << '"';
  }
}

TEST_F(SettingsTest, IgnoreAndExcludeTakeTrimmedLowerCaseYes) {
  struct Case {
    const char* value;
    int after;
  } cases[] = {{"yes", 1}, {"  yes  ", 1}, {"Yes", 0}, {"no", 0}, {"", 0}, {"\tyes", 0}};
  for (const Case& c : cases) {
    platform.SetValue(Control::chkIgnore2, 1 - c.after);
    platform.SetValue(Control::chkExclude, 1 - c.after);
    ReadFrom(std::string("Ignore Box 2 in sorting\r\n") + c.value +
             "\r\nExclude from counts all forms marked with annotations in the dictionary\r\n" + c.value + "\r\n");
    EXPECT_EQ(platform.Value(Control::chkIgnore2), c.after) << '"' << c.value << '"';
    EXPECT_EQ(platform.Value(Control::chkExclude), c.after) << '"' << c.value << '"';
  }
  ReadFrom("Ignore Box 4 in sorting\r\nyes\r\n");
  EXPECT_EQ(platform.Value(Control::chkIgnore4), 1);
  EXPECT_EQ(platform.Value(Control::chkIgnore2), 0);
}

TEST_F(SettingsTest, LimitIsTheRoundedLeadingNumberClampedAndShownInBareDecimal) {
  struct Case {
    const char* value;
    int32_t limit;
    const char* shown;
  } cases[] = {
      {"100.5", 100, "100"}, {"101.5", 102, "102"}, {"12abc", 12, "12"},
      {"", 0, "0"},          {"abc", 0, "0"},       {"  7  ", 7, "7"},
      {"1 000", 1000, "1000"}, {"+40", 40, "40"},   {"-5", 0, "0"},
      {"99999999999", 2147483647, "2147483647"},
  };
  for (const Case& c : cases) {
    form.ExampleLengthLimit = 100;
    ReadFrom(std::string(kLimitLabel) + "\r\n" + c.value + "\r\n");
    EXPECT_EQ(form.ExampleLengthLimit, c.limit) << '"' << c.value << '"';
    EXPECT_EQ(platform.Text(Control::txtExampleLength), c.shown) << '"' << c.value << '"';
  }
}

}  // namespace
}  // namespace velmora
