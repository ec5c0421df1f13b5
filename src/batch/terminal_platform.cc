#include "batch/terminal_platform.h"

namespace velmora {

// The same words as the message of the output layer in Form1; the end-to-end
// test of a read-only result file keeps the two in step.
const char* const kFileInUseMessage =
    "It looks like you have one of the output files already open in some other program. Please close this "
    "application, then click Ok to continue.";

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
