#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace calvern::platform {
namespace {

// Children that end are reaped by the system: the shell never waits for the emulator.
void ReapChildrenAutomatically() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ignore.sa_flags = SA_NOCLDWAIT;
  sigaction(SIGCHLD, &ignore, nullptr);
}

// Spawns the program; the pid, or -1 when it could not be started. The program gets the
// default handling of the signals that the menu catches or ignores.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& workingDirectory) {
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
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  int error = posix_spawnp(&pid, program.c_str(), &actions, &attributes, pointers.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

CommandRules NativeCommandRules() { return CommandRules::kPosixShell; }

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory) {
  ReapChildrenAutomatically();
  return Spawn(program, arguments, workingDirectory) != -1;
}

bool RunProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) {
  // While the program has the terminal, Ctrl-C and Ctrl-\ are its keys: the menu ignores
  // them. Children must not be reaped behind our back while we wait for this one.
  struct sigaction ignore = {}, byDefault = {};
  struct sigaction oldInterrupt = {}, oldQuit = {}, oldChild = {};
  ignore.sa_handler = SIG_IGN;
  byDefault.sa_handler = SIG_DFL;
  sigaction(SIGINT, &ignore, &oldInterrupt);
  sigaction(SIGQUIT, &ignore, &oldQuit);
  sigaction(SIGCHLD, &byDefault, &oldChild);
  pid_t pid = Spawn(program, arguments, workingDirectory);

  if (pid != -1) {
    int status = 0;
    // A signal that ends the menu (SIGTERM, SIGHUP) interrupts the wait; the program is still
    // waited for, and the menu ends after it.
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
    }
  }
  // Emulators that ended meanwhile are reaped now; later ones by the system again.
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  sigaction(SIGCHLD, &oldChild, nullptr);
  sigaction(SIGQUIT, &oldQuit, nullptr);
  sigaction(SIGINT, &oldInterrupt, nullptr);
  return pid != -1;
}

std::string FindOnPath(const std::string& name) {
  if (name.empty()) return std::string();
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string directories = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= directories.size()) {
    std::size_t colon = directories.find(':', start);
    if (colon == std::string::npos) colon = directories.size();
    std::string directory = directories.substr(start, colon - start);
    // An empty entry of the PATH means the current directory.
    std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = colon + 1;
  }
  return std::string();
}

std::string DefaultEditor() {
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return FindOnPath("nano").empty() ? "vi" : "nano";
}

}  // namespace calvern::platform
