// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-import as a user runs it (its exit status, what it says, the folder
// written whole or not at all), the export of velmora-batch, and the round
// trip of the bundled dictionary through both.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "batch/batch_export.h"
#include "batch/batch_run.h"
#include "import/import.h"
#include "support/temp_dir.h"

namespace velmora::import {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status;
  std::string out, err;
};

// Runs the tool; every "{d}" in the arguments and the output is the folder.
ToolRun Tool(const std::string& folder, std::string arguments) {
  const auto in_folder = [&](std::string text) {
    for (size_t at = text.find("{d}"); at != std::string::npos; at = text.find("{d}")) text.replace(at, 3, folder);
    return text;
  };
  const std::string command = std::string(VELMORA_IMPORT_TOOL) + " " + in_folder(arguments) + " >" + folder +
                              "/1 2>" + folder + "/2";
  const int w = std::system(command.c_str());
  std::string out = ReadFile(folder + "/1"), err = ReadFile(folder + "/2");
  for (std::string* text : {&out, &err}) {
    for (size_t at = text->find(folder); at != std::string::npos; at = text->find(folder)) {
      text->replace(at, folder.size(), "{d}");
    }
  }
  return {WIFEXITED(w) ? WEXITSTATUS(w) : -1, out, err};
}

TEST(ImportToolTest, ExitStatusMessagesAndTheFolderWholeOrNotAtAll) {
  ScopedTempDir d;
  WriteFile(d.Path("f.txt"), "Symbol\tsyllabic\tconsonantal\na\t+\t-\nk\t-\t+\n");
  WriteFile(d.Path("ok.csv"), "spelling,transcription\nka,k.a\n");
  WriteFile(d.Path("odd.tsv"), "ka\t/ka/\nbad line\nkʘa\t/kʘa/\n");
  WriteFile(d.Path("none.tsv"), "bad line\n");
  WriteFile(d.Path("plain.txt"), "ka k a\n");
  WriteFile(d.Path("ka.tsv"), "ka\t/ka/\n");
  WriteFile(d.Path("inv.txt"), "[\r\n]\r\nkCoda\r\n");
  const std::string wrote = "velmora-import: wrote {d}/out: ";
  const struct {
    std::string arguments;
    int status;
    std::string out, err;
    bool written;
  } cases[] = {
      {"{d}/ok.csv {d}/out --features {d}/f.txt", 0, wrote + "1 entries, 1 vowel and 1 consonant symbols, 3 natural classes\n", "", true},
      {"{d}/odd.tsv {d}/out/ --features {d}/f.txt", 1,
       wrote + "2 entries, 1 vowel and 2 consonant symbols, 3 natural classes\n",
       "velmora-import: left out 1 line not of the form word TAB /ipa/: line 2\n"
       "velmora-import: cannot place 1 symbol (not in the inventory or the feature table; left out of Features.txt "
       "and the classes): ʘ (line 3)\n", true},
      {"{d}/none.tsv {d}/out --format ipa --features {d}/f.txt", 3, "",
       "velmora-import: {d}/none.tsv has no usable line; nothing written\n", false},
      {"{d}/missing.csv {d}/out", 3, "", "velmora-import: cannot read {d}/missing.csv: No such file or directory\n", false},
      {"{d}/ok.csv {d}/no/out --features {d}/f.txt", 3, "",
       "velmora-import: cannot write {d}/no/out: No such file or directory; nothing written\n", false},
      {"{d}/plain.txt {d}/out", 2, "", "velmora-import: cannot tell the form of {d}/plain.txt; give --format csv|ipa|cmu\n", false},
      // The inventory cuts the IPA text: without a, "ka" leaves it unplaced.
      {"{d}/ka.tsv {d}/out --features {d}/f.txt --inventory {d}/inv.txt", 1,
       wrote + "1 entries, 1 vowel and 1 consonant symbols, 3 natural classes\n",
       "velmora-import: cannot place 1 symbol (not in the inventory or the feature table; left out of Features.txt "
       "and the classes): a (line 1)\n", true},
      {"{d}/ok.csv {d}/out --format tsv", 2, "", "", false},
      {"{d}/ok.csv {d}/out --like it --inventory {d}/f.txt", 2, "", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    fs::remove_all(d.Path("out"));
    const ToolRun run = Tool(d.path(), c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    // A usage error (err "") shows the usage after its reason.
    EXPECT_EQ(c.status == 2 && c.err.empty() ? run.err.find("usage: velmora-import") != std::string::npos : run.err == c.err, true);
    EXPECT_EQ(fs::exists(d.Path("out/in.txt")), c.written);
    EXPECT_EQ(fs::exists(d.Path("out")), c.written);
  }
}

TEST(ImportToolTest, ClassFilesOfAnEarlierImportGoOthersStay) {
  ScopedTempDir d;
  fs::create_directories(d.Path("out/NaturalClasses"));
  WriteFile(d.Path("out/NaturalClasses/STOP.txt"), "P\r\n");
  WriteFile(d.Path("out/README.md"), "mine");
  WriteFile(d.Path("f.txt"), "Symbol\tsyllabic\na\t+\n");
  WriteFile(d.Path("in.csv"), "spelling,transcription\na,a\n");
  EXPECT_EQ(Tool(d.path(), "{d}/in.csv {d}/out --features {d}/f.txt").status, 0);
  EXPECT_FALSE(fs::exists(d.Path("out/NaturalClasses/STOP.txt")));
  EXPECT_EQ(ReadFile(d.Path("out/NaturalClasses/VOWEL.txt")), "a0\r\n");
  EXPECT_EQ(ReadFile(d.Path("out/README.md")), "mine");
}

TEST(ExportTest, CsvFieldsAndIpaWithStressBeforeTheSyllable) {
  const std::unordered_map<std::string, std::string> ipa =
      ReadArpabetToIpa("# AH0 is schwa\nAH0\tə\nAH1\tʌ\nB\tb\nN\tn\nAE1\tæ\nK\tk\nT\tt\r\nR\tɹ\n");
  const struct { std::string plain, syllabified, ipa; } cases[] = {
      {"B AH0 N AE1 N AH0", "B AH0 N AE1 NCoda AH0", "bəˈnænə"},
      {"AE1 K T R AH0 N", "AE1 KCoda T R AH0 NCoda", "ˈæktɹən"},
      {"S T R AE1 K", "S T R AE1 KCoda", "ˈStɹæk"},  // a symbol not listed: as it is
      {"AE1 K T AH1 B", "", "ˈækˈtʌb"},             // no syllabified field: one consonant opens
      {"k a1 s a2", "k a1 sCoda a2", "ˈkasˌa"},      // an IPA set: digits go
  };
  for (const auto& c : cases) EXPECT_EQ(ToIpa(c.plain, c.syllabified, ipa), c.ipa) << c.plain;
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"x\""), "\"say \"\"x\"\"\"");
  EXPECT_EQ(CsvField("rock'n'roll"), "rock'n'roll");
}

// The bundled dictionary exported as csv and imported again keeps every
// transcription; the export says where it wrote, and a file it cannot write
// fails without leaving one.
TEST(ExportTest, RoundTripOfTheBundledDictionary) {
  ScopedTempDir d;
  fs::copy_file(std::string(VELMORA_DATA_DIR) + "/in.txt", d.Path("in.txt"));
  BatchOptions options;
  ASSERT_TRUE(ParseBatchOptions({"--export", "csv"}, &options).ok());
  std::ostringstream out, messages;
  BatchSession session(d.path(), out, messages);
  EXPECT_EQ(RunBatch(options, session), kExitHits);
  EXPECT_EQ(out.str(), "Export of 20000 entries of in.txt written to " + d.Path("Export.csv") + ".\n");
  const std::string csv = ReadFile(d.Path("Export.csv"));
  EXPECT_EQ(csv.substr(0, 59), "spelling,transcription,frequency\r\na,AH0,1041179\r\naaron,EH1.");

  ImportOptions import{d.Path("Export.csv"), d.Path("set"), {}, "", "", "", VELMORA_DATA_DIR};
  std::ostringstream import_out, import_err;
  EXPECT_EQ(RunImport(import, import_out, import_err), kExitDone) << import_err.str();
  std::istringstream original(ReadFile(d.Path("in.txt"))), again(ReadFile(d.Path("set/in.txt")));
  std::string a, b;
  int lines = 0;
  while (std::getline(original, a) && std::getline(again, b)) {
    ++lines;
    ASSERT_EQ(a.substr(0, a.find('\t', a.find('\t') + 1)), b.substr(0, b.find('\t', b.find('\t') + 1)));
  }
  EXPECT_EQ(lines, 20000);
  EXPECT_FALSE(std::getline(again, b));

  ASSERT_TRUE(ParseBatchOptions({"--export", "ipa", "--out", d.Path("no/x.txt")}, &options).ok());
  EXPECT_EQ(RunBatch(options, session), kExitFailed);
  EXPECT_FALSE(fs::exists(d.Path("no")));
}

}  // namespace
}  // namespace velmora::import
