// velmora-batch: one search of the main window's, run from a script on the
// terminal platform. See BatchUsage() for the command line.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "batch/options.h"

namespace {

// The folder that holds this executable; "." when the system cannot say.
std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return ".";
  std::string path(buffer, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == 0 ? "/" : slash == std::string::npos ? "." : path.substr(0, slash);
}

// Ends the process once the run is done: the system takes the memory back
// whole, which is quicker than freeing the dictionary and the tables piece by
// piece. A build with the leak checker frees everything, so that it can look.
#if defined(__SANITIZE_ADDRESS__)
constexpr void (*EndAtOnce)(int) = nullptr;
#else
void EndAtOnce(int status) {
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(status);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  velmora::BatchOptions options;
  std::string error;
  if (!velmora::ParseBatchOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
    std::cerr << "velmora-batch: " << error << " (see velmora-batch --help)\n";
    return velmora::kExitRefused;
  }
  if (options.help) {
    std::cout << velmora::BatchUsage();
    return 0;
  }
  std::string folder = options.folder.empty() ? ExecutableFolder() : options.folder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    std::cerr << "velmora-batch: " << folder << " is not a folder\n";
    return velmora::kExitRefused;
  }
  return velmora::RunBatch(options, folder == "/" ? "" : folder, std::cout, std::cerr, EndAtOnce);
}
