// What the link tests share: the simulated calculator, a console that reads typed answers from
// a script and keeps everything printed, and the application state the link works on.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "link/link_context.h"
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

// The request frame of a payload, in hexadecimal.
inline std::string RequestFrame(const std::vector<std::uint8_t>& payload, int identifier = 255) {
  calvern::LinkBuffer buffer;
  for (std::size_t i = 0; i < payload.size(); ++i) buffer.Payload(i) = payload[i];
  int size = calvern::BuildRequest(buffer, static_cast<int>(payload.size()), identifier);
  return HexBytes(std::vector<std::uint8_t>(buffer.bytes.begin(), buffer.bytes.begin() + size));
}

// A test in its own current directory, with the settings, status lines and console of the
// application around the link.
class LinkTest : public ::testing::Test {
 protected:
  // The context for a run in which the user types `answers`.
  calvern::LinkContext Context(std::deque<std::string> answers,
                               const calvern::ProgramImage* program = nullptr) {
    console_ = ScriptedConsole(std::move(answers));
    return {console_, messages_, port_, identifier_, linkLine_, status1_, status2_, program};
  }

  CurrentTempDir dir_;
  calvern::MessageTable messages_;
  ScriptedConsole console_;
  std::string port_ = "COM3";
  int identifier_ = 255;
  std::string linkLine_ = " |  Calvern .. not yet connected ..  |*";
  std::string status1_, status2_;
};

}  // namespace calvern_test
