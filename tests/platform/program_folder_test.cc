// Choosing the program folder, one start after another over one temporary
// tree: PREFIX/bin and PREFIX/share/velmora (an installed copy), copies that
// hold their own data, and home folders.
#include "platform/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "app/messages.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

TEST(ProgramFolder, ChoosesMakesAndFillsTheFolderAndKeepsTheUsersFiles) {
  ScopedTempDir dir;
  auto P = [&](const std::string& name) { return dir.Path(name); };
  const std::string data = P("prefix/share/velmora"), user = P("home/.local/share/velmora"), home = P("home");
  for (const char* folder : {"prefix", "prefix/bin", "prefix/share", "prefix/share/velmora",
                             "prefix/share/velmora/NaturalClasses", "home", "home2", "home2/.local",
                             "home2/.local/share", "home2/.local/share/velmora", "build", "bare", "copy",
                             "copy/NaturalClasses", "copy/CMakeFiles"}) {
    ASSERT_EQ(::mkdir(P(folder).c_str(), 0755), 0) << folder;
  }
  ASSERT_TRUE(WriteFile(data + "/in.txt", "child\tCH AY1 L D\r\n") && WriteFile(data + "/AllSegments.txt", "L\r\n"));
  ASSERT_TRUE(WriteFile(data + "/NaturalClasses/CONSONANT.txt", "L\r\n") && WriteFile(P("build/in.txt"), "x"));
  ASSERT_TRUE(WriteFile(P("home2/.local/share/velmora/NaturalClasses"), "not a folder") && WriteFile(P("f"), ""));
  for (const char* name : {"in.txt", "UserSettings.txt", "NaturalClasses/STOP.txt", "FullOutput.txt", "velmora"}) {
    ASSERT_TRUE(WriteFile(P("copy/") + name, name));
  }
  EXPECT_EQ(InstalledDataFolder(P("prefix/bin")), data);
  const std::string builtIn = InstalledDataFolder(P("bare"));  // nothing beside: the path built in
  EXPECT_TRUE(builtIn.starts_with("/") && builtIn.ends_with("/share/velmora")) << builtIn;

  using Names = std::vector<std::string>;
  const std::string kCannot = "Velmora cannot make its folder ", kNoFile = ": No such file or directory";
  const struct {
    const char* what;
    std::function<void()> before;
    std::string exe, data, xdg, home, folder;  // data "": the installed data folder; folder "": none made
    bool user;
    Names copied;
    std::string message;  // "" when ok
    std::function<void()> after;
  } rows[] = {
      {"the first start fills the user's folder", [] {}, "prefix/bin", "", "", home, user, true,
       {"AllSegments.txt", "NaturalClasses/", "NaturalClasses/CONSONANT.txt", "in.txt"}, "",
       [&] { EXPECT_EQ(ReadFile(user + "/in.txt") + ReadFile(user + "/NaturalClasses/CONSONANT.txt"),
                       "child\tCH AY1 L D\r\nL\r\n"); }},
      {"a later start copies only what is missing",
       [&] {
         WriteFile(user + "/in.txt", "mine"), WriteFile(user + "/NaturalClasses/MINE.txt", "mine");
         WriteFile(user + "/UserSettings.txt", "mine"), ::unlink((user + "/AllSegments.txt").c_str());
         WriteFile(data + "/NaturalClasses/CONSONANT.txt", "T\r\n"), WriteFile(data + "/NaturalClasses/VOWEL.txt", "");
       },
       "prefix/bin", "", "", home, user, true, {"AllSegments.txt", "NaturalClasses/VOWEL.txt"}, "",
       [&] {
         EXPECT_EQ(ReadFile(user + "/in.txt") + ReadFile(user + "/NaturalClasses/MINE.txt") +
                       ReadFile(user + "/UserSettings.txt") + ReadFile(user + "/NaturalClasses/CONSONANT.txt") +
                       ReadFile(user + "/AllSegments.txt"),
                   "mineminemineL\r\nL\r\n");
       }},
      {"an absolute XDG_DATA_HOME is made", [] {}, "prefix/bin", "", P("xdg/"), "", P("xdg/velmora"), true,
       {"AllSegments.txt", "NaturalClasses/", "NaturalClasses/CONSONANT.txt", "NaturalClasses/VOWEL.txt", "in.txt"},
       "", [] {}},
      {"a relative one is not", [] {}, "prefix/bin", "", "relative/data", home, user, true, {}, "", [] {}},
      {"a file in the way", [] {}, "prefix/bin", "", P("f"), home, "", true, {},
       kCannot + P("f/velmora") + ": Not a directory", [] {}},
      {"no HOME", [] {}, "prefix/bin", "", "", P("gone"), "", true, {},
       kCannot + P("gone/.local/share/velmora: ") + P("gone") + kNoFile, [] {}},
      {"no folder above XDG_DATA_HOME", [] {}, "prefix/bin", "", P("gone/data"), home, "", true, {},
       kCannot + P("gone/data/velmora: ") + P("gone") + kNoFile, [] {}},
      {"neither", [] {}, "prefix/bin", "", "relative", "", "", true, {},
       kCannot + "in your home folder: neither HOME nor XDG_DATA_HOME names an absolute path.", [] {}},
      {"a file where a data folder would be is the user's", [] {}, "prefix/bin", "", "", P("home2"),
       P("home2/.local/share/velmora"), true, {"AllSegments.txt", "in.txt"}, "",
       [&] { EXPECT_EQ(ReadFile(P("home2/.local/share/velmora/NaturalClasses")), "not a folder"); }},
      {"a writable copy beside installed data", [] {}, "build/", data, "", P("home3"), P("build"), false, {}, "",
       [&] { EXPECT_NE(::access(P("home3").c_str(), F_OK), 0); }},
      {"an unpacked executable alone", [] {}, "bare", P("nowhere"), "", home, P("bare"), false, {}, "", [] {}},
      {"a read-only copy gives its own data, not results or the program, to the user's folder",
       [&] { ::chmod(P("copy").c_str(), 0555); }, "copy", P("nowhere"), P("ro"), "", P("ro/velmora"), true,
       {"NaturalClasses/", "NaturalClasses/STOP.txt", "UserSettings.txt", "in.txt"}, "",
       [&] { ::chmod(P("copy").c_str(), 0755); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    if (r.exe == "copy" && ::geteuid() == 0) continue;  // root may write into any folder
    r.before();
    const ProgramFolderChoice c =
        ChooseProgramFolder(P(r.exe), r.data.empty() ? InstalledDataFolder(P(r.exe)) : r.data, {r.xdg, r.home});
    r.after();
    EXPECT_EQ(c.status.ok() ? "" : ProgramFolderMessage(c), r.message);
    if (!c.status.ok()) continue;
    EXPECT_EQ(c.folder, r.folder);
    EXPECT_EQ(c.user, r.user);
    EXPECT_EQ(c.copied, r.copied);
    EXPECT_EQ(c.readOnlyFolder, r.exe == "copy" ? P("copy") : "");
  }
  EXPECT_NE(::access(P("gone").c_str(), F_OK), 0);  // nothing made above the base
  // Without a user's folder the read-only one is not called "your own".
  EXPECT_EQ(ProgramFolderLine(ChooseProgramFolder(P("prefix/bin"), data, {"relative", ""})),
            "Program folder: none (the folder that holds the program may not be written)");
}

}  // namespace
}  // namespace velmora
