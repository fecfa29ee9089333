// SPDX-License-Identifier: MIT
// The game run again in a process of its own: this very executable, its
// words sent nowhere.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/backend.h"

extern char** environ;

bool RunGameProcess(const std::vector<std::string>& arguments, std::string* why) {
  std::vector<std::string> words = {"twinworlds"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(&files, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, "/proc/self/exe", &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (failed != 0) {
    *why = std::string("the game cannot be started again: ") + std::strerror(failed);
    return false;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) {
      *why = "the game started again cannot be waited for";
      return false;
    }
  if (WIFSIGNALED(status)) {
    *why = std::string("the game started again ended by a signal (") + strsignal(WTERMSIG(status)) + ")";
    return false;
  }
  return true;
}

bool CanRunGameProcess() { return true; }
