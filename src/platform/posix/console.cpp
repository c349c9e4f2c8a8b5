#include "platform/console.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>

namespace calvern::platform {
namespace {

// ANSI colour numbers of the three console colours.
int AnsiForeground(int colour) {
  switch (colour) {
    case kBrightWhite:
      return 97;
    case kLightGrey:
      return 37;
    default:
      return 30;
  }
}

int AnsiBackground(int colour) {
  switch (colour) {
    case kBrightWhite:
      return 107;
    case kLightGrey:
      return 47;
    default:
      return 40;
  }
}

// Set by SIGINT, SIGTERM and SIGHUP: the menu ends in order (its settings saved) at the next
// read instead of dying in the middle.
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) { stopRequested = 1; }

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a waiting read returns at once
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

// A typed line keeps at most this many bytes (more than any answer accepted, so that an
// over-long answer is still seen as one); the rest of the line is dropped.
constexpr std::size_t kMaxLineBytes = 8192;
// Input that brings no line end within this many bytes is no typing (a device, a runaway
// stream): it ends the input.
constexpr std::size_t kMaxDroppedBytes = 1 << 20;

class TerminalConsole : public Console {
 public:
  TerminalConsole() { InstallStopHandlers(); }
  ~TerminalConsole() override { std::cout << "\x1b[0m" << std::flush; }
  bool Present() const override { return true; }
  void Clear() override { std::cout << "\x1b[0m\x1b[2J\x1b[H" << std::flush; }
  // Each printed line is erased to its end, so no text of an earlier, longer line survives.
  void Print(std::string_view text) override {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
      if (c == '\n') out += "\x1b[K";
      out += c;
    }
    if (!text.empty() && text.back() != '\n') out += "\x1b[K";
    std::cout << out << std::flush;
  }
  void PrintLine(std::string_view text) override { Print(std::string(text) + "\n"); }
  void SetColour(int foreground, int background) override {
    std::cout << "\x1b[" << AnsiForeground(foreground) << ";" << AnsiBackground(background) << "m";
  }
  void MoveCursor(int column, int row) override {
    std::cout << "\x1b[" << row + 1 << ";" << column + 1 << "H" << std::flush;
  }
  void SetTitle(std::string_view title) override {
    if (isatty(STDOUT_FILENO)) std::cout << "\x1b]0;" << title << "\x07" << std::flush;
  }
  std::string ReadLine() override {
    std::string line;
    std::size_t dropped = 0;
    for (;;) {
      if (next_ == filled_ && !Fill()) {
        // A last line without its line end still counts; the next read ends.
        if (line.empty() && dropped == 0) ended_ = true;
        atEnd_ = true;
        break;
      }
      char c = buffer_[next_++];
      if (c == '\n') break;
      if (line.size() < kMaxLineBytes) {
        line += c;
      } else if (++dropped > kMaxDroppedBytes) {
        ended_ = true;
        return std::string();
      }
    }
    if (ended_) return std::string();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  bool InputEnded() const override { return ended_; }

 private:
  // Reads what standard input has; false at its end or after a stop was requested.
  bool Fill() {
    if (atEnd_) return false;
    for (;;) {
      if (stopRequested) return false;
      ssize_t n = read(STDIN_FILENO, buffer_, sizeof buffer_);
      if (n > 0) {
        next_ = 0;
        filled_ = static_cast<std::size_t>(n);
        return true;
      }
      if (n == 0 || errno != EINTR) return false;
    }
  }

  char buffer_[4096];
  std::size_t next_ = 0, filled_ = 0;
  bool atEnd_ = false;
  bool ended_ = false;
};

class AbsentConsole : public Console {
 public:
  bool Present() const override { return false; }
  void Clear() override {}
  void Print(std::string_view) override {}
  void SetColour(int, int) override {}
  void MoveCursor(int, int) override {}
  void SetTitle(std::string_view) override {}
  std::string ReadLine() override { return std::string(); }
  bool InputEnded() const override { return false; }
};

}  // namespace

bool IsTerminal(StandardStream stream) {
  return isatty(stream == StandardStream::kOutput ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

std::unique_ptr<Console> OpenConsole() { return std::make_unique<TerminalConsole>(); }
std::unique_ptr<Console> NoConsole() { return std::make_unique<AbsentConsole>(); }

}  // namespace calvern::platform
