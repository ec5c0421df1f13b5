// SPDX-License-Identifier: GPL-3.0-or-later
// The result viewer (which program each button starts on which file, the
// locations kept and saved, its way back, out and to help) and the help window.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "ui/display_options.h"
#include "ui/help_window.h"

namespace velmora {
namespace {

using Args = std::vector<std::string>;

// No word: the default application; an existing file is the program whatever
// its name; anything else is split as sh splits it.
TEST(DisplayOptions, ProgramArguments) {
  ScopedTempDir dir;
  const std::string program = dir.Path("my editor's \"app\"");
  ASSERT_TRUE(WriteFile(program, "#!/bin/sh\n"));
  const std::pair<std::string, Args> cases[] = {
      {"", {}}, {"   ", {}}, {program, {program, "/f"}}, {dir.Path("plain") + " -n", {dir.Path("plain"), "-n", "/f"}},
      {"  'my edit' \t -s  ", {"my edit", "-s", "/f"}},
  };
  for (const auto& [location, argv] : cases) EXPECT_EQ(ProgramArguments(location, "/f"), argv) << location;
}

class DisplayOptionsTest : public ::testing::Test {
 protected:
  DisplayOptionsTest() { form.mSpreadsheetLocation = "localc --norestore", form.mWordProcessorLocation = "gedit"; }
  std::string Box(Control c) { return platform.Text(c); }
  void Type(Control c, const std::string& text) { platform.SetText(c, text); }
  std::string File(const char* name) const { return dir.Path(name); }
  static constexpr Control kSheet = Control::frmDisplayOptions_txtSpreadsheetLocation;
  static constexpr Control kEditor = Control::frmDisplayOptions_txtWordProcessorLocation;

  ScopedTempDir dir;
  RecordingPlatform platform;
  Form1 form{platform, dir.path()};
  frmDisplayOptions& viewer = form.displayOptions;
};

TEST_F(DisplayOptionsTest, OpenFillsTheBoxesBackLosesUnsavedTypingHelpBesideExitQuits) {
  viewer.Open();
  EXPECT_TRUE(platform.IsLoaded(Window::frmDisplayOptions));
  EXPECT_EQ(platform.visible, (std::set<Window>{Window::frmDisplayOptions}));
  EXPECT_EQ(Box(kSheet) + "|" + Box(kEditor), "localc --norestore|gedit");
  Type(kSheet, "typed");
  viewer.Open();  // an open viewer is only shown again
  EXPECT_EQ(Box(kSheet), "typed");
  viewer.cmdBack_Click();
  EXPECT_FALSE(platform.IsLoaded(Window::frmDisplayOptions));
  EXPECT_EQ(platform.visible, (std::set<Window>{Window::Form1}));
  viewer.Open();
  EXPECT_EQ(Box(kSheet), "localc --norestore");
  viewer.mnuHelp_Click();
  EXPECT_EQ(platform.Text(Control::frmHelp_Label1), HelpTopicText(3));
  EXPECT_EQ(platform.visible, (std::set<Window>{Window::frmDisplayOptions, Window::frmHelp}));
  EXPECT_FALSE(platform.quitRequested);
  viewer.cmdExit_Click();
  EXPECT_TRUE(platform.quitRequested);
}

// The buttons start the stored location (typing alone changes nothing; Save
// stores the boxes as typed and writes them trimmed); an empty location opens
// the file with the default application; what cannot start is reported.
TEST_F(DisplayOptionsTest, EachButtonStartsItsProgramOnItsFile) {
  viewer.Open();
  Type(kSheet, "  /opt/calc ");
  Type(kEditor, "kate -n ");
  frmDisplayOptions& v = viewer;
  const std::function<void()> buttons[] = {
      [&v] { v.cmdFullSpreadsheet_Click(); },     [&v] { v.cmdMediumSpreadsheet_Click(); },
      [&v] { v.cmdSmallSpreadsheet_Click(); },    [&v] { v.cmdFullWordProcessor_Click(); },
      [&v] { v.cmdMediumWordProcessor_Click(); }, [&v] { v.cmdTinyWordProcessor_Click(); }};
  for (const auto& button : buttons) button();
  viewer.cmdRememberLocations_Click();
  EXPECT_EQ(form.mSpreadsheetLocation + "|" + form.mWordProcessorLocation, "  /opt/calc |kate -n ");
  EXPECT_NE(ReadFile(File("UserSettings.txt"))
                .find("Location (full path) of your spreadsheet program:\r\n/opt/calc\r\n"
                      "Location (full path) of your word processor or text editor:\r\nkate -n\r\n"),
            std::string::npos);
  buttons[0]();
  buttons[3]();
  const std::string full = File("FullOutput.txt"), medium = File("MediumOutput.txt"), small = File("SmallOutput.txt");
  EXPECT_EQ(platform.startedPrograms,
            (std::vector<Args>{{"localc", "--norestore", full}, {"localc", "--norestore", medium},
                               {"localc", "--norestore", small}, {"gedit", full}, {"gedit", medium},
                               {"gedit", small}, {"/opt/calc", full}, {"kate", "-n", full}}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.visible.count(Window::frmDisplayOptions), 1u);

  form.mWordProcessorLocation = "";
  viewer.cmdTinyWordProcessor_Click();
  EXPECT_EQ(platform.openedWithDefault, (Args{small}));
  platform.startFails = true;
  viewer.cmdMediumSpreadsheet_Click();
  form.mSpreadsheetLocation = "";
  viewer.cmdFullSpreadsheet_Click();
  EXPECT_EQ(platform.startedPrograms.size(), 9u);
  EXPECT_EQ(platform.messages, (Args{"Could not start   /opt/calc : No such file or directory.",
                                     "Could not open " + full + ": No application is set for this file."}));
  // A save that fails is reported, and the locations still change.
  ASSERT_EQ(::unlink(File("UserSettings.txt").c_str()) + ::mkdir(File("UserSettings.txt").c_str(), 0755), 0);
  Type(kEditor, "kate");
  viewer.cmdRememberLocations_Click();
  EXPECT_EQ(form.mWordProcessorLocation, "kate");
  EXPECT_EQ(platform.messages.back(), "The settings could not be saved to " + File("UserSettings.txt") + ": Is a directory.");
}

// The help window: which topic each button and each way of opening shows.
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
