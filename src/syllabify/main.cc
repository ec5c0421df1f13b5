// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-syllabify: fills the syllabified field of a six-field dictionary by
// the Maximal Onset Principle, and builds the bundled English data set.
//
// Exit status: 0 done, 2 wrong usage, 3 a file could not be read or written
// or the sources are unusable.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "lexicon/dictionary.h"
#include "platform/text.h"
#include "syllabify/dictionary_file.h"
#include "syllabify/english_build.h"
#include "syllabify/messages.h"
#include "syllabify/onsets.h"
#include "syllabify/syllabifier.h"
#include "syllabify/text_lines.h"

namespace {

using namespace velmora::syllabify;
using velmora::Status;

constexpr char kUsage[] =
    "usage: velmora-syllabify --vowels FILE --onsets FILE [INPUT [OUTPUT]]\n"
    "       velmora-syllabify --vowels FILE --derive-onsets N [--save-onsets FILE]\n"
    "                         [INPUT [OUTPUT]]\n"
    "       velmora-syllabify --build-english PRONUNCIATIONS.tsv COUNTS.tsv OUTDIR\n"
    "\n"
    "Reads a dictionary in the six-field format (spelling, plain transcription,\n"
    "syllabified transcription, annotation, frequency, number; TAB-separated)\n"
    "and writes it with the third field filled from the second: every consonant\n"
    "that closes a syllable gets the suffix Coda, by the Maximal Onset Principle.\n"
    "INPUT and OUTPUT default to standard input and output (\"-\").\n"
    "\n"
    "  --vowels FILE        the vowel symbols, one per line (a class file such as\n"
    "                       NaturalClasses/VOWEL.txt serves); a listed vowel also\n"
    "                       covers itself followed by stress digits\n"
    "  --onsets FILE        the legal onsets, one per line, symbols separated by\n"
    "                       blanks (\"S T R\")\n"
    "  --derive-onsets N    take as legal onsets the consonant clusters that begin\n"
    "                       at least N distinct words of INPUT\n"
    "  --save-onsets FILE   write the derived onsets to FILE\n"
    "  --build-english      build the bundled English data set into OUTDIR from the\n"
    "                       files written by data/build/extract.mjs\n"
    "\n"
    "Exit status: 0 done, 2 wrong usage, 3 a file could not be read or written or\n"
    "the sources are unusable.\n";

int Fail(const std::string& message) {
  std::cerr << "velmora-syllabify: " << message << "\n";
  return 3;
}

int Usage(const std::string& message) {
  std::cerr << "velmora-syllabify: " << message << "\n\n" << kUsage;
  return 2;
}

// Writes `lines` to `path`; on failure says why and returns the exit status.
int WriteOrFail(const std::string& path, const std::vector<std::string>& lines) {
  LinesFile file;
  Status status = file.Open(path);
  if (!status.ok()) return Fail(OpenForWritingMessage(status));
  status = file.Write(lines);
  if (!status.ok()) return Fail(WriteMessage(status));
  return 0;
}

int BuildEnglish(const std::string& pronunciations, const std::string& counts,
                 const std::string& out_dir) {
  EnglishSources sources;
  Status status = ReadPronunciations(pronunciations, &sources);
  if (!status.ok()) return Fail(SourceMessage(Source::kPronunciations, status));
  status = ReadCounts(counts, &sources);
  if (!status.ok()) return Fail(SourceMessage(Source::kCounts, status));
  const EnglishBuildOptions options;
  EnglishBuildResult result;
  status = BuildEnglishDataSet(sources, options, &result);
  if (!status.ok()) return Fail(BuildMessage(status, result, options));
  for (const DataFile& file : result.files) {
    std::filesystem::path path = std::filesystem::path(out_dir) / file.path;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) return Fail(FolderMessage(Status::FromErrno(ec.value(), path.parent_path().string())));
    if (const int exit_status = WriteOrFail(path.string(), file.lines)) return exit_status;
  }
  for (const std::string& line : result.summary) std::cout << line << "\n";
  std::cout << "wrote " << result.files.size() << " files into " << out_dir << "\n";
  return 0;
}

struct Options {
  std::string vowels_path, onsets_path, save_onsets_path;
  int derive_min_words = 0;  // 0: the onsets are read from onsets_path
  std::string input = "-", output = "-";
};

// Reads the arguments of a syllabification into `options`. Returns the usage
// error, or "" when they are whole.
std::string ParseOptions(const std::vector<std::string>& args, Options* options) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--vowels" || arg == "--onsets" || arg == "--save-onsets") {
      if (!has_value) return arg + " needs a file";
      std::string* file = &options->save_onsets_path;
      if (arg == "--vowels") file = &options->vowels_path;
      if (arg == "--onsets") file = &options->onsets_path;
      *file = args[++i];
    } else if (arg == "--derive-onsets") {
      if (!has_value) return "--derive-onsets needs a number";
      const std::string& number = args[++i];
      size_t used = 0;
      try {
        options->derive_min_words = std::stoi(number, &used);
      } catch (const std::exception&) {
        used = 0;
      }
      if (used == 0 || used != number.size() || options->derive_min_words < 1) {
        return "--derive-onsets needs a whole number of at least 1, not " + number;
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      return "unknown option " + arg;
    } else {
      files.push_back(arg);
    }
  }
  if (options->vowels_path.empty()) return "--vowels is required";
  if (options->onsets_path.empty() == (options->derive_min_words == 0)) {
    return "give either --onsets or --derive-onsets";
  }
  if (!options->save_onsets_path.empty() && options->derive_min_words == 0) {
    return "--save-onsets goes with --derive-onsets";
  }
  if (files.size() > 2) return "too many files";
  if (files.size() > 0) options->input = files[0];
  if (files.size() > 1) options->output = files[1];
  return "";
}

// The onsets that the clusters beginning at least `min_words` words of the
// dictionary `contents` make legal. The words are those the program reads:
// lines trimmed of blanks.
std::vector<std::string> DeriveOnsets(const std::string& contents, const VowelSet& vowels,
                                      int min_words) {
  velmora::Dictionary dictionary;
  velmora::ParseDictionary(contents, &dictionary);
  std::vector<std::pair<std::string, std::string>> words;
  for (int32_t n = 1; n <= dictionary.NumberOfWords; ++n) {
    words.emplace_back(dictionary.Spellings[n], dictionary.TranscriptionStrings.field(n));
  }
  std::vector<std::string> onsets;
  for (const ClusterCount& onset : ClustersAtLeast(CountInitialClusters(words, vowels), min_words)) {
    onsets.push_back(onset.cluster);
  }
  return onsets;
}

int SyllabifyFile(const Options& options) {
  std::vector<std::string> vowel_lines, onset_lines;
  Status status = ReadLines(options.vowels_path, &vowel_lines);
  if (!status.ok()) return Fail(ReadMessage(status));
  VowelSet vowels(vowel_lines);
  if (vowels.empty()) return Fail(NoVowelMessage(options.vowels_path));
  std::string contents;
  status = ReadText(options.input, &contents);
  if (!status.ok()) return Fail(ReadMessage(status));
  if (options.derive_min_words > 0) {
    onset_lines = DeriveOnsets(contents, vowels, options.derive_min_words);
    if (!options.save_onsets_path.empty()) {
      if (const int exit_status = WriteOrFail(options.save_onsets_path, onset_lines)) return exit_status;
    }
  } else if (status = ReadLines(options.onsets_path, &onset_lines); !status.ok()) {
    return Fail(ReadMessage(status));
  }

  const Syllabifier syllabifier(vowels, OnsetSet(onset_lines));
  SyllabifyCounts counts;
  // Every line is kept byte for byte apart from its third field, so the
  // core reader, which trims lines and keeps six fields, is not used here.
  std::vector<std::string> result =
      SyllabifyDictionary(velmora::SplitLines(contents), syllabifier, &counts);
  if (const int exit_status = WriteOrFail(options.output, result)) return exit_status;
  std::cerr << "velmora-syllabify: " << counts.entries << " entries syllabified";
  if (counts.without_vowel > 0) {
    std::cerr << "; " << counts.without_vowel << " without a vowel, left without Coda marks";
  }
  std::cerr << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (!args.empty() && args[0] == "--build-english") {
    if (args.size() != 4) return Usage("--build-english takes three arguments");
    return BuildEnglish(args[1], args[2], args[3]);
  }
  Options options;
  const std::string usage_error = ParseOptions(args, &options);
  if (!usage_error.empty()) return Usage(usage_error);
  return SyllabifyFile(options);
}
