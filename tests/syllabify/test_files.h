// Files for the tests of velmora-syllabify: a fresh temporary folder, removed
// with its contents at the end of the test, and whole-file reads and writes.
#ifndef VELMORA_TESTS_SYLLABIFY_TEST_FILES_H_
#define VELMORA_TESTS_SYLLABIFY_TEST_FILES_H_

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::syllabify::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "velmora-syllabify-XXXXXX").string();
    path_ = ::mkdtemp(name.data()) ? name : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ostringstream contents;
  contents << std::ifstream(path, std::ios::binary).rdbuf();
  return contents.str();
}

inline void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

}  // namespace velmora::syllabify::testing

#endif  // VELMORA_TESTS_SYLLABIFY_TEST_FILES_H_
