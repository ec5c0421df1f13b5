// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the fuzz targets: one program folder per process (files
// rewritten for every input, so an input costs a few small writes rather than
// a new folder), a check that aborts with a message libFuzzer shows beside the
// stack, and a count of lines by the line rule of every reader, written
// without the readers' own code.
#ifndef VELMORA_FUZZ_FUZZ_SUPPORT_H_
#define VELMORA_FUZZ_FUZZ_SUPPORT_H_

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::fuzz {

// Stops the run when an invariant does not hold; libFuzzer then saves the input.
#define FUZZ_CHECK(cond)                                                                    \
  do {                                                                                      \
    if (!(cond)) {                                                                          \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

// A temporary program folder, made on first use and removed when the process
// exits normally.
class ProgramFolder {
 public:
  static ProgramFolder& Get() {
    static ProgramFolder* folder = new ProgramFolder();
    return *folder;
  }

  const std::string& path() const { return path_; }
  std::string Path(std::string_view name) const { return path_ + "/" + std::string(name); }

  // Creates or replaces the file with exactly these bytes.
  void Write(std::string_view name, std::string_view bytes) const {
    std::FILE* f = std::fopen(Path(name).c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    if (!bytes.empty()) FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    FUZZ_CHECK(std::fclose(f) == 0);
  }

  std::string Read(std::string_view name) const {
    std::string bytes;
    std::FILE* f = std::fopen(Path(name).c_str(), "rb");
    if (f == nullptr) return bytes;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, got);
    std::fclose(f);
    return bytes;
  }

  void Remove(std::string_view name) const { ::unlink(Path(name).c_str()); }

  // Makes the sub-folder empty (creating it when missing).
  void EmptyFolder(std::string_view name) const {
    std::error_code ec;
    std::filesystem::remove_all(Path(name), ec);
    FUZZ_CHECK(::mkdir(Path(name).c_str(), 0755) == 0);
  }

 private:
  ProgramFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/velmora-fuzz-XXXXXX";
    FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(Get().path_, ec);
    });
  }
  std::string path_;
};

// Number of lines by the rule of the readers: CR LF, a lone CR and a lone LF
// each end one; text after the last line end is one more line.
inline size_t CountLines(std::string_view text) {
  size_t lines = 0;
  bool open = false;  // characters seen since the last line end
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      ++lines;
      open = false;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      open = true;
    }
  }
  return lines + (open ? 1 : 0);
}

// The text with every lone CR written as CR LF: the same lines, whether or
// not a lone LF ends a line.
inline std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out += '\n';
  }
  return out;
}

// The input cut at every separator byte, into at most maxParts parts (the last
// part keeps any further separators).
inline std::vector<std::string_view> SplitInput(std::string_view input, char separator, size_t maxParts) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < maxParts) {
    size_t p = input.find(separator);
    if (p == std::string_view::npos) break;
    parts.push_back(input.substr(0, p));
    input.remove_prefix(p + 1);
  }
  parts.push_back(input);
  return parts;
}

}  // namespace velmora::fuzz

#endif  // VELMORA_FUZZ_FUZZ_SUPPORT_H_
