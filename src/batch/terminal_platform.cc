#include "batch/terminal_platform.h"

#include "app/maintainer.h"

namespace velmora {

void TerminalPlatform::PrintLine(const std::string& text) {
  // A line break inside a message (a file name may hold one) would split it
  // over two lines; a script reads one message per line.
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  out_ << line << '\n';
  out_.flush();
}

void TerminalPlatform::MsgBox(const std::string& text) {
  RecordingPlatform::MsgBox(text);
  PrintLine(text);
  if (text == kFileInUseMessage) throw ProgramEnded{};
}

bool TerminalPlatform::AskYesNo(const std::string& text) {
  questions.push_back(text);
  PrintLine(text);
  return answerYes_;
}

}  // namespace velmora
