// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh temporary folder that removes itself, and whole-file reading and
// writing by path; a file that cannot be read or written fails the test.
#ifndef VELMORA_TESTS_SUPPORT_TEMP_DIR_H_
#define VELMORA_TESTS_SUPPORT_TEMP_DIR_H_

#include <set>
#include <string>
#include <string_view>

namespace velmora {

class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();  // removes the folder and all it holds
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::string& path() const { return path_; }  // without a trailing "/"
  std::string Path(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

// Creates or replaces the file with exactly these bytes (creating no folders).
bool WriteFile(const std::string& path, std::string_view bytes);
// The whole file; "" when it cannot be read.
std::string ReadFile(const std::string& path);
// The names of what folder holds.
std::set<std::string> Names(const std::string& folder);

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_TEMP_DIR_H_
