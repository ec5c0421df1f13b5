// Line-oriented text files as the data set uses them, over the core's file
// access and line rule (any of CR LF, lone CR or lone LF ends a line; every
// line written ends with CR LF), and the two ways the syllabifier cuts a line:
// into TAB-separated fields and into blank-separated segments.
#ifndef VELMORA_SYLLABIFY_TEXT_LINES_H_
#define VELMORA_SYLLABIFY_TEXT_LINES_H_

#include <string>
#include <string_view>
#include <vector>

namespace velmora::syllabify {

// Reads the whole file at `path` into `contents`; "-" reads standard input.
// Returns false and sets `error` to the message for the user on failure.
bool ReadText(const std::string& path, std::string* contents, std::string* error);

// Reads the file at `path` (as ReadText) and splits it into `lines`.
bool ReadLines(const std::string& path, std::vector<std::string>* lines,
               std::string* error);

// Writes every line followed by CR LF to `path`, which takes the place of an
// earlier file only when written whole; a device, pipe or link (/dev/stdout)
// is written in place. `path` "-" writes to standard output.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error);

// Splits a transcription into its segments at blanks; runs of blanks and
// blanks at either end produce no empty segments.
std::vector<std::string> SplitSegments(std::string_view transcription);

// Splits `line` at every TAB.
std::vector<std::string> SplitFields(std::string_view line);

// Joins `parts` with `separator` between neighbours.
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_TEXT_LINES_H_
