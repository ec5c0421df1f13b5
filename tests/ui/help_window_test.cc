// The help window: which topic each button and each way of opening shows.
#include "ui/help_window.h"

#include <gtest/gtest.h>

#include <string>

#include "support/recording_platform.h"

namespace velmora {
namespace {

TEST(HelpWindow, EachButtonAndEachWayOfOpeningShowsItsTopic) {
  for (int t = 0; t <= 10; ++t) EXPECT_EQ(HelpTopicText(t).substr(0, 3), t < 1 || t > 9 ? "" : std::to_string(t) + ". ");
  RecordingPlatform platform;
  frmHelp help{platform};
  const struct { void (frmHelp::*act)(); int topic; } steps[] = {  // topic 0: unloaded
      {&frmHelp::cmdGeneral_Click, 1},       {&frmHelp::cmdNaturalClasses_Click, 2},
      {&frmHelp::cmdReadingOutputFiles_Click, 3}, {&frmHelp::cmdSyllabification_Click, 4},
      {&frmHelp::cmdOrthography_Click, 5},   {&frmHelp::cmdCaseSensitive_Click, 6},
      {&frmHelp::cmdIterativeSearches_Click, 7}, {&frmHelp::cmdDictionary_Click, 8},
      {&frmHelp::cmdOtherLanguages_Click, 9}, {&frmHelp::cmdExit_Click, 0},
      {&frmHelp::OpenFromMainWindow, 1},     {&frmHelp::cmdOrthography_Click, 5},
      {&frmHelp::OpenFromMainWindow, 5},     {&frmHelp::OpenFromViewer, 3},
      {&frmHelp::cmdExit_Click, 0},          {&frmHelp::OpenFromViewer, 3},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    const int yields = platform.doEventsCount;
    (help.*steps[i].act)();
    EXPECT_EQ(platform.Text(Control::frmHelp_Label1), HelpTopicText(steps[i].topic)) << i;
    if (i < 9) {
      EXPECT_EQ(platform.doEventsCount, yields + 1) << i;  // a topic is drawn at once
    } else {
      EXPECT_EQ(platform.IsLoaded(Window::frmHelp), steps[i].topic != 0) << i;
      EXPECT_EQ(platform.visible.count(Window::frmHelp), steps[i].topic != 0 ? 1u : 0u) << i;
    }
  }
}

}  // namespace
}  // namespace velmora
