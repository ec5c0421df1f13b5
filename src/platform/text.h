// SPDX-License-Identifier: GPL-3.0-or-later
// Text helpers shared by every reader and writer: the four text functions that
// cut a dictionary line into fields, trimming, the numeric value of a text,
// UTF-8 character counting, and letter-case folding.
//
// Texts are UTF-8 byte strings, handled as bytes and never transcoded. A
// "character" is one UTF-8 character; a byte that does not begin a valid UTF-8
// sequence counts as one character on its own.
#ifndef VELMORA_PLATFORM_TEXT_H_
#define VELMORA_PLATFORM_TEXT_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Removes leading and trailing spaces only; TABs and other characters stay.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// The numeric value of a text: the leading decimal number (optional sign,
// digits, optional fraction), spaces skipped wherever they stand, reading
// stopping at the first character that cannot continue the number, 0 when
// there is none; rounded to the nearest whole number with halves to the even
// neighbour, and saturated to the 32-bit signed range.
int32_t NumericValue(std::string_view text);

// Length in bytes of the character that starts at text[pos] (1 for a byte that
// does not begin a valid UTF-8 sequence). REQUIRES: pos < text.size().
size_t CharLengthAt(std::string_view text, size_t pos);
// Number of characters.
size_t CharCount(std::string_view text);

// A hash of the bytes for the program's open-addressing tables: FNV-1a, then a
// final mix, so that the low bits alone pick a slot well.
uint64_t HashBytes(std::string_view text);
// The characters in reverse order (each multi-byte character kept intact).
std::string Reversed(std::string_view text);
// The text without its last n characters ("" when it has fewer).
std::string DropLastChars(std::string_view text, size_t n);
// The last n characters (the whole text when it has fewer).
std::string_view LastChars(std::string_view text, size_t n);

// Lower case: ASCII A-Z folded directly; other valid characters through
// Unicode's simple lower-case mapping; invalid bytes unchanged.
std::string Lower(std::string_view text);

// Splits text into words as a POSIX shell does, expanding nothing: blanks,
// TABs and line feeds separate words; a word that begins with # starts a
// comment to the end of the line; single quotes keep everything up to the
// next single quote; double quotes keep everything up to the next double
// quote, a backslash there escaping only $, `, ", \ and a line feed; a
// backslash elsewhere keeps the next character; a backslash before a line
// feed joins the two lines. Quotes alone make a word, even an empty one.
// A quote that is never closed runs to the end, and *closed (when given) is
// then false.
std::vector<std::string> SplitShellWords(std::string_view text, bool* closed = nullptr);

// The text as a message echoes what the user gave: a byte that is not a
// printable character (a control character, NUL, invalid UTF-8) as \xNN, and
// only the first 80 characters, then "...". Valid printable UTF-8 stays as
// it is.
std::string Echoed(std::string_view text);

// Splits file contents into lines. CR LF, a lone CR and a lone LF each end a
// line; a last line without a line end is a line; a line end at the very end
// does not start another line.
std::vector<std::string_view> SplitLines(std::string_view contents);

// Calls fn(line) for each line, by the rule of SplitLines, without building a vector.
template <typename Fn>
void ForEachLine(std::string_view contents, Fn&& fn) {
  size_t start = 0;
  const size_t n = contents.size();
  size_t nextCr = contents.find('\r');
  size_t nextLf = contents.find('\n');
  while (start < n) {
    if (nextCr < start) nextCr = contents.find('\r', start);
    if (nextLf < start) nextLf = contents.find('\n', start);
    size_t end = std::min(std::min(nextCr, nextLf), n);
    fn(contents.substr(start, end - start));
    if (end < n && contents[end] == '\r' && end + 1 < n && contents[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

}  // namespace velmora

#endif  // VELMORA_PLATFORM_TEXT_H_
