#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace calvern::platform {

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory) {
  // Children that end are reaped by the system: the shell never waits for them.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ignore.sa_flags = SA_NOCLDWAIT;
  sigaction(SIGCHLD, &ignore, nullptr);

  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  }
  pid_t pid = 0;
  int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0;
}

}  // namespace calvern::platform
