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
  } else if (name == "--export") {
    if (value != "csv" && value != "ipa") return "--export takes csv or ipa, not " + Quoted(value);
    options->exportFormat = value;
  } else if (name == "--data") {
    if (value.empty()) return "--data needs a data set's name or a folder";
    options->data = value;
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
  } else if (name == "--segments" || name == "--syllables" || name == "--neighbours" ||
             name == "--uniqueness-point") {
    std::optional<CountRange> range;
    if (!ParseCountRange(value, &range)) {
      return std::string(name) + " takes MIN-MAX, MIN-, -MAX or N, not " + Quoted(value);
    }
    (name == "--segments"     ? options->segments
     : name == "--syllables"  ? options->syllables
     : name == "--neighbours" ? options->neighbours
                              : options->uniquenessPoint) = range;
  } else if (name == "--stress") {
    std::string pattern;
    if (!ParseStressPattern(value, &pattern)) {
      return "--stress takes the digits 0, 1, 2 and . (any vowel), not " + Quoted(value);
    }
    options->stress = pattern;
  } else if (name == "--words") {
    if (value.empty()) return "--words needs a file name";
    options->words = value;
  } else if (name == "--weight") {
    if (value != "log" && value != "token" && value != "type") {
      return "--weight takes log, token or type, not " + Quoted(value);
    }
    options->stats.weight = value == "log" ? Weight::kLog : value == "token" ? Weight::kToken : Weight::kType;
  } else if (name == "--cohort") {
    std::optional<int32_t> k;
    if (!ParseFrequency(value, &k) || !k || *k < 1) {
      return "--cohort takes a whole number from 1 to 2147483647, not " + Quoted(value);
    }
    options->stats.cohort = *k;
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
  return name == "--folder" || name == "--data" || name == "--input" || name == "--orthography" ||
         name == "--ignore" || name == "--limit" || name == "--answer" || name == "--queries" || name == "--out" ||
         name == "--min-frequency" || name == "--max-frequency" || name == "--segments" || name == "--syllables" ||
         name == "--stress" || name == "--words" || name == "--weight" || name == "--cohort" ||
         name == "--neighbours" || name == "--uniqueness-point" || name == "--export";
}

bool IsStatisticsOption(std::string_view name) {
  return name == "--words" || name == "--weight" || name == "--cohort" || name == "--keep-stress" ||
         name == "--neighbour-lists" || name == "--functional-load" || name == "--minimal-pairs";
}

// --minimal-pairs X Y (or --minimal-pairs=X Y): its two values from args[*i + 1] on.
std::string SetMinimalPairs(const std::vector<std::string>& args, size_t* i, size_t equals, BatchOptions* options) {
  std::vector<std::string> values;
  if (equals != std::string::npos) values.push_back(args[*i].substr(equals + 1));
  while (values.size() < 2 && *i + 1 < args.size()) {
    const std::string& next = args[*i + 1];
    if (next.empty() || next[0] == '-') break;
    values.push_back(next);
    ++*i;
  }
  if (values.size() < 2 || values[0].empty() || values[1].empty()) {
    return "--minimal-pairs takes two segments, X and Y";
  }
  options->minimalPairs.emplace(values[0], values[1]);
  return "";
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
    if (IsStatisticsOption(name) && options->firstStatisticsOption.empty()) options->firstStatisticsOption = name;
    if (name == "--statistics" || name == "--keep-stress" || name == "--neighbour-lists" ||
        name == "--functional-load") {
      if (equals != std::string::npos) return name + " takes no value";
      bool& choice = name == "--statistics"    ? options->statistics
                     : name == "--keep-stress" ? options->stats.keepStress
                     : name == "--functional-load" ? options->functionalLoad
                                                   : options->neighbourLists;
      choice = true;
      continue;
    }
    if (name == "--minimal-pairs") {
      if (std::string error = SetMinimalPairs(args, &i, equals, options); !error.empty()) return error;
      continue;
    }
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

// What is wrong with --statistics and its options, or "".
std::string CheckStatistics(const BatchOptions& o) {
  if (!o.statistics) {
    return o.firstStatisticsOption.empty() ? "" : o.firstStatisticsOption + " is for --statistics";
  }
  if (!o.queries.empty() || !o.out.empty() || o.syllabified || o.vowels || o.exclude || !o.ignore.empty() ||
      o.limit || o.orthography || !o.items.empty() || o.minFrequency || o.maxFrequency || o.segments ||
      o.syllables || o.stress || o.neighbours || o.uniquenessPoint) {
    return "--statistics takes only --folder, --data, --input and the options of the statistics beside it";
  }
  if (o.minimalPairs &&
      KeyOf(o.minimalPairs->first, o.stats.keepStress) == KeyOf(o.minimalPairs->second, o.stats.keepStress)) {
    return "--minimal-pairs takes two different segments, not " + Quoted(o.minimalPairs->first) + " and " +
           Quoted(o.minimalPairs->second);
  }
  return "";
}

// What is wrong with the options read together, or "".
std::string CheckTogether(const BatchOptions& o) {
  if (!o.exportFormat.empty()) {
    const bool other = o.statistics || !o.firstStatisticsOption.empty() || !o.queries.empty() || o.syllabified ||
                       o.vowels || o.exclude || !o.ignore.empty() || o.limit || o.orthography || !o.items.empty() ||
                       o.minFrequency || o.maxFrequency || o.segments || o.syllables || o.stress || o.neighbours ||
                       o.uniquenessPoint;
    return other ? "--export takes only --folder, --data, --input and --out FILE beside it" : "";
  }
  if (o.statistics || !o.firstStatisticsOption.empty()) return CheckStatistics(o);
  if (o.queries.empty() != o.out.empty()) {
    return o.queries.empty() ? "--out is for --queries" : "--queries needs --out DIR";
  }
  if (!o.queries.empty() &&
      (o.data || o.input || o.syllabified || o.vowels || o.exclude || !o.ignore.empty() || o.limit || o.orthography ||
       !o.items.empty() || o.minFrequency || o.maxFrequency || o.segments || o.syllables || o.stress ||
       o.neighbours || o.uniquenessPoint)) {
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
  const char* refused = options->help                   ? "--help"
                        : !options->folder.empty()       ? "--folder"
                        : !options->queries.empty()      ? "--queries"
                        : options->statistics            ? "--statistics"
                        : !options->exportFormat.empty() ? "--export"
                        : !options->firstStatisticsOption.empty() ? options->firstStatisticsOption.c_str()
                                                         : nullptr;
  if (error.empty() && refused != nullptr) error = std::string(refused) + " is not allowed in a query";
  if (error.empty()) error = CheckTogether(*options);
  return UsageError(std::move(error));
}

std::string BatchUsage() {
  return "Usage: velmora-batch [--folder DIR] [--data NAME|DIR] [--input NAME] [--syllabified | --plain]\n"
         "                     [--vowels | --no-vowels] [--exclude | --no-exclude]\n"
         "                     [--ignore N]... [--limit N] [--answer yes|no]\n"
         "                     [--min-frequency N] [--max-frequency N] [--segments MIN-MAX]\n"
         "                     [--syllables MIN-MAX] [--stress PATTERN] [--neighbours MIN-MAX]\n"
         "                     [--uniqueness-point MIN-MAX]\n"
         "                     [--orthography TEXT] [ITEM ...]\n"
         "       velmora-batch --queries FILE --out DIR [--folder DIR] [--answer yes|no]\n"
         "       velmora-batch --statistics [--folder DIR] [--data NAME|DIR] [--input NAME] [--words FILE]\n"
         "                     [--keep-stress]\n"
         "                     [--weight log|token|type] [--cohort K] [--neighbour-lists]\n"
         "                     [--minimal-pairs X Y] [--functional-load]\n"
         "       velmora-batch --export csv|ipa [--folder DIR] [--data NAME|DIR] [--input NAME] [--out FILE]\n"
         "Runs one Velmora search in the program folder and writes the result files there.\n"
         "An option left out keeps the choice saved in UserSettings.txt.\n"
         "\n"
         "  ITEM                an item for Box 1, Box 2, ... (at most five; the other boxes are emptied):\n"
         "                      AY1 (a phoneme), VOWEL (a class), [ or ] (word edges), T|D|NASAL (any of them),\n"
         "                      !NASAL (a segment that is not one), {+voice -sonorant} (by Features.txt),\n"
         "                      LIQUID? CONSONANT* CONSONANT+ (zero or one, any number, one or more),\n"
         "                      ... (any segments); e.g. '[' STOP 'LIQUID?' VOWEL\n"
         "  --folder DIR        the program folder (default: the folder that holds velmora-batch)\n"
         "  --data NAME|DIR     the data set whose key, classes, features and in.txt are used: a bundled one by\n"
         "                      name (en, the default), or a folder; saved for the next search\n"
         "  --input NAME        the input file, in the program folder (in.txt: the data set's dictionary)\n"
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
         "  --neighbours MIN-MAX only words with MIN to MAX neighbours (as --statistics counts them)\n"
         "  --uniqueness-point MIN-MAX only words whose uniqueness point (as --statistics has it) is MIN to MAX\n"
         "                      (filters apply to the orthography search too; an empty value clears one;\n"
         "                      a word a filter leaves out counts as a miss)\n"
         "  --queries FILE      run every non-empty line of FILE as the options and ITEMs of one search\n"
         "                      (split as a shell splits, nothing expanded), over one load of each\n"
         "                      dictionary; each line starts from the saved settings, which are not\n"
         "                      rewritten; the k-th search writes its files into DIR/k\n"
         "  --out DIR           the folder for the searches of --queries\n"
         "  --statistics        write the lexical statistics of every entry to Statistics.txt instead of searching:\n"
         "                      segments, frequency, homophones, neighbours (substitutions, deletions, additions)\n"
         "                      and their frequency, uniqueness point, cohort, rhymes, segment and biphone\n"
         "                      probability (see README.md); every entry counts, whatever the filters\n"
         "  --words FILE        rows for the words of FILE instead: a spelling a line (every entry of it, letter\n"
         "                      case ignored) or SPELLING<TAB>TRANSCRIPTION for a word that need not be listed\n"
         "  --keep-stress       compare symbols with their stress digits (AH0 and AH1 differ)\n"
         "  --weight W          the weight of an entry in the probabilities: log (log10 of frequency + 1, the\n"
         "                      default), token (the frequency) or type (1)\n"
         "  --cohort K          the cohort shares the first K symbols (default 2)\n"
         "  --neighbour-lists   also write every neighbour to Neighbours.txt\n"
         "  --minimal-pairs X Y also write the minimal pairs of X and Y to MinimalPairs.txt\n"
         "  --functional-load   also write the minimal pairs of every pair of segments to FunctionalLoad.txt\n"
         "  --export csv|ipa    write the dictionary to --out FILE (default: Export.csv or Export.txt in the\n"
         "                      program folder) as spelling,transcription,frequency or as word TAB /ipa/\n"
         "  --help              print this help\n"
         "\n"
         "Message boxes go to stderr, one line each; the last line on stdout is the search button's caption.\n"
         "With --queries each caption and message starts with the query's number and \": \"; exit status 0\n"
         "when every query ran, 2 when a line is not a valid query (nothing runs), 3 when any query failed.\n"
         "Exit status: 0 examples found, 1 none found, 2 usage error or refused boxes, 3 the search failed or was "
         "stopped.\n"
         "With --statistics: 0 written, 1 written without the lines of --words that are reported on stderr,\n"
         "2 usage error, 3 a file could not be read or written (no earlier file is touched).\n"
         "With --export: 0 written, 2 usage error, 3 the dictionary could not be read or the file not written.\n";
}

}  // namespace velmora
