// Running the built velmora-batch executable from a test: its exit status and
// everything it printed, and a fixture program folder for it to work in.
#ifndef VELMORA_TESTS_BATCH_BATCH_PROCESS_H_
#define VELMORA_TESTS_BATCH_BATCH_PROCESS_H_

#include <string>
#include <vector>

namespace velmora {

struct ProcessResult {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;  // stdout
  std::string err;  // stderr
};

// Runs argv[0] (a path) with the rest as its arguments, stdin empty, and
// waits for it (at most a minute). A program that cannot be started fails the
// test.
ProcessResult RunProcess(const std::vector<std::string>& argv);

// The full path of a program found in PATH; "" when there is none.
std::string FindInPath(const std::string& name);

// Copies a file and gives the copy the mode.
bool CopyFile(const std::string& from, const std::string& to, unsigned mode);

// Sets the mode of the folder, of every folder below it (dirMode) and of
// every file in them (fileMode).
void ChmodTree(const std::string& folder, unsigned dirMode, unsigned fileMode);

}  // namespace velmora

#endif  // VELMORA_TESTS_BATCH_BATCH_PROCESS_H_
