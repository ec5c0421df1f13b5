// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-batch: one search of the main window's (or a file of them), run
// from a script. See BatchUsage() for the command line.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/messages.h"
#include "batch/batch_run.h"
#include "batch/options.h"
#include "platform/program_folder.h"

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
void EndAtOnce(int status) {
#if defined(__SANITIZE_ADDRESS__)
  (void)status;
#else
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(status);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  velmora::BatchOptions options;
  const velmora::Status usage =
      velmora::ParseBatchOptions(std::vector<std::string>(argv + 1, argv + argc), &options);
  if (!usage.ok()) {
    std::cerr << "velmora-batch: " << velmora::UsageErrorMessage(usage) << "\n";
    return velmora::kExitRefused;
  }
  // The executable's folder, or the user's own folder for an installed copy.
  auto chosenFolder = [] {
    const std::string executable = ExecutableFolder();
    return velmora::ChooseProgramFolder(executable, velmora::InstalledDataFolder(executable),
                                        velmora::ProcessEnvironment());
  };
  if (options.help) {
    std::cout << velmora::BatchUsage();
    if (options.folder.empty()) {
      const velmora::ProgramFolderChoice choice = chosenFolder();
      std::cout << velmora::ProgramFolderLine(choice) << "\n";
      if (!choice.status.ok()) std::cout << velmora::ProgramFolderMessage(choice) << "\n";
    } else {
      std::cout << "Program folder: " << options.folder << " (given by --folder)\n";
    }
    return 0;
  }
  std::string folder = options.folder;
  std::string source;  // where bundled data sets are copied from
  if (folder.empty()) {
    const velmora::ProgramFolderChoice choice = chosenFolder();
    if (!choice.status.ok()) {
      std::cerr << "velmora-batch: " << velmora::ProgramFolderMessage(choice) << "\n";
      return velmora::kExitFailed;
    }
    if (!choice.readOnlyFolder.empty()) {
      std::cerr << "velmora-batch: " << velmora::ProgramFolderFallbackMessage(choice) << "\n";
    }
    folder = choice.folder;
    source = choice.source;
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    std::cerr << "velmora-batch: " << folder << " is not a folder\n";
    return velmora::kExitRefused;
  }
  velmora::BatchSession session(folder == "/" ? "" : folder, std::cout, std::cerr, source);
  const int status = velmora::RunBatch(options, session);
  EndAtOnce(status);
  return status;
}
