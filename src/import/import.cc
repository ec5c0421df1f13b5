// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/import.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <unordered_map>

#include "platform/files.h"
#include "platform/text.h"

namespace velmora::import {
namespace {

constexpr size_t kLinesShown = 3;     // lines named per symbol
constexpr size_t kSymbolsShown = 20;  // symbols named in the message
constexpr char kIpaFeatures[] = "IpaFeatures.txt";
constexpr char kEnglishFeatures[] = "Features.txt";

std::string ReadFailure(const Status& status) {
  return "cannot read " + status.path + ": " + (status.kind == Status::kMalformed
                                                   ? "line " + std::to_string(status.line) + " " + status.detail
                                                   : status.reason);
}

std::string LineList(const std::vector<int>& lines, size_t shown) {
  std::string text = lines.size() == 1 ? "line " : "lines ";
  for (size_t i = 0; i < std::min(shown, lines.size()); ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(lines[i]);
  }
  if (lines.size() > shown) text += " and " + std::to_string(lines.size() - shown) + " more";
  return text;
}

std::string Lines(size_t n) { return std::to_string(n) + (n == 1 ? " line" : " lines"); }

// Whether every segment is an ARPABET symbol: capitals and a stress digit.
bool LooksArpabet(const std::vector<RawEntry>& entries) {
  for (const RawEntry& entry : entries) {
    for (const Token& token : entry.tokens) {
      const std::string_view base = BaseSymbol(token.text);
      if (token.kind != Token::kSegment) continue;
      if (base.empty() || base.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string_view::npos) {
        return false;
      }
    }
  }
  return true;
}

// The symbols of an AllSegments-style file, as their bases.
Status ReadInventory(const std::string& path, std::vector<std::string>* symbols) {
  std::string contents;
  const Status status = ReadWholeFile(path, &contents);
  if (!status.ok()) return status;
  ForEachLine(contents, [&](std::string_view line) {
    const std::string base(BaseSymbol(TrimView(line)));
    if (base.empty() || base == "[" || base == "]") return;
    if (std::find(symbols->begin(), symbols->end(), base) == symbols->end()) symbols->push_back(base);
  });
  return Status::Ok();
}

// The feature table to read before the input: the one given, or IPA's for
// IPA text.
std::string FirstTable(const ImportOptions& options, Format format) {
  if (!options.features.empty()) return options.features;
  if (format == Format::kIpa) return options.data_folder + "/" + kIpaFeatures;
  return "";
}

// One message naming each symbol that cannot be placed, with its first lines.
std::string UnplacedMessage(const std::vector<std::string>& symbols,
                            const std::map<std::string, std::vector<int>>& lines) {
  std::string text = "cannot place " + std::to_string(symbols.size()) +
                     (symbols.size() == 1 ? " symbol" : " symbols") +
                     " (not in the inventory or the feature table; left out of Features.txt and the classes): ";
  for (size_t i = 0; i < std::min(symbols.size(), kSymbolsShown); ++i) {
    if (i > 0) text += ", ";
    text += symbols[i] + " (" + LineList(lines.at(symbols[i]), kLinesShown) + ")";
  }
  if (symbols.size() > kSymbolsShown) text += " and " + std::to_string(symbols.size() - kSymbolsShown) + " more";
  return text;
}

struct Converted {
  std::vector<ImportEntry> entries;
  std::map<std::string, std::vector<int>> lines_of_unplaced;
};

// The entries with their stress digits; unplaced segments with their lines.
Converted Convert(const std::vector<RawEntry>& raw, const BaseFeatures& features) {
  Converted converted;
  std::unordered_map<std::string, bool> vowel;
  const auto is_vowel = [&](std::string_view segment) {
    auto [at, inserted] = vowel.try_emplace(std::string(segment), false);
    if (inserted) at->second = features.IsVowel(segment);
    return at->second;
  };
  converted.entries.reserve(raw.size());
  for (const RawEntry& entry : raw) {
    converted.entries.push_back({entry.spelling, AssignStress(entry.tokens, is_vowel), entry.frequency, entry.line});
    for (const Token& token : entry.tokens) {
      if (!token.unplaced) continue;
      std::vector<int>& lines = converted.lines_of_unplaced[token.text];
      if (lines.empty() || lines.back() != entry.line) lines.push_back(entry.line);
    }
  }
  return converted;
}

}  // namespace

namespace {

struct Run {
  const ImportOptions& options;
  std::ostream& out;
  std::ostream& err;
  int Fail(const std::string& message) {
    err << "velmora-import: " << message << "\n";
    return kExitFile;
  }
};

// The base tables: the one given; else English's for ARPABET, IPA's for
// anything else.
Status ChooseFeatures(const ImportOptions& options, Format format, const std::vector<RawEntry>& raw,
                      BaseFeatures* features) {
  if (!features->empty()) return Status::Ok();
  const bool arpabet = format == Format::kCmu || (format == Format::kCsv && LooksArpabet(raw));
  return features->Add(options.data_folder + "/" + (arpabet ? kEnglishFeatures : kIpaFeatures));
}

// The symbols the IPA text is cut into.
Status ChooseInventory(const ImportOptions& options, const BaseFeatures& features,
                       std::vector<std::string>* symbols) {
  if (!options.inventory.empty()) return ReadInventory(options.inventory, symbols);
  if (!options.like.empty()) return ReadInventory(options.data_folder + "/" + options.like + "/AllSegments.txt", symbols);
  *symbols = features.BaseSymbols();
  return Status::Ok();
}

// Says what was left out or could not be placed; the exit status.
int Report(Format format, const Reading& reading, Converted& converted, const DataSet& set, std::ostream& err) {
  int status = kExitDone;
  const char* form = format == Format::kCsv   ? "spelling and transcription fields"
                     : format == Format::kIpa ? "word TAB /ipa/"
                                              : "WORD  SYMBOLS";
  if (!reading.skipped_lines.empty()) {
    err << "velmora-import: left out " << Lines(reading.skipped_lines.size()) << " not of the form " << form << ": "
        << LineList(reading.skipped_lines, 5) << "\n";
    status = kExitReported;
  }
  if (!reading.frequency_lines.empty()) {
    err << "velmora-import: " << Lines(reading.frequency_lines.size())
        << " with a frequency that is not a number of at least 0, taken as 0: " << LineList(reading.frequency_lines, 5) << "\n";
    status = kExitReported;
  }
  std::map<std::string, std::vector<int>>& lines = converted.lines_of_unplaced;
  std::vector<std::string> unplaced;
  for (const auto& [symbol, where] : lines) unplaced.push_back(symbol);
  std::unordered_map<std::string, std::vector<int>*> unknown;
  for (const std::string& symbol : set.unknown) {
    if (lines.count(symbol) > 0) continue;
    unplaced.push_back(symbol);
    unknown[symbol] = &lines[symbol];
  }
  for (const ImportEntry& entry : converted.entries) {
    for (const std::string& segment : entry.segments) {
      const auto found = unknown.find(segment);
      if (found == unknown.end()) continue;
      std::vector<int>& where = *found->second;
      if (where.empty() || where.back() != entry.line) where.push_back(entry.line);
    }
  }
  if (!unplaced.empty()) {
    err << "velmora-import: " << UnplacedMessage(unplaced, lines) << "\n";
    status = kExitReported;
  }
  return status;
}

}  // namespace

int RunImport(const ImportOptions& options, std::ostream& out, std::ostream& err) {
  Run run{options, out, err};
  std::string contents;
  if (Status status = ReadWholeFile(options.input, &contents); !status.ok()) return run.Fail(ReadFailure(status));
  const std::optional<Format> format = options.format ? options.format : GuessFormat(contents);
  if (!format) {
    err << "velmora-import: cannot tell the form of " << options.input << "; give --format csv|ipa|cmu\n";
    return kExitUsage;
  }
  BaseFeatures features;
  if (const std::string first = FirstTable(options, *format); !first.empty()) {
    if (Status status = features.Add(first); !status.ok()) return run.Fail(ReadFailure(status));
  }
  Reading reading;
  if (*format == Format::kIpa) {
    std::vector<std::string> inventory;
    if (Status status = ChooseInventory(options, features, &inventory); !status.ok()) {
      return run.Fail(ReadFailure(status));
    }
    reading = ReadIpa(contents, Segmenter(inventory));
  } else {
    reading = *format == Format::kCsv ? ReadCsv(contents) : ReadCmu(contents);
  }
  if (!reading.header_found) {
    return run.Fail(options.input + " has no header line naming spelling and transcription; nothing written");
  }
  if (reading.entries.empty()) return run.Fail(options.input + " has no usable line; nothing written");
  if (Status status = ChooseFeatures(options, *format, reading.entries, &features); !status.ok()) {
    return run.Fail(ReadFailure(status));
  }
  Converted converted = Convert(reading.entries, features);
  DataSet set = BuildDataSet(converted.entries, reading.has_frequency, features);
  if (Status status = WriteDataSet(options.dir, set.files); !status.ok()) {
    return run.Fail("cannot write " + status.path + ": " + status.reason + "; nothing written");
  }
  out << "velmora-import: wrote " << options.dir << ": " << converted.entries.size() << " entries, "
      << set.vowels << " vowel and " << set.consonants << " consonant symbols, " << set.classes
      << " natural classes\n";

  return Report(*format, reading, converted, set, err);
}

}  // namespace velmora::import
