// The help window: which topic each button and each way of opening shows.
#include <gtest/gtest.h>

#include <string>

#include "support/recording_platform.h"
#include "ui/help_window.h"

namespace velmora {
namespace {

TEST(HelpWindowTest, TopicNIsTheNthTextAndOthersAreEmpty) {
  for (int topic = 1; topic <= 9; ++topic) EXPECT_EQ(HelpTopicText(topic).substr(0, 3), std::to_string(topic) + ". ");
  EXPECT_EQ(HelpTopicText(0), "");
  EXPECT_EQ(HelpTopicText(10), "");
}

TEST(HelpWindowTest, EachButtonAndEachWayOfOpeningShowsItsTopic) {
  RecordingPlatform platform;
  frmHelp help{platform};
  auto shown = [&] { return platform.Text(Control::frmHelp_Label1); };
  void (frmHelp::*buttons[])() = {
      &frmHelp::cmdGeneral_Click,           &frmHelp::cmdNaturalClasses_Click, &frmHelp::cmdReadingOutputFiles_Click,
      &frmHelp::cmdSyllabification_Click,   &frmHelp::cmdOrthography_Click,    &frmHelp::cmdCaseSensitive_Click,
      &frmHelp::cmdIterativeSearches_Click, &frmHelp::cmdDictionary_Click,     &frmHelp::cmdOtherLanguages_Click,
  };
  for (int topic = 1; topic <= 9; ++topic) {
    const int yields = platform.doEventsCount;
    (help.*buttons[topic - 1])();
    EXPECT_EQ(shown(), HelpTopicText(topic));
    EXPECT_EQ(platform.doEventsCount, yields + 1);
  }
  // The main window opens at topic 1 and keeps an open window's topic; the
  // viewer always opens at "Reading output files"; Exit help unloads.
  help.cmdExit_Click();
  help.OpenFromMainWindow();
  EXPECT_TRUE(platform.IsLoaded(Window::frmHelp));
  EXPECT_EQ(platform.visible.count(Window::frmHelp), 1u);
  EXPECT_EQ(shown(), HelpTopicText(1));
  help.cmdOrthography_Click();
  help.OpenFromMainWindow();
  EXPECT_EQ(shown(), HelpTopicText(5));
  help.OpenFromViewer();
  EXPECT_EQ(shown(), HelpTopicText(3));
  help.cmdExit_Click();
  EXPECT_FALSE(platform.IsLoaded(Window::frmHelp));
  EXPECT_EQ(platform.visible.count(Window::frmHelp), 0u);
  help.OpenFromViewer();
  EXPECT_TRUE(platform.IsLoaded(Window::frmHelp));
  EXPECT_EQ(shown(), HelpTopicText(3));
}

}  // namespace
}  // namespace velmora
