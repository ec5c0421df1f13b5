// The help window: the nine topic texts and which topic each way of opening
// the window ends on.
#include <gtest/gtest.h>

#include <string>

#include "support/recording_platform.h"
#include "ui/help_window.h"

namespace velmora {
namespace {

// ---- Topic texts -------------------------------------------------------------

TEST(HelpTopicTextTest, EachTopicOpensWithItsHeadingAndOneEmptyLineAndHasNoTrailingBreak) {
  const char* headings[] = {
      "1. General",           "2. Natural classes",    "3. Reading output files",
      "4. Syllabification",   "5. Searching orthography", "6. Not case-sensitive",
      "7. Iterated searched", "8. The dictionary and its source", "9. Other languages",
  };
  for (int topic = 1; topic <= 9; ++topic) {
    SCOPED_TRACE(topic);
    const std::string text = HelpTopicText(topic);
    const std::string head = std::string(headings[topic - 1]) + "\r\r";
    ASSERT_GT(text.size(), head.size());
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text[head.size()], '\r');
    EXPECT_NE(text.back(), '\r');
    EXPECT_EQ(text.find('\n'), std::string::npos);
  }
  EXPECT_EQ(HelpTopicText(0), "");
  EXPECT_EQ(HelpTopicText(10), "");
}

TEST(HelpTopicTextTest, TopicsKeepTheirOwnWording) {
  EXPECT_EQ(HelpTopicText(4),
            "4. Syllabification\r\r"
            "You can choose to search either syllabified data (syllabification uses the Maximal Onset "
            "Principle), or the plain symbol sequences. Syllabification is indicated by marking coda "
            "consonants as codas; e.g. tab is T AE1 BCoda.  ");
  const std::string reading = HelpTopicText(3);
  EXPECT_NE(reading.find("program folder for:\r\r   FullOutput.txt\r   MediumOutput.txt\r   SmallOutput.txt\r\r and "
                         "open whichever one you want"),
            std::string::npos);
  EXPECT_NE(reading.find("click the Save button to retain your choices for future use.\r\r"), std::string::npos);
}

TEST(HelpTopicTextTest, DictionaryTopicNamesTheMaintainer) {
  EXPECT_EQ(HelpTopicText(8),
            "8. The dictionary and its source\r\r"
            "Dictionary data are in the file in.txt.  Source:  one line Carnegie-Mellon Pronouncing "
            "Dictionary, extensively edited and corrected.  Words included:  those with a CELEX frequency of "
            "at least one.  Frequencies may be found in in.txt and also in the output file out.txt.\r\r"
            "Corrected pronunciations and annotations from users would be very welcome; send to the Velmora "
            "maintainers at velmora@example.org.");
}

TEST(HelpTopicTextTest, GeneralTopicListsTheThreeFilesOnePerLine) {
  const std::string text = HelpTopicText(1);
  EXPECT_NE(text.find("they include:\r\rFullOutput.txt\rMediumOutput.txt\rSmallOutput.txt\r\rThese files get placed "
                      "in the same folder as the program itself. You can open"),
            std::string::npos);
  EXPECT_NE(text.find("listing what it found. For the search just described, it would find words like child, "
                      "blind, and pint.\r\r"),
            std::string::npos);
}

// ---- The window ---------------------------------------------------------------

class HelpWindowTest : public ::testing::Test {
 protected:
  std::string Shown() { return platform.Text(Control::frmHelp_Label1); }
  RecordingPlatform platform;
  frmHelp help{platform};
};

TEST_F(HelpWindowTest, EachTopicButtonShowsItsTopicAndYieldsOnce) {
  void (frmHelp::*buttons[])() = {
      &frmHelp::cmdGeneral_Click,      &frmHelp::cmdNaturalClasses_Click, &frmHelp::cmdReadingOutputFiles_Click,
      &frmHelp::cmdSyllabification_Click, &frmHelp::cmdOrthography_Click, &frmHelp::cmdCaseSensitive_Click,
      &frmHelp::cmdIterativeSearches_Click, &frmHelp::cmdDictionary_Click, &frmHelp::cmdOtherLanguages_Click,
  };
  for (int topic = 9; topic >= 1; --topic) {
    const int yields = platform.doEventsCount;
    (help.*buttons[topic - 1])();
    EXPECT_EQ(Shown(), HelpTopicText(topic));
    EXPECT_EQ(platform.doEventsCount, yields + 1);
  }
}

// The main window opens at topic 1 and keeps an open window's topic; the
// viewer always opens at "Reading output files"; after Exit help the next
// opening starts again at topic 1.
TEST_F(HelpWindowTest, EachWayOfOpeningEndsOnItsTopic) {
  help.OpenFromMainWindow();
  EXPECT_TRUE(platform.IsLoaded(Window::frmHelp));
  EXPECT_EQ(platform.visible.count(Window::frmHelp), 1u);
  EXPECT_EQ(Shown(), HelpTopicText(1));
  help.cmdOrthography_Click();
  help.OpenFromMainWindow();
  EXPECT_EQ(Shown(), HelpTopicText(5));
  help.OpenFromViewer();
  EXPECT_EQ(Shown(), HelpTopicText(3));

  help.cmdDictionary_Click();
  help.cmdExit_Click();
  EXPECT_FALSE(platform.IsLoaded(Window::frmHelp));
  EXPECT_EQ(platform.visible.count(Window::frmHelp), 0u);
  help.OpenFromViewer();
  EXPECT_EQ(Shown(), HelpTopicText(3));
  help.cmdExit_Click();
  help.OpenFromMainWindow();
  EXPECT_EQ(Shown(), HelpTopicText(1));
}

}  // namespace
}  // namespace velmora
