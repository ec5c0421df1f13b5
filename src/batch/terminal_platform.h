// The platform layer of velmora-batch: the controls live in the recording
// platform's arrays, and every message box becomes one line on a stream
// (stderr in the tool). Nobody is there to click, so a Yes/No caution gets
// the answer chosen on the command line, and the message that asks the user
// to close a file held by another program ends the run instead of waiting.
#ifndef VELMORA_BATCH_TERMINAL_PLATFORM_H_
#define VELMORA_BATCH_TERMINAL_PLATFORM_H_

#include <ostream>
#include <string>

#include "platform/recording_platform.h"

namespace velmora {

class TerminalPlatform : public RecordingPlatform {
 public:
  // Message texts go to *messages, which must outlive the platform.
  TerminalPlatform(std::ostream& messages, bool answerYes) : out_(messages), answerYes_(answerYes) {}

  // Prints the text as one line. Throws ProgramEnded after the file-in-use
  // message, as EndProgram does.
  void MsgBox(const std::string& text) override;
  // Prints the question as one line and gives the chosen answer.
  bool AskYesNo(const std::string& text) override;

 private:
  void PrintLine(const std::string& text);

  std::ostream& out_;
  const bool answerYes_;
};

}  // namespace velmora

#endif  // VELMORA_BATCH_TERMINAL_PLATFORM_H_
