// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/options.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>
#include <utility>

#include "platform/text.h"

namespace velmora {

namespace {

// "-40", "7", "12.5": the forms of a number the example-length box takes.
bool IsDecimalNumber(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const size_t digitsStart = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  bool digits = i > digitsStart;
  if (i < text.size() && text[i] == '.') {
    const size_t fractionStart = ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    digits = digits || i > fractionStart;
  }
  return digits && i == text.size();
}

std::string Quoted(std::string_view text) { return "'" + Echoed(text) + "'"; }

// A switch that sets a yes/no choice.
struct Switch {
  const char* name;
  std::optional<bool> BatchOptions::*choice;
  bool value;
};

constexpr Switch kSwitches[] = {
    {"--syllabified", &BatchOptions::syllabified, true}, {"--plain", &BatchOptions::syllabified, false},
    {"--vowels", &BatchOptions::vowels, true},           {"--no-vowels", &BatchOptions::vowels, false},
    {"--exclude", &BatchOptions::exclude, true},         {"--no-exclude", &BatchOptions::exclude, false},
};

// Sets the option that takes a value. Returns what is wrong when the value
// does not fit it, else "".
std::string SetValueOption(std::string_view name, const std::string& value, BatchOptions* options) {
  if (name == "--folder") {
    if (value.empty()) return "--folder needs a folder name";
    options->folder = value;
  } else if (name == "--queries" || name == "--out") {
    if (value.empty()) {
      return std::string(name) + (name == "--out" ? " needs a folder name" : " needs a file name");
    }
    (name == "--out" ? options->out : options->queries) = value;
  } else if (name == "--input") {
    options->input = value;
  } else if (name == "--orthography") {
    options->orthography = value;
  } else if (name == "--min-frequency" || name == "--max-frequency") {
    std::optional<int32_t> n;
    if (!ParseFrequency(value, &n)) {
      const bool digits = !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
      const char* takes = digits ? " takes a whole number up to 2147483647, not " : " takes a whole number, not ";
      return std::string(name) + takes + Quoted(value);
    }
    (name == "--min-frequency" ? options->minFrequency : options->maxFrequency) = n;
  } else if (name == "--segments" || name == "--syllables") {
    std::optional<CountRange> range;
    if (!ParseCountRange(value, &range)) {
      return std::string(name) + " takes MIN-MAX, MIN-, -MAX or N, not " + Quoted(value);
    }
    (name == "--segments" ? options->segments : options->syllables) = range;
  } else if (name == "--stress") {
    std::string pattern;
    if (!ParseStressPattern(value, &pattern)) {
      return "--stress takes the digits 0, 1, 2 and . (any vowel), not " + Quoted(value);
    }
    options->stress = pattern;
  } else if (name == "--ignore") {
    if (value.size() != 1 || value[0] < '1' || value[0] > '5') {
      return "--ignore takes a box number from 1 to 5, not " + Quoted(value);
    }
    options->ignore.push_back(value[0] - '0');
  } else if (name == "--limit") {
    if (!IsDecimalNumber(value)) return "--limit takes a number of characters, not " + Quoted(value);
    options->limit = value;
  } else {  // --answer
    if (value != "yes" && value != "no") return "--answer takes yes or no, not " + Quoted(value);
    options->answerYes = value == "yes";
    options->answerGiven = true;
  }
  return "";
}

bool TakesValue(std::string_view name) {
  return name == "--folder" || name == "--input" || name == "--orthography" || name == "--ignore" ||
         name == "--limit" || name == "--answer" || name == "--queries" || name == "--out" ||
         name == "--min-frequency" || name == "--max-frequency" || name == "--segments" || name == "--syllables" ||
         name == "--stress";
}

// Reads the arguments into *options; returns what is wrong, or "".
std::string ReadArguments(const std::vector<std::string>& args, BatchOptions* options) {
  *options = BatchOptions();
  bool onlyItems = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !onlyItems && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      if (static_cast<int>(options->items.size()) == kMaxItems) {
        return "there are only five boxes, so " + Quoted(arg) + " is one item too many";
      }
      options->items.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyItems = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      return "";
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (TakesValue(name)) {
      std::string value;
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return name + " needs a value";
      }
      if (std::string error = SetValueOption(name, value, options); !error.empty()) return error;
      continue;
    }
    const auto* s = std::find_if(std::begin(kSwitches), std::end(kSwitches),
                                 [&](const Switch& sw) { return name == sw.name; });
    if (s == std::end(kSwitches)) return "unknown option " + Quoted(arg);
    if (equals != std::string::npos) return name + " takes no value";
    options->*(s->choice) = s->value;
  }
  return "";
}

// What is wrong with the options read together, or "".
std::string CheckTogether(const BatchOptions& o) {
  if (o.queries.empty() != o.out.empty()) {
    return o.queries.empty() ? "--out is for --queries" : "--queries needs --out DIR";
  }
  if (!o.queries.empty() &&
      (o.input || o.syllabified || o.vowels || o.exclude || !o.ignore.empty() || o.limit || o.orthography ||
       !o.items.empty() || o.minFrequency || o.maxFrequency || o.segments || o.syllables || o.stress)) {
    return "--queries takes only --out, --folder and --answer beside it; the searches are in its file";
  }
  if (o.minFrequency && o.maxFrequency && *o.minFrequency && *o.maxFrequency &&
      **o.minFrequency > **o.maxFrequency) {
    return "--min-frequency " + std::to_string(**o.minFrequency) + " is more than --max-frequency " +
           std::to_string(**o.maxFrequency);
  }
  return "";
}

Status UsageError(std::string what) {
  return what.empty() ? Status::Ok() : Status::Malformed("", 0, std::move(what));
}

}  // namespace

Status ParseBatchOptions(const std::vector<std::string>& args, BatchOptions* options) {
  std::string error = ReadArguments(args, options);
  if (error.empty() && !options->help) error = CheckTogether(*options);
  return UsageError(std::move(error));
}

Status ParseQueryLine(std::string_view line, BatchOptions* options) {
  bool closed = true;
  const std::vector<std::string> words = SplitShellWords(line, &closed);
  if (!closed) return UsageError("a quote is never closed");
  std::string error = ReadArguments(words, options);
  const char* refused = options->help              ? "--help"
                        : !options->folder.empty()  ? "--folder"
                        : !options->queries.empty() ? "--queries"
                                                    : nullptr;
  if (error.empty() && refused != nullptr) error = std::string(refused) + " is not allowed in a query";
  if (error.empty()) error = CheckTogether(*options);
  return UsageError(std::move(error));
}

std::string BatchUsage() {
  return "Usage: velmora-batch [--folder DIR] [--input NAME] [--syllabified | --plain]\n"
         "                     [--vowels | --no-vowels] [--exclude | --no-exclude]\n"
         "                     [--ignore N]... [--limit N] [--answer yes|no]\n"
         "                     [--min-frequency N] [--max-frequency N] [--segments MIN-MAX]\n"
         "                     [--syllables MIN-MAX] [--stress PATTERN]\n"
         "                     [--orthography TEXT] [ITEM ...]\n"
         "       velmora-batch --queries FILE --out DIR [--folder DIR] [--answer yes|no]\n"
         "Runs one Velmora search in the program folder and writes the result files there.\n"
         "An option left out keeps the choice saved in UserSettings.txt.\n"
         "\n"
         "  ITEM                an item for Box 1, Box 2, ... (at most five; the other boxes are emptied):\n"
         "                      AY1 (a phoneme), VOWEL (a class), [ or ] (word edges), T|D|NASAL (any of them),\n"
         "                      !NASAL (a segment that is not one), {+voice -sonorant} (by Features.txt),\n"
         "                      LIQUID? CONSONANT* CONSONANT+ (zero or one, any number, one or more),\n"
         "                      ... (any segments); e.g. '[' STOP 'LIQUID?' VOWEL\n"
         "  --folder DIR        the program folder (default: the folder that holds velmora-batch)\n"
         "  --input NAME        the input file, in the program folder\n"
         "  --syllabified       search the syllabified transcriptions\n"
         "  --plain             search the plain transcriptions\n"
         "  --vowels            search vowels only\n"
         "  --no-vowels         search all segments\n"
         "  --exclude           leave out forms with an annotation in the dictionary\n"
         "  --no-exclude        count forms with an annotation too\n"
         "  --ignore N          leave Box N (1-5) out of the sorting; repeat for more boxes; unticks the others\n"
         "  --limit N           example lists in MediumOutput.txt no longer than N characters\n"
         "  --answer yes|no     the answer to every Yes/No caution (default: yes)\n"
         "  --orthography TEXT  search the spellings for TEXT instead of the transcriptions\n"
         "  --min-frequency N   only words whose frequency (field 5) is N or more\n"
         "  --max-frequency N   only words whose frequency (field 5) is N or less\n"
         "  --segments MIN-MAX  only words of MIN to MAX segments (plain transcription; also MIN-, -MAX, N)\n"
         "  --syllables MIN-MAX only words of MIN to MAX vowels (symbols ending in 0, 1 or 2)\n"
         "  --stress PATTERN    only words whose vowels' stress digits read PATTERN (. any vowel): 10, .1\n"
         "                      (filters apply to the orthography search too; an empty value clears one;\n"
         "                      a word a filter leaves out counts as a miss)\n"
         "  --queries FILE      run every non-empty line of FILE as the options and ITEMs of one search\n"
         "                      (split as a shell splits, nothing expanded), over one load of each\n"
         "                      dictionary; each line starts from the saved settings, which are not\n"
         "                      rewritten; the k-th search writes its files into DIR/k\n"
         "  --out DIR           the folder for the searches of --queries\n"
         "  --help              print this help\n"
         "\n"
         "Message boxes go to stderr, one line each; the last line on stdout is the search button's caption.\n"
         "With --queries each caption and message starts with the query's number and \": \"; exit status 0\n"
         "when every query ran, 2 when a line is not a valid query (nothing runs), 3 when any query failed.\n"
         "Exit status: 0 examples found, 1 none found, 2 usage error or refused boxes, 3 the search failed or was "
         "stopped.\n";
}

}  // namespace velmora
