// Choosing the program folder: the executable's own folder for a copy that may
// write there, the user's folder, filled from the installed data, for an
// installed copy; what a later start copies and what it leaves alone.
#include "platform/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/messages.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

// An installed copy under a temporary prefix: PREFIX/bin without data,
// PREFIX/share/velmora with a small data set, and a home folder.
class InstalledCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"prefix", "prefix/bin", "prefix/share", "prefix/share/velmora",
                               "prefix/share/velmora/NaturalClasses", "home"}) {
      ASSERT_EQ(::mkdir(dir_.Path(folder).c_str(), 0755), 0) << folder;
    }
    ASSERT_TRUE(WriteFile(Data("in.txt"), "child\tCH AY1 L D\r\n"));
    ASSERT_TRUE(WriteFile(Data("AllSegments.txt"), "AY1\r\nL\r\n"));
    ASSERT_TRUE(WriteFile(Data("NaturalClasses/CONSONANT.txt"), "L\r\nD\r\n"));
    environment_.home = dir_.Path("home");
  }

  std::string Bin() const { return dir_.Path("prefix/bin"); }
  std::string Data(const std::string& name = "") const {
    return dir_.Path("prefix/share/velmora") + (name.empty() ? "" : "/" + name);
  }
  std::string Home(const std::string& name) const { return dir_.Path("home/" + name); }
  ProgramFolderChoice Choose() const { return ChooseProgramFolder(Bin(), InstalledDataFolder(Bin()), environment_); }

  ScopedTempDir dir_;
  FolderEnvironment environment_;
};

TEST_F(InstalledCopy, TheFirstStartFillsTheUsersFolderWithTheWholeDataSet) {
  EXPECT_EQ(InstalledDataFolder(Bin()), Data());
  const ProgramFolderChoice choice = Choose();
  EXPECT_TRUE(choice.status.ok());
  EXPECT_TRUE(choice.user);
  EXPECT_EQ(choice.folder, Home(".local/share/velmora"));
  EXPECT_EQ(choice.copied,
            (std::vector<std::string>{"AllSegments.txt", "NaturalClasses/", "NaturalClasses/CONSONANT.txt", "in.txt"}));
  EXPECT_EQ(ReadFile(choice.folder + "/in.txt"), "child\tCH AY1 L D\r\n");
  EXPECT_EQ(ReadFile(choice.folder + "/NaturalClasses/CONSONANT.txt"), "L\r\nD\r\n");
  EXPECT_EQ(choice.readOnlyFolder, "");  // installed: no fallback to mention
}

TEST_F(InstalledCopy, ALaterStartCopiesOnlyWhatIsMissingAndKeepsTheUsersChanges) {
  const std::string folder = Choose().folder;
  ASSERT_TRUE(WriteFile(folder + "/in.txt", "my own\tM AY1\r\n"));
  ASSERT_TRUE(WriteFile(folder + "/NaturalClasses/MINE.txt", "AY1\r\n"));
  ASSERT_TRUE(WriteFile(folder + "/UserSettings.txt", "settings"));
  ASSERT_EQ(::unlink((folder + "/AllSegments.txt").c_str()), 0);
  // The installed data changed meanwhile (a newer package).
  ASSERT_TRUE(WriteFile(Data("NaturalClasses/CONSONANT.txt"), "L\r\nD\r\nT\r\n"));
  ASSERT_TRUE(WriteFile(Data("NaturalClasses/VOWEL.txt"), "AY1\r\n"));

  const ProgramFolderChoice again = Choose();
  EXPECT_TRUE(again.status.ok());
  EXPECT_EQ(again.folder, folder);
  EXPECT_EQ(again.copied, (std::vector<std::string>{"AllSegments.txt", "NaturalClasses/VOWEL.txt"}));
  EXPECT_EQ(ReadFile(folder + "/in.txt"), "my own\tM AY1\r\n");
  EXPECT_EQ(ReadFile(folder + "/NaturalClasses/MINE.txt"), "AY1\r\n");
  EXPECT_EQ(ReadFile(folder + "/NaturalClasses/CONSONANT.txt"), "L\r\nD\r\n");
  EXPECT_EQ(ReadFile(folder + "/UserSettings.txt"), "settings");
  EXPECT_EQ(ReadFile(folder + "/AllSegments.txt"), "AY1\r\nL\r\n");
}

// An absolute XDG_DATA_HOME decides, else HOME. What cannot be made is
// named, and nothing is made above $XDG_DATA_HOME or $HOME/.local/share.
TEST_F(InstalledCopy, TheUsersFolderComesFromTheEnvironmentAndNothingAboveItsBaseIsMade) {
  ASSERT_TRUE(WriteFile(dir_.Path("blocker"), "a file where a folder should be"));
  const std::string kCannot = "Velmora cannot make its folder ";
  const struct { std::string xdg, home, folder, message; } cases[] = {  // message "" when made and filled
      {dir_.Path("data-home/"), "", dir_.Path("data-home/velmora"), ""},  // made when missing, trailing slash and all
      {"relative/data", Home(""), Home(".local/share/velmora"), ""},
      {dir_.Path("blocker"), Home(""), "", kCannot + dir_.Path("blocker/velmora") + ": Not a directory"},
      {"", dir_.Path("gone"), "", kCannot + dir_.Path("gone/.local/share/velmora: ") + dir_.Path("gone") +
                                      ": No such file or directory"},
      {dir_.Path("gone/data"), Home(""), "", kCannot + dir_.Path("gone/data/velmora: ") + dir_.Path("gone") +
                                                 ": No such file or directory"},
      {"relative", "", "", kCannot + "in your home folder: neither HOME nor XDG_DATA_HOME names an absolute path."},
  };
  for (const auto& c : cases) {
    environment_ = {c.xdg, c.home};
    const ProgramFolderChoice choice = Choose();
    EXPECT_EQ(choice.status.ok() ? "" : ProgramFolderMessage(choice), c.message);
    EXPECT_EQ(choice.status.ok() ? choice.folder + " " + ReadFile(choice.folder + "/in.txt") : "",
              c.folder.empty() ? "" : c.folder + " child\tCH AY1 L D\r\n");
    EXPECT_NE(::access(dir_.Path("gone").c_str(), F_OK), 0) << c.message;
  }
  // Without a user's folder the read-only one is not called "your own".
  EXPECT_EQ(ProgramFolderLine(Choose()), "Program folder: none (the folder that holds the program may not be written)");
}

TEST_F(InstalledCopy, AFileInTheWayOfADataFileIsTheUsersAndStays) {
  const std::string folder = Home(".local/share/velmora");
  ASSERT_EQ(::mkdir(Home(".local").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(Home(".local/share").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  ASSERT_TRUE(WriteFile(folder + "/NaturalClasses", "not a folder"));
  const ProgramFolderChoice choice = Choose();
  EXPECT_TRUE(choice.status.ok());
  EXPECT_EQ(choice.copied, (std::vector<std::string>{"AllSegments.txt", "in.txt"}));
  EXPECT_EQ(ReadFile(folder + "/NaturalClasses"), "not a folder");
}

TEST(ProgramFolder, AWritableCopyKeepsTheExecutablesFolderAndTouchesNothingElse) {
  ScopedTempDir dir;
  ASSERT_EQ(::mkdir(dir.Path("build").c_str(), 0755), 0);
  ASSERT_TRUE(WriteFile(dir.Path("build/in.txt"), "x\tX\r\n"));
  FolderEnvironment environment;
  environment.home = dir.Path("home");
  // Even beside an installed data set, a copy that holds its own data is not installed.
  const ProgramFolderChoice choice = ChooseProgramFolder(dir.Path("build/"), dir.path(), environment);
  EXPECT_EQ(choice.folder, dir.Path("build"));
  EXPECT_FALSE(choice.user);
  EXPECT_TRUE(choice.copied.empty());
  EXPECT_TRUE(choice.status.ok());
  EXPECT_NE(::access(dir.Path("home").c_str(), F_OK), 0);

  // An unpacked executable alone, with nothing installed anywhere, also writes beside itself.
  ASSERT_EQ(::mkdir(dir.Path("bare").c_str(), 0755), 0);
  EXPECT_EQ(ChooseProgramFolder(dir.Path("bare"), dir.Path("nowhere"), environment).folder, dir.Path("bare"));
}

TEST(ProgramFolder, AReadOnlyCopyGivesWayToTheUsersFolderFilledWithItsOwnData) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  ScopedTempDir dir;
  const std::string copy = dir.Path("copy");
  ASSERT_EQ(::mkdir(copy.c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((copy + "/NaturalClasses").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((copy + "/CMakeFiles").c_str(), 0755), 0);
  for (const char* name : {"in.txt", "UserSettings.txt", "NaturalClasses/STOP.txt", "FullOutput.txt", "velmora"}) {
    ASSERT_TRUE(WriteFile(copy + "/" + name, name));
  }
  ASSERT_EQ(::chmod(copy.c_str(), 0555), 0);
  FolderEnvironment environment;
  environment.xdgDataHome = dir.Path("xdg");
  const ProgramFolderChoice choice = ChooseProgramFolder(copy, dir.Path("nowhere"), environment);
  ::chmod(copy.c_str(), 0755);
  EXPECT_TRUE(choice.user);
  EXPECT_EQ(choice.readOnlyFolder, copy);  // said once on stderr
  EXPECT_EQ(choice.folder, dir.Path("xdg/velmora"));
  EXPECT_TRUE(choice.status.ok());
  // The data and the settings, not the results, the program or other folders.
  EXPECT_EQ(choice.copied, (std::vector<std::string>{"NaturalClasses/", "NaturalClasses/STOP.txt",
                                                     "UserSettings.txt", "in.txt"}));
}

TEST(ProgramFolder, WithoutDataBesideTheExecutableTheBuiltInPathIsTheInstalledData) {
  ScopedTempDir dir;
  const std::string built = InstalledDataFolder(dir.path());
  EXPECT_EQ(built.front(), '/');
  EXPECT_EQ(built.substr(built.size() - 14), "/share/velmora") << built;
}

}  // namespace
}  // namespace velmora
