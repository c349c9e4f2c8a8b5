// Drives the interactive program as a person would: calvern runs in a tmux window of 100 x 30
// characters on a private tmux server; keys are typed with send-keys and the screen is read
// back with capture-pane.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "slave_run.h"

namespace calvern_test {

// Single-quotes a text for the shell.
inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string RunCommand(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

class TerminalSession {
 public:
  // Starts `calvern` (with `arguments`) in `dir`.
  TerminalSession(const TempDir& dir, const std::string& arguments = "")
      : dir_(dir),
        socket_("calvern-test-" + std::to_string(getpid()) + "-" + std::to_string(Counter()++)) {
    // The shell around the program writes its exit status to a file when it ends. The program
    // is started by a shell that records its own process id and then becomes the program, so
    // that the program can be found at the end even when the shell around it is gone.
    const std::string program = "echo $$ > " + ShellQuote(dir.File(".program-pid")) + "; exec " +
                                std::string(CALVERN_BINARY) + " " + arguments;
    std::string command =
        "sh -c " + ShellQuote(program) + "; echo $? > " + ShellQuote(dir.File(".exit-status"));
    // The window stays after the program ends, so that its exit status can be read.
    Tmux("-f /dev/null new-session -d -x 100 -y 30 -c " + ShellQuote(dir.path().string()) + " " +
         ShellQuote(command) + " \\; set-option -g remain-on-exit on \\; pipe-pane -o " +
         ShellQuote("cat >> " + ShellQuote(dir.File(".terminal-output"))));
  }
  // A program the test left running is stopped before its terminal goes: a hang-up would end
  // it in order, but LeakSanitizer's exit scan can stall for good once the terminal is gone.
  // It is found by the process id it recorded, not as its shell's child: a shell that ended
  // first would hide it.
  ~TerminalSession() {
    if (dir_.Read(".exit-status").empty()) {
      const int pid = ProgramPid();
      if (pid > 0 && IsCalvern(pid)) kill(pid, SIGKILL);
    }
    Tmux("kill-server");
  }

  // Types a line and presses Enter.
  void TypeLine(const std::string& text) {
    if (!text.empty()) Tmux("send-keys -t 0 -l " + ShellQuote(text));
    Tmux("send-keys -t 0 Enter");
  }

  // Presses one key named as tmux names it ("C-c", "C-d").
  void PressKey(const std::string& key) { Tmux("send-keys -t 0 " + key); }

  // The process id of calvern, as it recorded it when it started.
  int ProgramPid() { return std::atoi(dir_.Read(".program-pid").c_str()); }

  // The screen as shown now, one string per row (trailing blanks removed by tmux).
  std::vector<std::string> Screen() {
    std::string text = Tmux("capture-pane -p -t 0");
    std::vector<std::string> rows;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      rows.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return rows;
  }

  std::string ScreenText() {
    std::string all;
    for (const std::string& row : Screen()) all += row + "\n";
    return all;
  }

  // Waits until the screen shows `text`; false after the time-out.
  bool WaitFor(const std::string& text, int milliseconds = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
      if (ScreenText().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Waits until the screen no longer shows `text`; false after the time-out.
  bool WaitForGone(const std::string& text, int milliseconds = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
      if (ScreenText().find(text) == std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Waits for the program to end and returns its exit status, or -1 after the time-out.
  int WaitForExit(int milliseconds = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
      std::string status = dir_.Read(".exit-status");
      if (!status.empty() && status.back() == '\n') return std::atoi(status.c_str());
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }

 private:
  // Whether the process `pid` still runs this test's calvern (and not a process that has
  // taken over its id).
  static bool IsCalvern(int pid) {
    std::error_code error;
    const auto program =
        std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    return !error && std::filesystem::equivalent(program, CALVERN_BINARY, error) && !error;
  }
  static int& Counter() {
    static int counter = 0;
    return counter;
  }
  std::string Tmux(const std::string& arguments) {
    return RunCommand("tmux -u -L " + socket_ + " " + arguments + " 2>/dev/null");
  }

  const TempDir& dir_;
  std::string socket_;
};

}  // namespace calvern_test
