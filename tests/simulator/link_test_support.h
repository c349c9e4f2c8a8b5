// What the link tests share: the simulated calculator, and a console that reads typed answers
// from a script and keeps everything printed.
#pragma once

#include <deque>
#include <string>

#include "platform/console.h"
#include "simulator/simulated_calculator.h"

namespace calvern_test {

// A console whose user types the scripted lines (then empty ones) and whose screen is a text.
class ScriptedConsole : public calvern::platform::Console {
 public:
  explicit ScriptedConsole(std::deque<std::string> answers = {}) : answers_(std::move(answers)) {}
  bool Present() const override { return true; }
  void Clear() override { text_ += "<clear>\n"; }
  void Print(std::string_view text) override { text_ += text; }
  void SetColour(int, int) override {}
  void MoveCursor(int, int) override {}
  void SetTitle(std::string_view) override {}
  std::string ReadLine() override {
    std::string line;
    if (!answers_.empty()) {
      line = answers_.front();
      answers_.pop_front();
    }
    text_ += line + "\n";
    return line;
  }
  bool InputEnded() const override { return false; }
  const std::string& Text() const { return text_; }

 private:
  std::deque<std::string> answers_;
  std::string text_;
};

}  // namespace calvern_test
