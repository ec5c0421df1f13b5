#include "syllabify/text_lines.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "lexicon/text.h"
#include "platform/files.h"

namespace velmora::syllabify {

bool ReadText(const std::string& path, std::string* contents, std::string* error) {
  if (path == "-") {
    contents->assign(std::istreambuf_iterator<char>(std::cin),
                     std::istreambuf_iterator<char>());
    if (std::cin.bad()) {
      *error = "cannot read standard input";
      return false;
    }
    return true;
  }
  if (Status read = ReadWholeFile(path, contents); !read.ok()) {
    *error = "cannot open " + path + " for reading: " + read.reason;
    return false;
  }
  return true;
}

bool ReadLines(const std::string& path, std::vector<std::string>* lines,
               std::string* error) {
  std::string contents;
  if (!ReadText(path, &contents, error)) return false;
  lines->clear();
  ForEachLine(contents, [&](std::string_view line) { lines->emplace_back(line); });
  return true;
}

namespace {

// True for a path that names something other than a plain file: a device, a
// pipe, or a link (say /dev/stdout). Replacing it by a new file would cut the
// link or take the device's name, so it is written in place.
bool IsSpecialFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

bool WriteStream(std::ostream& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write("\r\n", 2);
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

bool WriteLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error) {
  if (path == "-") {
    if (!WriteStream(std::cout, lines)) {
      *error = "cannot write to standard output";
      return false;
    }
    return true;
  }
  if (IsSpecialFile(path)) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
      *error = "cannot open " + path + " for writing: " + std::strerror(errno);
      return false;
    }
    if (!WriteStream(out, lines)) {
      *error = "cannot write " + path;
      return false;
    }
    return true;
  }
  OutputFile out;
  const Status opened = out.Open(path);
  if (!opened.ok()) {
    *error = "cannot open " + path + " for writing: " + opened.reason;
    return false;
  }
  for (const std::string& line : lines) out.WriteLine(line);
  if (!out.Close().ok()) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

std::vector<std::string> SplitSegments(std::string_view transcription) {
  std::vector<std::string> segments;
  size_t i = 0;
  while (i < transcription.size()) {
    while (i < transcription.size() && transcription[i] == ' ') ++i;
    size_t start = i;
    while (i < transcription.size() && transcription[i] != ' ') ++i;
    if (i > start) segments.emplace_back(transcription.substr(start, i - start));
  }
  return segments;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.emplace_back(line.substr(start));
      return fields;
    }
    fields.emplace_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string joined;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += separator;
    joined += parts[i];
  }
  return joined;
}

}  // namespace velmora::syllabify
