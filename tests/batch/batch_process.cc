#include "batch/batch_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

extern char** environ;

namespace velmora {

namespace {
std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}
}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv) {
  ProcessResult result;
  ScopedTempDir capture;
  const std::string outPath = capture.Path("stdout");
  const std::string errPath = capture.Path("stderr");

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // The child inherits a cap on the size of the files it writes, so that a
  // run repeating a message without end stops early.
  rlimit oldLimit{};
  ::getrlimit(RLIMIT_FSIZE, &oldLimit);
  rlimit cap = oldLimit;
  cap.rlim_cur = std::min<rlim_t>(oldLimit.rlim_cur, 1u << 20);
  ::setrlimit(RLIMIT_FSIZE, &cap);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
  ::setrlimit(RLIMIT_FSIZE, &oldLimit);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    ADD_FAILURE() << "cannot start " << argv[0] << ": " << std::strerror(failed);
    return result;
  }
  // A run that waits for a click that never comes would otherwise hang the
  // test (and fill the disk with the same message).
  int wstatus = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (;;) {
    const pid_t done = waitpid(pid, &wstatus, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      waitpid(pid, &wstatus, 0);
      ADD_FAILURE() << argv[0] << " did not end within 60 seconds";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  result.out = Slurp(outPath);
  result.err = Slurp(errPath);
  return result;
}

std::string FindInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::istringstream in(dirs);
  for (std::string dir; std::getline(in, dir, ':');) {
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::string();
}

bool CopyFile(const std::string& from, const std::string& to, unsigned mode) {
  std::error_code ec;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
  return !ec && ::chmod(to.c_str(), mode) == 0;
}

void ChmodTree(const std::string& folder, unsigned dirMode, unsigned fileMode) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec)) {
    ::chmod(entry.path().c_str(), entry.is_directory() ? dirMode : fileMode);
  }
  ::chmod(folder.c_str(), dirMode);
}

}  // namespace velmora
