// velmora-syllabify: fills the syllabified field of a six-field dictionary by
// the Maximal Onset Principle, and builds the bundled English data set.
//
// Exit status: 0 done, 1 wrong usage, 2 a file could not be read or written
// or the sources are unusable.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "lexicon/dictionary.h"
#include "lexicon/text.h"
#include "syllabify/dictionary_file.h"
#include "syllabify/english_build.h"
#include "syllabify/onsets.h"
#include "syllabify/syllabifier.h"
#include "syllabify/text_lines.h"

namespace {

using namespace velmora::syllabify;

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
    "                       files written by data/build/extract.mjs\n";

int Fail(const std::string& message) {
  std::cerr << "velmora-syllabify: " << message << "\n";
  return 2;
}

int Usage(const std::string& message) {
  std::cerr << "velmora-syllabify: " << message << "\n\n" << kUsage;
  return 1;
}

int BuildEnglish(const std::string& pronunciations, const std::string& counts,
                 const std::string& out_dir) {
  std::string error;
  EnglishSources sources;
  if (!ReadEnglishSources(pronunciations, counts, &sources, &error)) return Fail(error);
  EnglishBuildResult result;
  if (!BuildEnglishDataSet(sources, EnglishBuildOptions(), &result, &error)) return Fail(error);
  for (const DataFile& file : result.files) {
    std::filesystem::path path = std::filesystem::path(out_dir) / file.path;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) return Fail("cannot create " + path.parent_path().string() + ": " + ec.message());
    if (!WriteLines(path.string(), file.lines, &error)) return Fail(error);
  }
  for (const std::string& line : result.summary) std::cout << line << "\n";
  std::cout << "wrote " << result.files.size() << " files into " << out_dir << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (!args.empty() && args[0] == "--build-english") {
    if (args.size() != 4) return Usage("--build-english takes three arguments");
    return BuildEnglish(args[1], args[2], args[3]);
  }

  std::string vowels_path, onsets_path, save_onsets_path;
  int derive_min_words = 0;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string* target) {
      if (i + 1 >= args.size()) return false;
      *target = args[++i];
      return true;
    };
    if (arg == "--vowels") {
      if (!value(&vowels_path)) return Usage("--vowels needs a file");
    } else if (arg == "--onsets") {
      if (!value(&onsets_path)) return Usage("--onsets needs a file");
    } else if (arg == "--save-onsets") {
      if (!value(&save_onsets_path)) return Usage("--save-onsets needs a file");
    } else if (arg == "--derive-onsets") {
      std::string number;
      if (!value(&number)) return Usage("--derive-onsets needs a number");
      try {
        size_t used = 0;
        derive_min_words = std::stoi(number, &used);
        if (used != number.size() || derive_min_words < 1) throw std::invalid_argument(number);
      } catch (const std::exception&) {
        return Usage("--derive-onsets needs a whole number of at least 1, not " + number);
      }
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      return Usage("unknown option " + arg);
    } else {
      files.push_back(arg);
    }
  }
  if (vowels_path.empty()) return Usage("--vowels is required");
  if (onsets_path.empty() == (derive_min_words == 0)) {
    return Usage("give either --onsets or --derive-onsets");
  }
  if (!save_onsets_path.empty() && derive_min_words == 0) {
    return Usage("--save-onsets goes with --derive-onsets");
  }
  if (files.size() > 2) return Usage("too many files");
  const std::string input = files.size() > 0 ? files[0] : "-";
  const std::string output = files.size() > 1 ? files[1] : "-";

  std::string error;
  std::vector<std::string> vowel_lines, onset_lines;
  if (!ReadLines(vowels_path, &vowel_lines, &error)) return Fail(error);
  VowelSet vowels(vowel_lines);
  if (vowels.empty()) return Fail(vowels_path + " lists no vowel");
  std::string contents;
  if (!ReadText(input, &contents, &error)) return Fail(error);

  if (derive_min_words > 0) {
    // The words as the program reads the dictionary: lines trimmed of blanks.
    velmora::Dictionary dictionary;
    velmora::ParseDictionary(contents, &dictionary);
    std::vector<std::pair<std::string, std::string>> words;
    for (int32_t n = 1; n <= dictionary.NumberOfWords; ++n) {
      words.emplace_back(dictionary.Spellings[n], dictionary.TranscriptionStrings.field(n));
    }
    for (const ClusterCount& onset :
         ClustersAtLeast(CountInitialClusters(words, vowels), derive_min_words)) {
      onset_lines.push_back(onset.cluster);
    }
    if (!save_onsets_path.empty() && !WriteLines(save_onsets_path, onset_lines, &error)) {
      return Fail(error);
    }
  } else if (!ReadLines(onsets_path, &onset_lines, &error)) {
    return Fail(error);
  }

  const Syllabifier syllabifier(vowels, OnsetSet(onset_lines));
  SyllabifyCounts counts;
  // Every line is kept byte for byte apart from its third field, so the
  // core reader, which trims lines and keeps six fields, is not used here.
  std::vector<std::string> result =
      SyllabifyDictionary(velmora::SplitLines(contents), syllabifier, &counts);
  if (!WriteLines(output, result, &error)) return Fail(error);
  std::cerr << "velmora-syllabify: " << counts.entries << " entries syllabified";
  if (counts.without_vowel > 0) {
    std::cerr << "; " << counts.without_vowel << " without a vowel, left without Coda marks";
  }
  std::cerr << "\n";
  return 0;
}
