// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-import: makes a data set folder from a lexicon in one of three
// forms (see readers.h).
//
// Exit status: 0 done, 1 written with lines or symbols reported, 2 wrong
// usage, 3 a file could not be read or written, or no line was usable.
#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>
#include <vector>

#include "import/import.h"
#include "platform/files.h"
#include "platform/program_folder.h"

namespace {

using namespace velmora::import;

constexpr char kUsage[] =
    "usage: velmora-import INPUT DIR [--format csv|ipa|cmu] [--inventory FILE | --like NAME]\n"
    "                     [--features FILE]\n"
    "\n"
    "Makes the data set folder DIR (in.txt, AllSegments.txt, LegalOnsets.txt,\n"
    "Features.txt, NaturalClasses/, SyllabifiedNaturalClasses/) from the lexicon\n"
    "INPUT, written whole or not at all.\n"
    "\n"
    "  --format csv        a header naming spelling, transcription and optionally\n"
    "                      frequency; fields separated by , TAB : or |; segments\n"
    "                      by . or blanks, syllables by -, ' or ˈ (ˌ) before a\n"
    "                      syllable for primary (secondary) stress\n"
    "  --format ipa        word TAB /ipa/ lines, pronunciations separated by \", \"\n"
    "  --format cmu        WORD  AH0 B lines, WORD(2) variants, ;;; comments\n"
    "                      (without --format the form is guessed from the input)\n"
    "  --inventory FILE    the symbols IPA text is cut into, one a line\n"
    "  --like NAME         the symbols of the bundled data set NAME\n"
    "  --features FILE     the base feature table (default: IpaFeatures.txt of the\n"
    "                      bundled data, Features.txt for ARPABET)\n"
    "\n"
    "Exit status: 0 done, 1 written with lines or symbols reported, 2 wrong usage,\n"
    "3 a file could not be read or written, or no line was usable.\n";

int Usage(const std::string& message) {
  std::cerr << "velmora-import: " << message << "\n\n" << kUsage;
  return kExitUsage;
}

// The folder of the bundled data: the executable's folder when the data was
// copied beside it (a build tree), else the installed data.
std::string DataFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  std::string folder = ".";
  if (n > 0 && static_cast<size_t>(n) < sizeof buffer) {
    const std::string path(buffer, static_cast<size_t>(n));
    folder = path.substr(0, path.rfind('/'));
  }
  if (velmora::FileExists(folder + "/in.txt")) return folder;
  return velmora::InstalledDataFolder(folder);
}

// Reads the arguments; the usage error, or "" when they are whole.
std::string ParseArguments(const std::vector<std::string>& args, ImportOptions* options) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--format" || arg == "--inventory" || arg == "--like" || arg == "--features") {
      if (i + 1 == args.size()) return arg + " needs a value";
      const std::string& value = args[++i];
      if (arg == "--format") {
        options->format = FormatNamed(value);
        if (!options->format) return "--format takes csv, ipa or cmu, not " + value;
      }
      if (arg == "--inventory") options->inventory = value;
      if (arg == "--like") options->like = value;
      if (arg == "--features") options->features = value;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option " + arg;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return "give the input file and the folder to write";
  if (!options->inventory.empty() && !options->like.empty()) return "give --inventory or --like, not both";
  if (options->like.find('/') != std::string::npos || options->like == "..") return "--like takes the name of a bundled data set";
  options->input = files[0];
  options->dir = files[1];
  while (options->dir.size() > 1 && options->dir.back() == '/') options->dir.pop_back();
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  ImportOptions options;
  if (const std::string error = ParseArguments(args, &options); !error.empty()) return Usage(error);
  options.data_folder = DataFolder();
  return RunImport(options, std::cout, std::cerr);
}
