// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-syllabify as a user runs it: the arguments, the files it reads and
// writes, what it says on stderr and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "support/temp_dir.h"

namespace velmora::syllabify {
namespace {

TEST(ToolTest, ArgumentsToFilesMessagesAndExitStatus) {
  ScopedTempDir folder;
  auto in_folder = [&](std::string text) {  // every "{d}" the folder
    for (size_t at = text.find("{d}"); at != std::string::npos; at = text.find("{d}")) text.replace(at, 3, folder.path());
    return text;
  };
  const std::map<std::string, std::string> files = {
      {"VOWEL.txt", "AE0\r\nAE1\r\nAE2\r\nAH0\r\nAH1\r\nEH1\r\n"},
      {"onsets.txt", "T\r\nS\r\nS T R\r\nT R\r\nR\r\nB\r\n"},
      // Any line end; fields completed to six, the fourth on kept.
      {"in.txt", "tab\tT AE1 B\t\t\t12\t1\tseventh\n\nextra\tEH1 K S T R AH0\tstale\tnote\t3\t2\rhmm\tHH M\r\n"},
      // S T begins two words, S T R one: R cannot open a syllable of astra.
      {"words.txt", "stab\tS T AE1 B\nstep\tS T EH1 P\nstrap\tS T R AE1 P\ntab\tT AE1 B\ntap\tT AE1 P\n"
                    "astra\tAE1 S T R AH0\n"},
      {"empty.txt", "\r\n"},
      {"none.tsv", ""},
      {"p.tsv", "tab\tT AE1 B\r\n"},
      {"counts.tsv", "the\t0\r\ntab\t5x\r\n"},
      {"odd.tsv", "odd\tAA1 DCoda\r\n"},
      {"bad.tsv", "bad line\r\n"},
      {"badp.tsv", "tab\tT AE1 B\r\nbad line\r\n"},
  };
  for (const auto& [name, contents] : files) WriteFile(folder.Path(name), contents);
  std::filesystem::create_symlink(folder.Path("target.txt"), folder.Path("link.txt"));
  const std::string common = "--vowels {d}/VOWEL.txt --onsets {d}/onsets.txt ";
  const std::string derive = "--vowels {d}/VOWEL.txt --derive-onsets 2 --save-onsets {d}/derived.txt {d}/words.txt ";
  const struct {
    std::string arguments;
    int exit;
    const char* first_error_line = nullptr;
    const char* file = nullptr;  // to read after the run
    const char* contents = nullptr;
  } cases[] = {
      {common + "{d}/in.txt {d}/out.txt", 0,
       "velmora-syllabify: 3 entries syllabified; 1 without a vowel, left without Coda marks", "out.txt",
       "tab\tT AE1 B\tT AE1 BCoda\t\t12\t1\tseventh\r\n\r\nextra\tEH1 K S T R AH0\tEH1 KCoda S T R AH0\tnote\t3\t2\r\n"
       "hmm\tHH M\tHH M\t\t\t\r\n"},
      // Standard input and output; a link is written through.
      {common + "< {d}/p.tsv > {d}/out.txt", 0, "velmora-syllabify: 1 entries syllabified", "out.txt",
       "tab\tT AE1 B\tT AE1 BCoda\t\t\t\r\n"},
      {common + "{d}/p.tsv {d}/link.txt", 0, nullptr, "target.txt", "tab\tT AE1 B\tT AE1 BCoda\t\t\t\r\n"},
      {derive + "> /dev/null", 0, "velmora-syllabify: 6 entries syllabified", "derived.txt", "S T\r\nT\r\n"},
      {derive + "{d}/out.txt", 0, nullptr, "out.txt",
       "stab\tS T AE1 B\tS T AE1 BCoda\t\t\t\r\nstep\tS T EH1 P\tS T EH1 PCoda\t\t\t\r\n"
       "strap\tS T R AE1 P\tS T R AE1 PCoda\t\t\t\r\ntab\tT AE1 B\tT AE1 BCoda\t\t\t\r\ntap\tT AE1 P\tT AE1 PCoda\t\t\t\r\n"
       "astra\tAE1 S T R AH0\tAE1 SCoda TCoda RCoda AH0\t\t\t\r\n"},
      {"--help > {d}/help.txt", 0},
      {"--vowels {d}/VOWEL.txt --derive-onsets 1 {d}/p.tsv > /dev/null", 0},
      {"--onsets {d}/onsets.txt", 2, "velmora-syllabify: --vowels is required"},
      {"--vowels", 2, "velmora-syllabify: --vowels needs a file"},
      {common + "--derive-onsets 3", 2, "velmora-syllabify: give either --onsets or --derive-onsets"},
      {"--vowels {d}/VOWEL.txt --derive-onsets 0", 2,
       "velmora-syllabify: --derive-onsets needs a whole number of at least 1, not 0"},
      {"--vowels {d}/VOWEL.txt --derive-onsets 2x", 2,
       "velmora-syllabify: --derive-onsets needs a whole number of at least 1, not 2x"},
      {common + "--save-onsets {d}/s.txt", 2, "velmora-syllabify: --save-onsets goes with --derive-onsets"},
      {common + "--frobnicate", 2, "velmora-syllabify: unknown option --frobnicate"},
      {common + "a b c", 2, "velmora-syllabify: too many files"},
      {"--build-english a b", 2, "velmora-syllabify: --build-english takes three arguments"},
      {common + "{d}/missing.txt", 3,
       "velmora-syllabify: cannot open {d}/missing.txt for reading: No such file or directory"},
      {"--vowels {d}/empty.txt --onsets {d}/onsets.txt", 3, "velmora-syllabify: {d}/empty.txt lists no vowel"},
      {common + "{d}/in.txt {d}/no/out.txt", 3,
       "velmora-syllabify: cannot open {d}/no/out.txt for writing: No such file or directory"},
      {common + "{d}/in.txt > /dev/full", 3, "velmora-syllabify: cannot write to standard output"},
      {"--build-english {d}/badp.tsv {d}/none.tsv {d}", 3,
       "velmora-syllabify: {d}/badp.tsv: expected key TAB pronunciation, got \"bad line\""},
      {"--build-english {d}/p.tsv {d}/bad.tsv {d}", 3,
       "velmora-syllabify: {d}/bad.tsv: expected word TAB count, got \"bad line\""},
      {"--build-english {d}/p.tsv {d}/counts.tsv {d}", 3,
       "velmora-syllabify: {d}/counts.tsv: expected word TAB count, got \"tab\t5x\""},
      {"--build-english {d}/p.tsv {d}/missing.tsv {d}", 3,
       "velmora-syllabify: cannot open {d}/missing.tsv for reading: No such file or directory"},
      {"--build-english {d}/odd.tsv {d}/none.tsv {d}", 3,
       "velmora-syllabify: the pronunciation of \"odd\" has the unknown symbol DCoda"},
      {"--build-english {d}/p.tsv {d}/none.tsv {d}", 3, "velmora-syllabify: only 0 words qualify, 20000 wanted"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    WriteFile(folder.Path("out.txt"), "an earlier, longer text\n");
    const int status = std::system((std::string(VELMORA_SYLLABIFY_TOOL) + " " + in_folder(c.arguments) +
                                    " 2>" + folder.Path("stderr.txt")).c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.exit);
    const std::string error = ReadFile(folder.Path("stderr.txt"));
    if (c.first_error_line) {
      EXPECT_EQ(error.substr(0, error.find('\n')), in_folder(c.first_error_line));
    }
    if (c.file) {
      EXPECT_EQ(ReadFile(folder.Path(c.file)), c.contents);
    }
  }
}

}  // namespace
}  // namespace velmora::syllabify
