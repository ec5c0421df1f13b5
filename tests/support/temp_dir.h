// Test helpers for anything that reads or writes files: a fresh temporary
// folder that removes itself, and whole-file reading and writing by path.
#ifndef VELMORA_TESTS_SUPPORT_TEMP_DIR_H_
#define VELMORA_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>
#include <string_view>

namespace velmora {

// A new, empty folder under the system's temporary folder, removed with all it
// holds when the object goes out of scope.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  // The folder's path, without a trailing "/".
  const std::string& path() const { return path_; }
  // path() + "/" + name.
  std::string Path(std::string_view name) const;

 private:
  std::string path_;
};

// Creates or replaces the file with exactly these bytes (creating no folders).
// False when it cannot be written; the test is then marked as failed.
bool WriteFile(const std::string& path, std::string_view bytes);

// The whole file as bytes; "" when it cannot be read (the test is then marked
// as failed).
std::string ReadFile(const std::string& path);

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_TEMP_DIR_H_
