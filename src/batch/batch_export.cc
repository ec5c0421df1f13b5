// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_export.h"

#include "app/messages.h"
#include "batch/batch_run.h"
#include "lexicon/lexicon.h"
#include "platform/files.h"
#include "platform/text.h"

namespace velmora {

namespace {

constexpr std::string_view kCoda = "Coda";

std::vector<std::string_view> Segments(std::string_view text) {
  std::vector<std::string_view> segments;
  for (size_t i = 0; i < text.size();) {
    const size_t end = std::min(text.find(' ', i), text.size());
    if (end > i) segments.push_back(text.substr(i, end - i));
    i = end + 1;
  }
  return segments;
}

char StressDigit(std::string_view segment) {
  const char last = segment.size() > 1 ? segment.back() : '\0';
  return last >= '0' && last <= '2' ? last : '\0';
}

// Where the syllable of the vowel at `vowel` begins.
size_t SyllableStart(const std::vector<std::string_view>& plain, const std::vector<std::string_view>& syllabified,
                     size_t vowel) {
  const bool marked = syllabified.size() == plain.size();
  size_t start = vowel;
  while (start > 0 && StressDigit(plain[start - 1]) == '\0') {
    if (marked && syllabified[start - 1].ends_with(kCoda)) break;
    --start;
  }
  if (marked || start == 0 || start == vowel) return start;
  return vowel - 1;  // not the first vowel: one consonant before it opens its syllable
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"") == std::string_view::npos) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + '"';
}

std::string ToIpa(std::string_view transcription, std::string_view syllabified,
                  const std::unordered_map<std::string, std::string>& ipa) {
  const std::vector<std::string_view> plain = Segments(transcription);
  const std::vector<std::string_view> marked = Segments(syllabified);
  std::vector<char> mark_before(plain.size() + 1, '\0');
  for (size_t i = 0; i < plain.size(); ++i) {
    const char digit = StressDigit(plain[i]);
    if (digit == '1' || digit == '2') mark_before[SyllableStart(plain, marked, i)] = digit;
  }
  std::string text;
  for (size_t i = 0; i < plain.size(); ++i) {
    if (mark_before[i] != '\0') text += mark_before[i] == '1' ? "ˈ" : "ˌ";
    const auto found = ipa.find(std::string(plain[i]));
    if (found != ipa.end()) {
      text += found->second;
    } else {
      text += StressDigit(plain[i]) != '\0' ? plain[i].substr(0, plain[i].size() - 1) : plain[i];
    }
  }
  return text;
}

std::unordered_map<std::string, std::string> ReadArpabetToIpa(std::string_view contents) {
  std::unordered_map<std::string, std::string> table;
  ForEachLine(contents, [&](std::string_view line) {
    if (line.empty() || line.front() == '#') return;
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return;
    const std::string_view arpabet = TrimView(line.substr(0, tab));
    const std::string_view ipa = TrimView(line.substr(tab + 1));
    if (!arpabet.empty() && !ipa.empty()) table.emplace(arpabet, ipa);
  });
  return table;
}

int RunExport(const BatchOptions& options, BatchSession& session) {
  std::string input;
  BatchSession::DataSet* set = nullptr;
  Lexicon lexicon;
  if (const int failed = session.ReadDictionary(options, &lexicon, &set, &input)) return failed;
  const bool csv = options.exportFormat == "csv";
  std::unordered_map<std::string, std::string> ipa;
  if (!csv) {
    std::string table;  // a set without the table is written in its own symbols
    if (ReadWholeFile(session.folder() + "/ArpabetToIpa.txt", &table).ok()) ipa = ReadArpabetToIpa(table);
  }
  const std::string path =
      !options.out.empty() ? options.out : session.folder() + "/" + (csv ? "Export.csv" : "Export.txt");
  OutputFile file;
  Status status = file.Open(path);
  const Dictionary& d = lexicon.dictionary();
  if (status.ok()) {
    if (csv) file.WriteLine("spelling,transcription,frequency");
    OutputBuffer& out = file.buffer();
    for (int32_t n = 1; n <= d.NumberOfWords; ++n) {
      const std::string_view plain = d.TranscriptionStrings.field(n);
      if (csv) {
        std::string joined(plain);
        for (char& c : joined) c = c == ' ' ? '.' : c;
        out += CsvField(d.Spellings[n]) + ',' + CsvField(joined) + ',' + std::to_string(d.Frequencies[n]) + "\r\n";
      } else {
        out.append(d.Spellings[n]).append("\t/");
        out += ToIpa(plain, d.SyllabifiedTranscriptionStrings.field(n), ipa) + "/\r\n";
      }
      file.Written();
    }
    status = file.Close();
  }
  if (!status.ok()) {
    session.Message(status.kind == Status::kInUse ? kFileInUseMessage : GeneralFileErrorMessage(status));
    return kExitFailed;
  }
  session.out() << "Export of " << d.NumberOfWords << " entries of " << input << " written to " << path << ".\n";
  return kExitHits;
}

}  // namespace velmora
