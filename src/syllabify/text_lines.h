// SPDX-License-Identifier: GPL-3.0-or-later
// Line-oriented text files as the data set uses them, over the core's file
// access and line rule (any of CR LF, lone CR or lone LF ends a line; every
// line written ends with CR LF), and the two ways the syllabifier cuts a line:
// into TAB-separated fields and into blank-separated segments.
#ifndef VELMORA_SYLLABIFY_TEXT_LINES_H_
#define VELMORA_SYLLABIFY_TEXT_LINES_H_

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/status.h"

namespace velmora::syllabify {

// Reads the whole file at `path` into `contents`; "-" reads standard input
// (a failure there is kFailed with the path "-").
Status ReadText(const std::string& path, std::string* contents);

// Reads the file at `path` (as ReadText) and splits it into `lines`.
Status ReadLines(const std::string& path, std::vector<std::string>* lines);

// A file of lines, each written followed by CR LF: opened, then written whole.
// "-" is standard output; a device, pipe or link (/dev/stdout) is written in
// place; any other file takes the place of an earlier one only when written
// whole. The two steps fail apart, so that the message can say which.
class LinesFile {
 public:
  Status Open(const std::string& path);
  // Writes the lines and closes the file.
  Status Write(const std::vector<std::string>& lines);

 private:
  std::string path_;
  std::ofstream in_place_;  // a device, pipe or link
  OutputFile replacing_;    // any other file but "-"
};

// Splits a transcription into its segments at blanks; runs of blanks and
// blanks at either end produce no empty segments.
std::vector<std::string> SplitSegments(std::string_view transcription);

// Splits `line` at every TAB.
std::vector<std::string> SplitFields(std::string_view line);

// Joins `parts` with `separator` between neighbours.
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_TEXT_LINES_H_
