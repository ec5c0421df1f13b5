// Line-oriented text files as the data set uses them: any of CR LF, lone CR
// or lone LF ends a line on reading, and every line written ends with CR LF.
// Failures are reported through the return value and an error text.
#ifndef VELMORA_SYLLABIFY_TEXT_LINES_H_
#define VELMORA_SYLLABIFY_TEXT_LINES_H_

#include <string>
#include <string_view>
#include <vector>

namespace velmora::syllabify {

// Splits `text` into lines. A final line without a line end is kept; a line
// end at the very end of the text does not add an empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Reads the file at `path` into `lines`. Returns false and sets `error` when
// the file cannot be opened or read. `path` "-" reads standard input.
bool ReadLines(const std::string& path, std::vector<std::string>* lines,
               std::string* error);

// Writes every line followed by CR LF to `path`, replacing the file.
// `path` "-" writes to standard output.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error);

// Removes blanks (spaces) from both ends; TABs stay.
std::string TrimBlanks(std::string_view text);

// A copy of `text` with A-Z turned into a-z.
std::string AsciiLower(std::string_view text);

// Splits a transcription into its segments at blanks; runs of blanks and
// blanks at either end produce no empty segments.
std::vector<std::string> SplitSegments(std::string_view transcription);

// Splits `line` at every TAB.
std::vector<std::string> SplitFields(std::string_view line);

// Joins `parts` with `separator` between neighbours.
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_TEXT_LINES_H_
