// UserSettings.txt: what is written, how each pair is read back, and what the
// reading makes of files written by hand or by older versions.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "app/messages.h"
#include "engine/settings.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

constexpr const char* kLimitLabel =
    "Example lists in Medium output files should be no longer than this number (in characters)";

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() { Initial(platform); }
  // The values the main window shows before any settings are read.
  static void Initial(RecordingPlatform& p) {
    p.SetText(Control::txtInputFileName, "in.txt");
    p.SetText(Control::txtExampleLength, "100");
  }
  std::string SettingsPath() const { return dir.Path("UserSettings.txt"); }

  ScopedTempDir dir;
  RecordingPlatform platform;
  Form1 form{platform, dir.path()};
};

// The controls to the file and back: every pair in order, the limit in
// force (not its box's text), the filters after the other settings; read
// back, the texts are trimmed of spaces.
TEST_F(SettingsTest, WritesEveryPairInOrderAndReadsThemBack) {
  platform.SetText(Control::txtInputFileName, "  my dict.txt ");
  const char* boxes[] = {" [ ", "AY1", "  CONSONANT", "", "]"};
  for (int box = 1; box <= 5; ++box) platform.SetText(TextBox(box), boxes[box - 1]);
  platform.SetValue(Control::chkIgnore1, 1);
  platform.SetValue(Control::chkIgnore5, 2);  // any value but 0 ticks a small box
  platform.SetText(Control::txtOrthography, "  ation] ");
  platform.SetValue(Control::chkSyllabified, 1);
  platform.SetValue(Control::chkExclude, 1);
  platform.SetValue(Control::chkVowels, 1);
  form.mSpreadsheetLocation = "  /opt/Office Suite/calc ";
  form.mWordProcessorLocation = "'/opt/My Editor/edit' -n";
  form.ExampleLengthLimit = 37;
  form.filters.minFrequency = 30;
  ASSERT_TRUE(ParseCountRange("4-", &form.filters.segments));
  form.filters.stress = "1";
  form.SaveSettings();

  const std::pair<const char*, const char*> pairs[] = {
      {"Input file name:", "my dict.txt"}, {"Box 1", " [ "}, {"Box 2", "AY1"}, {"Box 3", "  CONSONANT"},
      {"Box 4", ""}, {"Box 5", "]"}, {"Ignore Box 1 in sorting", "yes"}, {"Ignore Box 2 in sorting", "no"},
      {"Ignore Box 3 in sorting", "no"}, {"Ignore Box 4 in sorting", "no"}, {"Ignore Box 5 in sorting", "yes"},
      {"Orthography search box", "  ation] "}, {"Search syllabified data", "yes"},
      {"Location (full path) of your spreadsheet program:", "/opt/Office Suite/calc"},
      {"Location (full path) of your word processor or text editor:", "'/opt/My Editor/edit' -n"},
      {"Exclude from counts all forms marked with annotations in the dictionary", "yes"}, {kLimitLabel, "37"},
      {"Search vowels only", "yes"}, {"Filter: lowest frequency", "30"}, {"Filter: highest frequency", ""},
      {"Filter: number of segments (MIN-MAX)", "4-"}, {"Filter: number of syllables (MIN-MAX)", ""},
      {"Filter: stress pattern (0, 1, 2 and . for any vowel)", "1"}};
  std::string expected;
  for (const auto& [label, value] : pairs) expected += std::string(label) + "\r\n" + value + "\r\n";
  EXPECT_EQ(ReadFile(SettingsPath()), expected);

  RecordingPlatform next;
  Initial(next);
  Form1 nextRun(next, dir.path());
  nextRun.ReadSettings();
  EXPECT_EQ(next.Text(Control::txtInputFileName), "my dict.txt");
  const char* trimmed[] = {"[", "AY1", "CONSONANT", "", "]"};
  const int ignored[] = {1, 0, 0, 0, 1};
  for (int box = 1; box <= 5; ++box) {
    EXPECT_EQ(next.Text(TextBox(box)), trimmed[box - 1]) << "box " << box;
    EXPECT_EQ(next.Value(IgnoreBox(box)), ignored[box - 1]) << "box " << box;
  }
  EXPECT_EQ(next.Text(Control::txtOrthography), "ation]");
  for (Control box : {Control::chkSyllabified, Control::chkExclude, Control::chkVowels}) EXPECT_EQ(next.Value(box), 1);
  EXPECT_EQ(nextRun.mSpreadsheetLocation, "/opt/Office Suite/calc");
  EXPECT_EQ(nextRun.mWordProcessorLocation, "'/opt/My Editor/edit' -n");
  EXPECT_EQ(nextRun.ExampleLengthLimit, 37);
  EXPECT_EQ(next.Text(Control::txtExampleLength), "37");
  EXPECT_EQ(nextRun.filters, form.filters);
  EXPECT_TRUE(next.messages.empty() && platform.messages.empty());
  // Only a 1 ticks the exclusion.
  platform.SetValue(Control::chkExclude, 2);
  form.SaveSettings();
  EXPECT_NE(ReadFile(SettingsPath()).find("in the dictionary\r\nno\r\n"), std::string::npos);
}

TEST_F(SettingsTest, UnwritableFileIsReportedAndTheCallReturns) {
  // A folder in the file's place cannot be opened for writing, whoever runs the test.
  ASSERT_EQ(::mkdir(SettingsPath().c_str(), 0755), 0);
  form.SaveSettings();
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"The settings could not be saved to " + SettingsPath() + ": Is a directory."});
  // Nor can it be read: the initial values stay, silently.
  form.ReadSettings();
  EXPECT_EQ(form.ExampleLengthLimit, 100);
  EXPECT_EQ(platform.Text(Control::txtInputFileName), "in.txt");
  EXPECT_EQ(platform.messages.size(), 1u);
}

// What reading left: Box 1..4, the ignore boxes, syllabified, exclude,
// vowels, the limit, the filters and the filters returned as unreadable.
std::string Summary(const Settings& s, const std::vector<Status>& lost) {
  std::string text = s.boxes[0] + "|" + s.boxes[1] + "|" + s.boxes[2] + "|" + s.boxes[3] + " ";
  for (bool ignored : s.ignore) text += ignored ? "1" : "0";
  text += std::string(" s") + "01"[s.syllabified] + " e" + "01"[s.exclude] + " v" + "01"[s.vowels] + " " +
          std::to_string(s.exampleLength) + FiltersSuffix(s.filters);
  for (const Status& status : lost) text += " lost " + status.detail + "@" + std::to_string(status.line);
  return text;
}

// Which lines count: labels match exactly, the line after one of the 18
// older labels is always its value, other lines are skipped one at a time, a
// later repeat stands, a label on the last line is absent, and any line end
// ends a line; each check box has its rule for yes. The filters are read by
// label: one whose value line is missing does not take the next label as its
// value, and each filter that cannot be read is off and returned once.
TEST(ReadSettingsFile, WhichLinesAreLabelsAndWhichAreValues) {
  const std::string kKeep = "keep|keep|keep|keep ", kRest = "00000 s1 e0 v0 100";
  const std::string kMin = "Filter: lowest frequency\r\n", kMax = "Filter: highest frequency\r\n";
  const std::string kSegments = "Filter: number of segments (MIN-MAX)\r\n";
  const std::string kSyllabified = "Search syllabified data\r\n";
  const std::string kVowels = "Search vowels only\r\n", kIgnore2 = "Ignore Box 2 in sorting\r\n";
  const std::string kExclude = "Exclude from counts all forms marked with annotations in the dictionary\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"Box 1\r\nAY1\r\n", "AY1|keep|keep|keep " + kRest},
      // "Box 1 " and "box 2" are no labels: "Box 1 " is skipped and the line after it is a label.
      {"Box 1 \r\nBox 3\r\nthird\r\n\r\nsome note\r\nbox 2\r\nsecond\r\n Box 4\r\nfourth\r\n",
       "keep|keep|third|keep " + kRest},
      {"Box 1\r\nBox 2\r\nZ\r\n", "Box 2|keep|keep|keep " + kRest},
      {"Box 1\r\nfirst\r\nBox 1\r\nsecond\r\nBox 2", "second|keep|keep|keep " + kRest},
      {"Box 2\r\n\r\n", "keep||keep|keep " + kRest},  // an empty line after a label is a value
      {"Box 3\nT\nBox 4\r\nK\nBox 1\rG\r\n", "G|keep|T|K " + kRest},
      {"Box 1\r\n   AY1\r\nBox 2\r\n\tT \r\n", "AY1|\tT|keep|keep " + kRest},  // spaces only are trimmed
      {kSyllabified + "NO\r\n", kKeep + "00000 s0 e0 v0 100"},
      {kSyllabified + "no\r\n" + kSyllabified + "Yes\r\n", kKeep + kRest},
      {kSyllabified + "no\r\n" + kSyllabified + " yes\r\n", kKeep + "00000 s0 e0 v0 100"},
      {kSyllabified + "maybe\r\n", kKeep + kRest},
      {kVowels + "yes\r\n" + kIgnore2 + "  yes  \r\n" + kExclude + "  yes  \r\n", kKeep + "01000 s1 e1 v1 100"},
      {kVowels + "yes\r\n" + kVowels + "yes \r\n" + kIgnore2 + "yes\r\n" + kIgnore2 + "\tyes\r\n" + kExclude +
           "yes\r\n" + kExclude + "Yes\r\n",
       kKeep + kRest},
      {kVowels + "yes\r\n" + kVowels + "Yes\r\n" + kLimitLabel + "\r\n-5\r\n", kKeep + "00000 s1 e0 v0 0"},
      {std::string(kLimitLabel) + "\r\n  12.5abc \r\n", kKeep + "00000 s1 e0 v0 12"},
      {"Box 1\r\n" + kMin + "5\r\n", "Filter: lowest frequency|keep|keep|keep " + kRest},
      {kMin + "5\r\n" + kMax + "\r\n", kKeep + kRest + " (filters: min frequency 5)"},
      {kMin + kMax + "10\r\n", kKeep + kRest + " (filters: max frequency 10) lost Filter: lowest frequency@1"},
      {kMin + "1OO\r\n" + kMax + "-5\r\n",
       kKeep + kRest + " lost Filter: lowest frequency@1 lost Filter: highest frequency@3"},
      {kMin + "99999999999999999999\r\n" + kSegments + "9-1\r\n" + kMin + "x\r\n",
       kKeep + kRest + " lost Filter: lowest frequency@5 lost Filter: number of segments (MIN-MAX)@3"},
      {kMin + "x\r\n" + kMin + "3\r\n", kKeep + kRest + " (filters: min frequency 3)"},  // the later one stands
      {kSegments + "2-4\r\n" + kSegments, kKeep + kRest + " lost Filter: number of segments (MIN-MAX)@3"},
  };
  for (const auto& [file, summary] : cases) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFile(dir.Path("UserSettings.txt"), file));
    Settings s;
    s.boxes.fill("keep");
    s.syllabified = true;
    const std::vector<Status> lost = ReadSettingsFile(dir.path(), &s);
    EXPECT_EQ(Summary(s, lost), summary) << file;
    EXPECT_FALSE(s.read.test(kInputFileName)) << file;
    for (const Status& status : lost) EXPECT_EQ(status.path, dir.Path("UserSettings.txt"));
  }
  EXPECT_EQ(UnreadableFiltersMessage({Status::Malformed("U.txt", 3, "Filter: lowest frequency"),
                                      Status::Malformed("U.txt", 7, "Filter: stress pattern")}),
            "The saved filters \"Filter: lowest frequency\" (line 3) and \"Filter: stress pattern\" (line 7) of "
            "U.txt could not be read, so they are off.");
}

}  // namespace
}  // namespace velmora
