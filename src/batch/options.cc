#include "batch/options.h"

#include <cctype>
#include <string_view>

#include "lexicon/text.h"

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

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

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

// Sets the option that takes a value. False with *error when the value does
// not fit it.
bool SetValueOption(std::string_view name, const std::string& value, BatchOptions* options, std::string* error) {
  if (name == "--folder") {
    if (value.empty()) {
      *error = "--folder needs a folder name";
      return false;
    }
    options->folder = value;
  } else if (name == "--queries" || name == "--out") {
    if (value.empty()) {
      *error = std::string(name) + (name == "--out" ? " needs a folder name" : " needs a file name");
      return false;
    }
    (name == "--out" ? options->out : options->queries) = value;
  } else if (name == "--input") {
    options->input = value;
  } else if (name == "--orthography") {
    options->orthography = value;
  } else if (name == "--ignore") {
    if (value.size() != 1 || value[0] < '1' || value[0] > '5') {
      *error = "--ignore takes a box number from 1 to 5, not " + Quoted(value);
      return false;
    }
    options->ignore.push_back(value[0] - '0');
  } else if (name == "--limit") {
    if (!IsDecimalNumber(value)) {
      *error = "--limit takes a number of characters, not " + Quoted(value);
      return false;
    }
    options->limit = value;
  } else {  // --answer
    if (value != "yes" && value != "no") {
      *error = "--answer takes yes or no, not " + Quoted(value);
      return false;
    }
    options->answerYes = value == "yes";
    options->answerGiven = true;
  }
  return true;
}

bool TakesValue(std::string_view name) {
  return name == "--folder" || name == "--input" || name == "--orthography" || name == "--ignore" ||
         name == "--limit" || name == "--answer" || name == "--queries" || name == "--out";
}

}  // namespace

bool ParseBatchOptions(const std::vector<std::string>& args, BatchOptions* options, std::string* error) {
  *options = BatchOptions();
  bool onlyItems = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !onlyItems && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      if (static_cast<int>(options->items.size()) == kMaxItems) {
        *error = "there are only five boxes, so " + Quoted(arg) + " is one item too many";
        return false;
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
      return true;
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
        *error = name + " needs a value";
        return false;
      }
      if (!SetValueOption(name, value, options, error)) return false;
      continue;
    }
    bool known = false;
    for (const Switch& s : kSwitches) {
      if (name != s.name) continue;
      if (equals != std::string::npos) {
        *error = name + " takes no value";
        return false;
      }
      options->*(s.choice) = s.value;
      known = true;
    }
    if (!known) {
      *error = "unknown option " + Quoted(arg);
      return false;
    }
  }
  if (options->queries.empty() != options->out.empty()) {
    *error = options->queries.empty() ? "--out is for --queries" : "--queries needs --out DIR";
    return false;
  }
  if (!options->queries.empty()) {
    const BatchOptions& o = *options;
    if (o.input || o.syllabified || o.vowels || o.exclude || !o.ignore.empty() || o.limit || o.orthography ||
        !o.items.empty()) {
      *error = "--queries takes only --out, --folder and --answer beside it; the searches are in its file";
      return false;
    }
  }
  return true;
}

bool ParseQueryLine(std::string_view line, BatchOptions* options, std::string* error) {
  if (!ParseBatchOptions(SplitShellWords(line), options, error)) return false;
  const char* refused = options->help              ? "--help"
                        : !options->folder.empty()  ? "--folder"
                        : !options->queries.empty() ? "--queries"
                                                    : nullptr;
  if (refused != nullptr) {
    *error = std::string(refused) + " is not allowed in a query";
    return false;
  }
  return true;
}

std::string BatchUsage() {
  return "Usage: velmora-batch [--folder DIR] [--input NAME] [--syllabified | --plain]\n"
         "                     [--vowels | --no-vowels] [--exclude | --no-exclude]\n"
         "                     [--ignore N]... [--limit N] [--answer yes|no]\n"
         "                     [--orthography TEXT] [ITEM ...]\n"
         "       velmora-batch --queries FILE --out DIR [--folder DIR] [--answer yes|no]\n"
         "Runs one Velmora search in the program folder and writes the result files there.\n"
         "An option left out keeps the choice saved in UserSettings.txt.\n"
         "\n"
         "  ITEM                a phoneme, class name, [ or ] for Box 1, Box 2, ... (at most five; the other boxes are "
         "emptied)\n"
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
