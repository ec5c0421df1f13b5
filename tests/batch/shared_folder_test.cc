// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-batch as processes sharing one program folder: two searches at once
// each put their own whole set of files in place (the last to finish wins),
// and a run stopped by SIGINT or SIGTERM leaves no file behind. (Every other
// file fault is tested in-process, over the engine.)
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/fixture_folder.h"
#include "support/temp_dir.h"

extern char** environ;

namespace velmora {
namespace {

const char* const kWritten[] = {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                                "MediumOutput.txt", "Hits.txt", "Misses.txt", "UserSettings.txt"};

// Starts velmora-batch on folder with args, its output thrown away.
pid_t Start(const std::string& folder, std::vector<std::string> args) {
  args.insert(args.begin(), {VELMORA_BATCH_EXE, "--folder", folder, "--input", "big.txt"});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
  pid_t pid = -1;
  EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::string> Written(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const char* name : kWritten) files[name] = ReadFile(folder + "/" + name);
  return files;
}

class SharedFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
    // Each entry a hit of both searches, so that each writes a few megabytes.
    std::string dictionary;
    for (int i = 0; i < 30000; ++i) {
      dictionary += "w" + std::to_string(i) + "\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t" + std::to_string(i) + "\t1\r\n";
    }
    ASSERT_TRUE(WriteFile(dir.Path("big.txt"), dictionary));
  }
  ScopedTempDir dir;
};

// Two searches at once, in some rounds the second stopped by SIGINT or
// SIGTERM: the folder always holds one search's whole set, and nothing else.
TEST_F(SharedFolder, TwoSearchesAtOnceLeaveOneSearchsWholeSetAndAStoppedOneNothing) {
  const std::vector<std::vector<std::string>> searches = {{"AY1"}, {"CONSONANT", "]"}};
  std::vector<std::map<std::string, std::string>> sets;
  for (const auto& search : searches) {
    ASSERT_EQ(Wait(Start(dir.path(), search)), 0);
    sets.push_back(Written(dir.path()));
  }
  ASSERT_NE(sets[0], sets[1]);
  // The settings are saved as each run starts, the results when it ends:
  // each is whole, but they may be of different runs.
  std::set<std::string> settings;
  for (auto& set : sets) settings.insert(set.extract("UserSettings.txt").mapped());
  const std::set<std::string> names = Names(dir.path());
  for (int round = 0; round < 12; ++round) {
    const pid_t first = Start(dir.path(), searches[round % 2]);
    const pid_t second = Start(dir.path(), searches[1 - round % 2]);
    const int stop = round % 3 == 1 ? SIGINT : round % 3 == 2 ? SIGTERM : 0;
    if (stop != 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10 * round));
      ::kill(second, stop);
    }
    EXPECT_EQ(Wait(first), 0);
    EXPECT_TRUE(Wait(second) == 0 || stop != 0);
    auto files = Written(dir.path());
    EXPECT_TRUE(settings.count(files.extract("UserSettings.txt").mapped())) << "round " << round;
    EXPECT_TRUE(files == sets[0] || files == sets[1]) << "round " << round << ": the files mix two searches";
    EXPECT_EQ(Names(dir.path()), names) << "round " << round;
  }
}

}  // namespace
}  // namespace velmora
