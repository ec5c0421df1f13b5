#include "output/result_layout.h"

#include <charconv>

#include "lexicon/text.h"

namespace velmora {

namespace {
void AppendNumber(std::string& out, int32_t value) {
  char digits[16];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}
}  // namespace

std::string NumericPrintForm(int32_t value) {
  std::string s;
  if (value >= 0) s += ' ';
  AppendNumber(s, value);
  s += ' ';
  return s;
}

void AppendFullRow(std::string& out, const Dictionary& dict, int32_t n, std::string_view focus) {
  const std::string& spelling = dict.Spellings[n];
  out += spelling;
  out += '\t';
  out += Reversed(spelling);
  out += '\t';
  out += UnwrappedTranscription(dict.TranscriptionStrings[n]);
  out += '\t';
  out += focus;
  out += '\t';
  AppendNumber(out, dict.Frequencies[n]);
  out += '\t';
  out += dict.Annotations[n];
  out += "\r\n";
}

void AppendResultsRow(std::string& out, const Dictionary& dict, int32_t n) {
  out += dict.Spellings[n];
  out += '\t';
  out += UnwrappedTranscription(dict.TranscriptionStrings[n]);
  out += '\t';
  out += UnwrappedTranscription(dict.SyllabifiedTranscriptionStrings[n]);
  out += '\t';
  out += dict.Annotations[n];
  out += '\t';
  out += NumericPrintForm(dict.Frequencies[n]);
  out += '\t';
  out += NumericPrintForm(dict.SixthFieldNumbers[n]);
  out += "\r\n";
}

void WriteMediumOutput(OutputFile& file, const std::string& display, const HitTable& table) {
  file.WriteLine("Search string was:  " + display);
  file.WriteLine("Focus string\tNumber in corpus\tExamples");
  std::string line;
  for (int32_t k = 1; k <= table.NumberOfFocusStrings; ++k) {
    line.clear();
    line += table.FocusStrings[k];
    line += '\t';
    AppendNumber(line, table.FocusStringCounts[k]);
    line += '\t';
    line += table.FocusStringExamples[k];
    file.WriteLine(line);
  }
}

void WriteHitFlags(OutputFile& hits, OutputFile& misses, const Dictionary& dict) {
  for (int32_t i = 1; i <= dict.NumberOfWords; ++i) {
    const bool hit = dict.HitFlags[i] == 1;
    hits.Write(hit ? "1\r\n" : "0\r\n");
    misses.Write(hit ? "0\r\n" : "1\r\n");
  }
}

}  // namespace velmora
