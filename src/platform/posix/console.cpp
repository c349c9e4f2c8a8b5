#include "platform/console.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "platform/files.h"
#include "platform/line_reader.h"
#include "platform/visible_text.h"

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

class TerminalConsole : public Console {
 public:
  TerminalConsole() { InstallStopHandlers(); }
  ~TerminalConsole() override { Write("\x1b[0m"); }
  bool Present() const override { return true; }
  void Clear() override { Write("\x1b[0m\x1b[2J\x1b[H"); }
  // Each printed line is erased to its end, so no text of an earlier, longer line survives.
  // Control characters are shown, not obeyed: a file name can't retitle or clear the terminal.
  void Print(std::string_view text) override {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = std::min(text.find('\n', start), text.size());
      out += VisibleText(text.substr(start, end - start)) + "\x1b[K";
      if (end < text.size()) out += '\n';
      start = end + 1;
    }
    Write(out);
  }
  void PrintLine(std::string_view text) override { Print(VisibleText(text) + "\n"); }
  void PrintColouredLine(std::string_view text) override { Write(std::string(text) + "\x1b[K\n"); }
  void SetColour(int foreground, int background) override {
    Write("\x1b[" + std::to_string(AnsiForeground(foreground)) + ";" +
          std::to_string(AnsiBackground(background)) + "m");
  }
  void MoveCursor(int column, int row) override {
    Write("\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H");
  }
  void SetTitle(std::string_view title) override {
    if (isatty(STDOUT_FILENO)) Write("\x1b]0;" + VisibleText(title) + "\x07");
  }
  std::string ReadLine() override { return lines_.ReadLine(); }
  bool InputEnded() const override { return lines_.Ended(); }

 private:
  // Terminal output goes out at once: the menu waits for input after it.
  static void Write(std::string_view text) { (void)WriteStandardOutput(text); }

  // Reads what standard input has; false at its end or after a stop was requested.
  static bool Fill(std::string& piece) {
    char buffer[4096];
    for (;;) {
      if (stopRequested) return false;
      ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
      if (n > 0) {
        piece.assign(buffer, static_cast<std::size_t>(n));
        return true;
      }
      if (n == 0 || errno != EINTR) return false;
    }
  }

  LineReader lines_{Fill};
};

}  // namespace

bool IsTerminal(StandardStream stream) {
  return isatty(stream == StandardStream::kOutput ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

std::unique_ptr<Console> OpenConsole() { return std::make_unique<TerminalConsole>(); }

}  // namespace calvern::platform
