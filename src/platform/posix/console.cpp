#include "platform/console.h"

#include <unistd.h>

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

class TerminalConsole : public Console {
 public:
  bool Present() const override { return true; }
  void Clear() override { std::cout << "\x1b[0m\x1b[2J\x1b[H" << std::flush; }
  void Print(std::string_view text) override { std::cout << text << std::flush; }
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
    if (!std::getline(std::cin, line)) {
      ended_ = true;
      return std::string();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  bool InputEnded() const override { return ended_; }

 private:
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

std::unique_ptr<Console> OpenConsole() { return std::make_unique<TerminalConsole>(); }
std::unique_ptr<Console> NoConsole() { return std::make_unique<AbsentConsole>(); }

}  // namespace calvern::platform
