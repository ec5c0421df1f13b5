#include "syllabify/text_lines.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace velmora::syllabify {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string current;
  bool open = false;  // true when `current` holds a line not yet ended
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
      open = true;
    }
  }
  if (open) lines.push_back(current);
  return lines;
}

bool ReadLines(const std::string& path, std::vector<std::string>* lines,
               std::string* error) {
  std::string contents;
  if (path == "-") {
    contents.assign(std::istreambuf_iterator<char>(std::cin),
                    std::istreambuf_iterator<char>());
    if (std::cin.bad()) {
      *error = "cannot read standard input";
      return false;
    }
  } else {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      *error = "cannot open " + path + " for reading: " + std::strerror(errno);
      return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
      *error = "cannot read " + path;
      return false;
    }
    contents = buffer.str();
  }
  *lines = SplitLines(contents);
  return true;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error) {
  std::string contents;
  for (const std::string& line : lines) {
    contents += line;
    contents += "\r\n";
  }
  if (path == "-") {
    std::cout.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    std::cout.flush();
    if (!std::cout) {
      *error = "cannot write to standard output";
      return false;
    }
    return true;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    *error = "cannot open " + path + " for writing: " + std::strerror(errno);
    return false;
  }
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.close();
  if (!out) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return std::string(text.substr(begin, end - begin));
}

std::string AsciiLower(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
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
