// The result viewer: the command lines it builds, how a stored location
// becomes a started program, and its buttons.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "ui/display_options.h"

namespace velmora {
namespace {

using Args = std::vector<std::string>;

// ---- Command lines -----------------------------------------------------------


TEST(ProgramArgumentsTest, SplitsLikeAShellWithoutExpanding) {
  const std::string file = "/v/Full Output.txt";
  struct Case {
    const char* location;
    Args expected;
  } cases[] = {
      {"gedit", {"gedit", file}},
      {"libreoffice --calc", {"libreoffice", "--calc", file}},
      {"  gedit \t -s  ", {"gedit", "-s", file}},
      {"'/opt/My Apps/edit' -n", {"/opt/My Apps/edit", "-n", file}},
      {"\"/opt/My Apps/edit\"", {"/opt/My Apps/edit", file}},
      {"/opt/My\\ Apps/edit", {"/opt/My Apps/edit", file}},
      {"a'b c'd", {"ab cd", file}},
      {"'' x", {"", "x", file}},
      {"x \"\"", {"x", "", file}},
      {"'a\\b \"c\"'", {"a\\b \"c\"", file}},
      {"\"a\\\"b\\\\c\\d 'e'\"", {"a\"b\\c\\d 'e'", file}},
      {"\\'x\\\"", {"'x\"", file}},
      {"edit\\", {"edit\\", file}},
      {"$HOME/bin/* ~", {"$HOME/bin/*", "~", file}},
      // An unclosed quote runs to the end.
      {"'/opt/My Apps/edit -n", {"/opt/My Apps/edit -n", file}},
      {"edit \"-a  b", {"edit", "-a  b", file}},
      {"edit \"x\\", {"edit", "x\\", file}},
      // No word means the default application.
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgramArguments(c.location, file), c.expected) << c.location;
  }
}

TEST(ProgramArgumentsTest, AnExistingFileIsTheProgramWhateverItsName) {
  ScopedTempDir dir;
  const std::string program = dir.Path("my editor's \"app\"");
  ASSERT_TRUE(WriteFile(program, "#!/bin/sh\n"));
  EXPECT_EQ(ProgramArguments(program, "/f"), (Args{program, "/f"}));
  // Anything more than the file's name is split as usual.
  EXPECT_EQ(ProgramArguments(dir.Path("plain") + " -n", "/f"), (Args{dir.Path("plain"), "-n", "/f"}));
}

// ---- The window -------------------------------------------------------------

class DisplayOptionsTest : public ::testing::Test {
 protected:
  DisplayOptionsTest() {
    form.mSpreadsheetLocation = "localc --norestore";
    form.mWordProcessorLocation = "gedit";
  }
  std::string File(const char* name) const { return dir.path() + "/" + name; }
  std::string SpreadsheetBox() { return platform.Text(Control::frmDisplayOptions_txtSpreadsheetLocation); }
  std::string WordProcessorBox() { return platform.Text(Control::frmDisplayOptions_txtWordProcessorLocation); }

  ScopedTempDir dir;
  RecordingPlatform platform;
  Form1 form{platform, dir.path()};
  frmDisplayOptions& viewer = form.displayOptions;
};

TEST_F(DisplayOptionsTest, OpeningFillsTheBoxesBackLosesUnsavedTypingExitEnds) {
  viewer.Open();
  EXPECT_TRUE(platform.IsLoaded(Window::frmDisplayOptions));
  EXPECT_EQ(platform.visible.count(Window::frmDisplayOptions), 1u);
  EXPECT_EQ(platform.visible.count(Window::Form1), 0u);
  EXPECT_EQ(SpreadsheetBox(), "localc --norestore");
  EXPECT_EQ(WordProcessorBox(), "gedit");

  // An open viewer is only shown again; what was typed stays.
  platform.SetText(Control::frmDisplayOptions_txtSpreadsheetLocation, "typed but not saved");
  viewer.Open();
  EXPECT_EQ(SpreadsheetBox(), "typed but not saved");

  viewer.cmdBack_Click();
  EXPECT_FALSE(platform.IsLoaded(Window::frmDisplayOptions));
  EXPECT_EQ(platform.visible.count(Window::Form1), 1u);
  EXPECT_EQ(form.mSpreadsheetLocation, "localc --norestore");
  viewer.Open();
  EXPECT_EQ(SpreadsheetBox(), "localc --norestore");
  viewer.cmdExit_Click();
  EXPECT_TRUE(platform.quitRequested);  // Exit ends the program
}

TEST_F(DisplayOptionsTest, ViewButtonsStartTheStoredProgramOnTheirFile) {
  viewer.Open();
  // Typing alone does not change what the buttons start.
  platform.SetText(Control::frmDisplayOptions_txtSpreadsheetLocation, "other-sheet");
  platform.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, "other-editor");

  viewer.cmdFullSpreadsheet_Click();
  viewer.cmdMediumSpreadsheet_Click();
  viewer.cmdSmallSpreadsheet_Click();
  viewer.cmdFullWordProcessor_Click();
  viewer.cmdMediumWordProcessor_Click();
  viewer.cmdTinyWordProcessor_Click();

  const std::vector<Args> expected = {
      {"localc", "--norestore", File("FullOutput.txt")},
      {"localc", "--norestore", File("MediumOutput.txt")},
      {"localc", "--norestore", File("SmallOutput.txt")},
      {"gedit", File("FullOutput.txt")},
      {"gedit", File("MediumOutput.txt")},
      {"gedit", File("SmallOutput.txt")},
  };
  EXPECT_EQ(platform.startedPrograms, expected);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.visible.count(Window::frmDisplayOptions), 1u);
}

// An empty location opens the file with the default application; a program
// that cannot start, or a file without an application, is reported.
TEST_F(DisplayOptionsTest, AnEmptyLocationOpensWithTheDefaultAndFailuresAreReported) {
  form.mWordProcessorLocation = "";
  viewer.cmdTinyWordProcessor_Click();
  EXPECT_TRUE(platform.startedPrograms.empty());
  EXPECT_EQ(platform.openedWithDefault, (Args{File("SmallOutput.txt")}));

  platform.startFails = true;
  viewer.cmdMediumSpreadsheet_Click();
  form.mSpreadsheetLocation = "";
  viewer.cmdFullSpreadsheet_Click();
  EXPECT_EQ(platform.messages,
            (Args{"Could not start localc --norestore: No such file or directory.",
                  "Could not open " + File("FullOutput.txt") + ": No application is set for this file."}));
}

TEST_F(DisplayOptionsTest, SaveTakesTheBoxesAsTypedAndWritesThemTrimmed) {
  viewer.Open();
  platform.SetText(Control::frmDisplayOptions_txtSpreadsheetLocation, "  /opt/calc ");
  platform.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, "kate -n ");
  viewer.cmdRememberLocations_Click();

  EXPECT_EQ(form.mSpreadsheetLocation, "  /opt/calc ");
  EXPECT_EQ(form.mWordProcessorLocation, "kate -n ");
  const std::string written = ReadFile(dir.Path("UserSettings.txt"));
  EXPECT_NE(written.find("Location (full path) of your spreadsheet program:\r\n/opt/calc\r\n"
                         "Location (full path) of your word processor or text editor:\r\nkate -n\r\n"),
            std::string::npos);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.visible.count(Window::frmDisplayOptions), 1u);

  // The buttons use the new locations at once.
  viewer.cmdFullSpreadsheet_Click();
  viewer.cmdFullWordProcessor_Click();
  EXPECT_EQ(platform.startedPrograms,
            (std::vector<Args>{{"/opt/calc", File("FullOutput.txt")}, {"kate", "-n", File("FullOutput.txt")}}));
}

TEST_F(DisplayOptionsTest, ASaveThatFailsIsReportedAndTheLocationsStillChange) {
  ASSERT_EQ(::mkdir(dir.Path("UserSettings.txt").c_str(), 0755), 0);
  viewer.Open();
  platform.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, "kate");
  viewer.cmdRememberLocations_Click();
  EXPECT_EQ(form.mWordProcessorLocation, "kate");
  EXPECT_EQ(platform.messages, Args{"The settings could not be saved to " + dir.Path("UserSettings.txt") +
                                    ": Is a directory."});
  EXPECT_EQ(platform.visible.count(Window::frmDisplayOptions), 1u);
}

TEST_F(DisplayOptionsTest, HelpOpensAtReadingOutputFilesBesideTheViewer) {
  viewer.Open();
  viewer.mnuHelp_Click();
  EXPECT_EQ(platform.visible.count(Window::frmHelp), 1u);
  EXPECT_EQ(platform.Text(Control::frmHelp_Label1), HelpTopicText(3));
  EXPECT_EQ(platform.visible.count(Window::frmDisplayOptions), 1u);
}

}  // namespace
}  // namespace velmora
