// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer: the text helpers, the file readers and output files,
// and the choice of the program folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/messages.h"
#include "platform/big_memory.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/text.h"
#include "support/faulty_disk.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

using Pair = std::pair<std::string, std::string>;

// Trim takes spaces only; Reversed, LastChars and DropLastChars go by UTF-8
// character, any other byte being one on its own.
TEST(Text, TrimsAndCutsByCharacter) {
  const Pair cases[] = {
      {Trim("  AY1 "), "AY1"}, {Trim("\tAY1\t"), "\tAY1\t"}, {Trim("   "), ""},
      {Reversed("ation"), "noita"}, {Reversed(""), ""}, {Reversed("caf\xC3\xA9"), "\xC3\xA9" "fac"},
      {Reversed("a\xFF" "b"), "b\xFF" "a"}, {std::string(LastChars("ab", 4)), "ab"},
      {std::string(LastChars("abc", 1)), "c"}, {std::string(LastChars("abc", 0)), ""},
      {std::string(LastChars("x\xC3\xA9" "oda", 4)), "\xC3\xA9" "oda"}, {std::string(DropLastChars(".txt", 4)), ""},
      {std::string(DropLastChars("\xC3\xA9t\xC3\xA9.txt", 4)), "\xC3\xA9t\xC3\xA9"},
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
  const std::pair<const char*, size_t> counts[] = {
      {"", 0}, {"abc", 3}, {"caf\xC3\xA9", 4}, {"\xE2\x82\xAC", 1}, {"\xF0\x9F\x98\x80", 1}, {"\xC3", 1},
      {"\xC3\x28", 2}, {"\xC0\xAF", 2} /* overlong */, {"\xED\xA0\x80", 3} /* a surrogate */, {"\xFF\xFE", 2},
  };
  for (const auto& [text, n] : counts) EXPECT_EQ(CharCount(text), n) << text;
}

// The leading number, blanks skipped wherever they stand, halves rounded to
// even, saturated to the thirty-two-bit range.
TEST(Text, NumericValueReadsRoundsAndSaturatesTheLeadingNumber) {
  const std::pair<const char*, int32_t> cases[] = {
      {"12", 12}, {"", 0}, {" 7 ", 7}, {"40abc", 40}, {"abc", 0}, {"-3 ", -3}, {"+8", 8}, {"1 2 3", 123},
      {"- 4", -4}, {"5-", 5}, {".", 0}, {"-", 0}, {"1e5", 1},
      {"2.5", 2}, {"3.5", 4}, {"100.5", 100}, {"101.5", 102}, {"2.50000001", 3}, {"2.4999", 2}, {"0.5", 0},
      {".6", 1}, {"-2.5", -2}, {"-3.5", -4}, {"-0.7", -1}, {"7.9x", 8},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-99999999999999999999", INT_MIN}, {"2147483646.5", 2147483646},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(NumericValue(text), value) << '"' << text << '"';
}

std::string Utf8(UChar32 cp) {
  char bytes[U8_MAX_LENGTH];
  int32_t length = 0;
  U8_APPEND_UNSAFE(bytes, length, cp);
  return std::string(bytes, static_cast<size_t>(length));
}

// Lower against ICU on every code point, each alone and all in one text; bytes
// that begin no character (each would read leniently as a capital) pass
// through unchanged and the letters after them are still folded.
TEST(Text, LowerAgreesWithIcuAndPassesOtherBytesThrough) {
  std::vector<UChar32> wrong;
  std::string all, allLowered;
  for (UChar32 cp = 0; cp <= 0x10FFFF; ++cp) {
    if (U_IS_SURROGATE(cp)) continue;
    const std::string text = Utf8(cp), expected = Utf8(u_tolower(cp));
    if (Lower(text) != expected) wrong.push_back(cp);
    all += text;
    allLowered += expected;
  }
  ASSERT_TRUE(wrong.empty()) << wrong.size() << " code points differ, the first U+" << std::hex << wrong.front();
  EXPECT_TRUE(Lower(all) == allLowered);
  const Pair cases[] = {
      {"\xC1\x81" "A", "\xC1\x81" "a"}, {"\xE0\x83\x80", "\xE0\x83\x80"}, {"\xF0\x80\x83\x80", "\xF0\x80\x83\x80"},
      {"\xC3\xC3\x80", "\xC3\xC3\xA0"}, {"\x80\x80" "A", "\x80\x80" "a"}, {"\xE2\x84", "\xE2\x84"},
      {"\xED\xA0\x80\xED\xB0\x80", "\xED\xA0\x80\xED\xB0\x80"}, {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},
      {"\xF5\xC0\xFE\xFF", "\xF5\xC0\xFE\xFF"}, {std::string("\0A", 2), std::string("\0a", 2)},
  };
  for (const auto& [text, lowered] : cases) EXPECT_EQ(Lower(text), lowered);
}

// Words as sh splits them, nothing expanded; an unclosed quote runs to the end.
TEST(Text, SplitShellWordsAsShSplitsThem) {
  using W = std::vector<std::string>;
  const struct { const char* text; W words; bool closed; } cases[] = {
      {" '[' STOP\t\"LIQUID?\"  ", {"[", "STOP", "LIQUID?"}, true},
      {"AY1 \"CONSONANT", {"AY1", "CONSONANT"}, false},
      {"'/opt/My Apps/edit -n", {"/opt/My Apps/edit -n"}, false},
      {"edit \"x\\", {"edit", "x\\"}, false},
      {"# a comment", {}, true},
      {"   ", {}, true},
      {"AY1 # a b c", {"AY1"}, true},
      {"a#b '#'c \\#d", {"a#b", "#c", "#d"}, true},
      {"\"\\$ \\` \\\" \\\\ \\q 'e'\"", {"$ ` \" \\ \\q 'e'"}, true},
      {"a\\ b 'x\\y \"c\"' '' \"\" a'b c'd", {"a b", "x\\y \"c\"", "", "", "ab cd"}, true},
      {"a\\\nb \"c\\\nd\"", {"ab", "cd"}, true},
      {"\\'x\\\" edit\\", {"'x\"", "edit\\"}, true},
      {"$HOME/bin/* ~", {"$HOME/bin/*", "~"}, true},
  };
  for (const auto& c : cases) {
    bool closed = !c.closed;
    EXPECT_EQ(SplitShellWords(c.text, &closed), c.words) << c.text;
    EXPECT_EQ(closed, c.closed) << c.text;
  }
}

// Echoed shows unprintable bytes as hex and cuts at eighty characters;
// SplitLines ends a line at every line end.
TEST(Text, EchoedAndSplitLines) {
  const Pair echoed[] = {
      {"\xCA\x83\xC9\x99 AY1", "\xCA\x83\xC9\x99 AY1"},  // IPA stays
      {std::string("a\0b\tc\x7F", 6), "a\\x00b\\x09c\\x7F"},
      {"\xFF\xC3(\xC2\x85", "\\xFF\\xC3(\\xC2\\x85"},  // invalid, and a C1 control
      {std::string(80, 'x'), std::string(80, 'x')},
      {std::string(79, 'x') + "\xC3\xA9z", std::string(79, 'x') + "\xC3\xA9..."},
  };
  for (const auto& [text, shown] : echoed) EXPECT_EQ(Echoed(text), shown) << text;
  using V = std::vector<std::string_view>;
  const std::pair<std::string_view, V> lines[] = {
      {"a\r\nb\r\n", {"a", "b"}}, {"a\rb\nc", {"a", "b", "c"}}, {"a\n\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}}, {"\r\n", {""}}, {"", {}}, {"a\n\r", {"a", ""}},
      {std::string_view("a\0b", 3), {std::string_view("a\0b", 3)}},
  };
  for (const auto& [text, split] : lines) EXPECT_EQ(SplitLines(text), split);
}

// The large-file reader against the plain one, and what an output file does
// to the kind of file its name already is.
namespace fs = std::filesystem;

TEST(Files, ReadLargeFileGivesWhatReadWholeFileGives) {
  ScopedTempDir dir;
  std::string big;
  for (int i = 0; big.size() < (3u << 20) + 17; ++i) big += "word" + std::to_string(i) + "\tW ER1 D\r\n";
  ASSERT_TRUE(WriteFile(dir.Path("empty.txt"), "") && WriteFile(dir.Path("small.txt"), "a\tA\r\n"));
  ASSERT_TRUE(WriteFile(dir.Path("big.txt"), big));  // read in two halves
  ASSERT_TRUE(WriteFile(dir.Path("odd.txt"), big.substr(0, (1u << 20) + 1)));
  ASSERT_EQ(::mkdir(dir.Path("folder").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0644), 0);  // refused, not waited for
  for (const char* name : {"empty.txt", "small.txt", "big.txt", "odd.txt", "folder", "missing.txt", "pipe"}) {
    const std::string path = dir.Path(name);
    std::string plain;
    FileBytes large;
    const Status plainStatus = ReadWholeFile(path, &plain), largeStatus = ReadLargeFile(path, &large);
    EXPECT_EQ(largeStatus.kind, plainStatus.kind) << name;
    EXPECT_EQ(largeStatus.reason, plainStatus.reason) << name;
    EXPECT_EQ(largeStatus.path, plainStatus.ok() ? "" : path) << name;
    EXPECT_TRUE(large.view() == plain) << name;
  }
}

// The new text has no name until it is put in place, and then takes the place
// of what the name was: a file keeps its mode, a link stays a link (a dangling
// one's target is made), a hard link is split, a device is written as it is,
// a cycle of links is replaced by the file.
TEST(Files, OutputFileReplacesWhatTheNameIs) {
  ScopedTempDir dir;
  const std::string file = dir.Path("file.txt"), target = dir.Path("target.txt");
  const struct {
    const char* what;
    std::function<void()> make;
    std::string written;  // the file that holds the new text ("": none)
    mode_t mode;          // its mode then
    const char* target;   // what target.txt holds then
  } cases[] = {
      {"a private file", [&] { WriteFile(file, "earlier"), ::chmod(file.c_str(), 0600); }, file, 0600, nullptr},
      {"a new file", [] {}, file, 0644, nullptr},
      {"a link to a private file",
       [&] { WriteFile(target, "earlier"), ::chmod(target.c_str(), 0640), ::symlink("target.txt", file.c_str()); },
       target, 0640, "new\r\n"},
      {"a dangling link", [&] { ::symlink("target.txt", file.c_str()); }, target, 0644, "new\r\n"},
      {"a hard link", [&] { WriteFile(target, "earlier"), ::link(target.c_str(), file.c_str()); }, file, 0644,
       "earlier"},
      {"a link to /dev/null", [&] { ::symlink("/dev/null", file.c_str()); }, "", 0, nullptr},
      {"a cycle of links", [&] { ::symlink("target.txt", file.c_str()), ::symlink("file.txt", target.c_str()); },
       file, 0644, nullptr},
  };
  ::umask(022);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(file.c_str());
    ::unlink(target.c_str());
    c.make();
    const bool link = fs::is_symlink(file);
    auto names = [&] { return std::distance(fs::directory_iterator(dir.path()), {}); };
    const auto earlier = names();
    OutputFile out;
    ASSERT_TRUE(out.Open(file).ok());
    out.WriteLine("new");
    ASSERT_TRUE(out.Flush().ok());
    EXPECT_EQ(names(), earlier);  // no other run can open the new text
    ASSERT_TRUE(out.Close().ok());
    EXPECT_EQ(fs::is_symlink(file), link && c.written != file);
    if (c.target) { EXPECT_EQ(ReadFile(target), c.target); }
    if (c.written.empty()) continue;
    EXPECT_EQ(ReadFile(c.written), "new\r\n");
    EXPECT_EQ(static_cast<mode_t>(fs::status(c.written).permissions()), c.mode);
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A running program's own file may not be written, even by root: it is in
// use, and free again once the program ends.
TEST(Files, ARunningProgramsFileIsInUse) {
  ScopedTempDir dir;
  const std::string held = dir.Path("MediumOutput.txt");
  fs::copy_file("/bin/sleep", held);
  const pid_t pid = ::fork();
  if (pid == 0) ::execl(held.c_str(), held.c_str(), "30", nullptr), ::_exit(127);
  Status status;
  for (int tries = 0; tries < 100 && status.kind != Status::kInUse; ++tries, ::usleep(20000)) {
    OutputFile out;  // until the program has started
    status = out.Open(held);
    out.Abandon();
  }
  EXPECT_EQ(status.kind, Status::kInUse) << status.reason;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  OutputFile out;
  EXPECT_TRUE(out.Open(held).ok());
  out.Abandon();
}

// Pieces from 16 KB to 256 KB, cut from shared 2 MB chunks, do not overlap;
// once every piece is back, the chunk is cut again from its start.
TEST(BigMemory, PiecesShareChunksAndTheirRoomIsCutAgain) {
  if (kSharedPieceBytes == kBigPieceBytes) GTEST_SKIP() << "under AddressSanitizer the heap gives these pieces";
  std::vector<char*> pieces;
  for (size_t i = 0; i < 24; ++i) pieces.push_back(static_cast<char*>(AllocatePiece(100000 + i)));
  for (size_t i = 0; i < pieces.size(); ++i) std::memset(pieces[i], static_cast<int>(i), 100000 + i);
  for (size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i][0] + pieces[i][99999 + i], 2 * static_cast<int>(i));
  for (size_t i = 0; i < pieces.size(); ++i) FreePiece(pieces[i], 100000 + i);
  void* again = AllocatePiece(20000);
  EXPECT_EQ(again, reinterpret_cast<void*>(((reinterpret_cast<uintptr_t>(pieces.back()) >> 21) << 21) + 64));
  FreePiece(again, 20000);
}

// Choosing the program folder, one start after another over one temporary
// tree: PREFIX/bin and PREFIX/share/velmora (an installed copy), copies that
// hold their own data, and home folders.
TEST(ProgramFolder, ChoosesMakesAndFillsTheFolderAndKeepsTheUsersFiles) {
  ScopedTempDir dir;
  auto P = [&](const std::string& name) { return dir.Path(name); };
  const std::string data = P("prefix/share/velmora"), user = P("home/.local/share/velmora"), home = P("home");
  for (const char* folder : {"prefix", "prefix/bin", "prefix/share", "prefix/share/velmora",
                             "prefix/share/velmora/NaturalClasses", "home", "home2", "home2/.local",
                             "home2/.local/share", "home2/.local/share/velmora", "build", "bare", "copy",
                             "copy/NaturalClasses", "copy/CMakeFiles", "prefix/share/velmora/it",
                             "prefix/share/velmora/it/NaturalClasses", "prefix/share/velmora/build"}) {
    ASSERT_EQ(::mkdir(P(folder).c_str(), 0755), 0) << folder;
  }
  ASSERT_TRUE(WriteFile(data + "/in.txt", "child\tCH AY1 L D\r\n") && WriteFile(data + "/AllSegments.txt", "L\r\n"));
  ASSERT_TRUE(WriteFile(data + "/NaturalClasses/CONSONANT.txt", "L\r\n") && WriteFile(P("build/in.txt"), "x"));
  ASSERT_TRUE(WriteFile(P("home2/.local/share/velmora/NaturalClasses"), "not a folder") && WriteFile(P("f"), ""));
  for (const char* name : {"in.txt", "UserSettings.txt", "NaturalClasses/STOP.txt", "FullOutput.txt", "velmora"}) {
    ASSERT_TRUE(WriteFile(P("copy/") + name, name));
  }
  // A bundled set beside the English one, which the first start does not copy.
  for (const char* name :
       {"it/in.txt", "it/AllSegments.txt", "it/NaturalClasses/V.txt", "it/README.md", "build/x.txt"}) {
    ASSERT_TRUE(WriteFile(data + "/" + name, name));
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
      {"a read-only copy gives its own data, not results or the program, to the user's folder", [] {}, "copy",
       P("nowhere"), P("ro"), "", P("ro/velmora"), true,
       {"NaturalClasses/", "NaturalClasses/STOP.txt", "UserSettings.txt", "in.txt"}, "", [] {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    r.before();
    FaultyDisk disk;  // the copy's folder is read-only, even to root
    disk.Fail(FaultyDisk::kMayWrite, "copy", Status::FromErrno(EACCES, ""));
    ScopedDisk scoped(disk);
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

  // A bundled set is copied into the user's folder once it is chosen, as the English one; a folder is taken as it is.
  ASSERT_TRUE(::mkdir((data + "/fr").c_str(), 0755) == 0 && ::mkdir((user + "/mine").c_str(), 0755) == 0);
  ASSERT_TRUE(WriteFile(user + "/fr", "a file where a set would go") && WriteFile(data + "/fr/in.txt", "") &&
              WriteFile(user + "/mine/in.txt", ""));
  EXPECT_EQ(BundledDataSets(user, data), (Names{"en", "fr", "it", "mine"}));
  EXPECT_EQ(BundledDataSets(P("bare"), ""), Names{"en"});
  const struct {
    std::string name, folder, saved;
    Names copied;
    std::string failure;  // the status's kind, detail and path
  } sets[] = {
      {"", user, "", {}, ""}, {"en", user, "", {}, ""},
      {"it", user + "/it", "it", {"it/", "it/AllSegments.txt", "it/NaturalClasses/", "it/NaturalClasses/V.txt",
                                  "it/in.txt"}, ""},
      {"it", user + "/it", "it", {}, ""},  // only what is missing, later
      {"mine", user + "/mine", "mine", {}, ""},
      {data + "/it/", data + "/it", data + "/it", {}, ""},
      {"zz", "", "", {}, "5 zz "}, {data + "/build", "", "", {}, "5 " + data + "/build "},
      {"fr", user + "/fr", "fr", {}, "6  " + user + "/fr"},  // a file where the set would go
  };
  for (const auto& set : sets) {
    SCOPED_TRACE(set.name);
    const DataSetChoice c = FindDataSet(user, data, set.name);
    EXPECT_EQ(c.status.ok() ? "" : std::to_string(c.status.kind) + " " + c.status.detail + " " + c.status.path,
              set.failure);
    EXPECT_EQ(c.folder + "|" + c.saved, set.folder + "|" + set.saved);
    EXPECT_EQ(c.copied, set.copied);
  }
  EXPECT_EQ(ReadFile(user + "/it/NaturalClasses/V.txt"), "it/NaturalClasses/V.txt");
  // Without a user's folder the read-only one is not called "your own".
  EXPECT_EQ(ProgramFolderLine(ChooseProgramFolder(P("prefix/bin"), data, {"relative", ""})),
            "Program folder: none (the folder that holds the program may not be written)");
}

}  // namespace
}  // namespace velmora
