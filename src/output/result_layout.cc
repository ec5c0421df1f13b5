// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/result_layout.h"

#include <charconv>

#include "platform/text.h"

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

void HitRowWriter::Prepare(const Dictionary& dict, int32_t n) {
  entry_ = n;
  const std::string_view spelling = dict.Spellings[n];
  fullHead_.clear();
  fullHead_ += spelling;
  fullHead_ += '\t';
  fullHead_ += Reversed(spelling);
  fullHead_ += '\t';
  fullHead_ += dict.TranscriptionStrings.field(n);
  fullHead_ += '\t';
  fullTail_.clear();
  fullTail_ += '\t';
  AppendNumber(fullTail_, dict.Frequencies[n]);
  fullTail_ += '\t';
  fullTail_ += dict.Annotations[n];
  fullTail_ += "\r\n";
  results_.clear();
  results_ += spelling;
  results_ += '\t';
  results_ += dict.TranscriptionStrings.field(n);
  results_ += '\t';
  results_ += dict.SyllabifiedTranscriptionStrings.field(n);
  results_ += '\t';
  results_ += dict.Annotations[n];
  results_ += '\t';
  results_ += NumericPrintForm(dict.Frequencies[n]);
  results_ += '\t';
  results_ += NumericPrintForm(dict.SixthFieldNumbers[n]);
  results_ += "\r\n";
}

void HitRowWriter::Write(const Dictionary& dict, int32_t n, std::string_view focus, OutputFile& full,
                         OutputFile& results) {
  if (n != entry_) Prepare(dict, n);
  OutputBuffer& f = full.buffer();
  f += fullHead_;
  f += focus;
  f += fullTail_;
  full.Written();
  results.buffer() += results_;
  results.Written();
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

void WriteHitFlags(OutputFile& hits, OutputFile& misses, const std::vector<uint8_t>& flags) {
  for (size_t i = 1; i < flags.size(); ++i) {
    const bool hit = flags[i] == 1;
    hits.buffer().append(hit ? "1\r\n" : "0\r\n", 3);
    misses.buffer().append(hit ? "0\r\n" : "1\r\n", 3);
    hits.Written();
    misses.Written();
  }
}

}  // namespace velmora
