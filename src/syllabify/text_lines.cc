// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/text_lines.h"

#include <sys/stat.h>

#include <cerrno>
#include <iostream>
#include <iterator>

#include "platform/text.h"

namespace velmora::syllabify {

Status ReadText(const std::string& path, std::string* contents) {
  if (path == "-") {
    contents->assign(std::istreambuf_iterator<char>(std::cin),
                     std::istreambuf_iterator<char>());
    if (std::cin.bad()) return Status::Make(Status::kFailed, std::string(), path);
    return Status::Ok();
  }
  return ReadWholeFile(path, contents);
}

Status ReadLines(const std::string& path, std::vector<std::string>* lines) {
  std::string contents;
  const Status read = ReadText(path, &contents);
  if (!read.ok()) return read;
  lines->clear();
  ForEachLine(contents, [&](std::string_view line) { lines->emplace_back(line); });
  return Status::Ok();
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

Status LinesFile::Open(const std::string& path) {
  path_ = path;
  if (path == "-") return Status::Ok();
  if (!IsSpecialFile(path)) return replacing_.Open(path);
  in_place_.open(path, std::ios::binary | std::ios::trunc);
  if (!in_place_) return Status::FromErrno(errno, path);
  return Status::Ok();
}

Status LinesFile::Write(const std::vector<std::string>& lines) {
  const Status failed = Status::Make(Status::kFailed, std::string(), path_);
  if (path_ == "-") return WriteStream(std::cout, lines) ? Status::Ok() : failed;
  if (in_place_.is_open()) return WriteStream(in_place_, lines) ? Status::Ok() : failed;
  for (const std::string& line : lines) replacing_.WriteLine(line);
  return replacing_.Close();
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
