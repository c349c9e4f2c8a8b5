// The test side of the simulated calculator: it runs on a pseudo-terminal linked as COM3 into
// a temporary directory, which is the current one while a link test runs.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "simulator/hex_bytes.h"

extern char** environ;

namespace calvern_test {

namespace fs = std::filesystem;

// A fresh directory that is the current directory until the object ends.
class CurrentTempDir {
 public:
  CurrentTempDir() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "calvern-link-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    fs::current_path(path_);
  }
  ~CurrentTempDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  fs::path previous_, path_;
};

// The simulated calculator, linked as COM3 in a directory (the current one unless named),
// logging what it receives to "received.log" there.
class SimulatedCalculator {
 public:
  explicit SimulatedCalculator(std::vector<std::string> options = {}, const fs::path& dir = ".")
      : SimulatedCalculator(std::move(options), dir / "COM3", dir / "received.log") {}
  // The calculator behind the link `link` (for the Windows program a Wine prefix's
  // dosdevices/comN), logging to `log`.
  SimulatedCalculator(std::vector<std::string> options, const fs::path& link, const fs::path& log)
      : link_(link), log_(log) {
    std::vector<std::string> args = {SIMULATED_CALCULATOR, "--link", link_.string(), "--log",
                                     log_.string()};
    args.insert(args.end(), options.begin(), options.end());
    std::error_code ignored;
    fs::remove(link_, ignored);  // the link of an earlier calculator
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    // The link appears once the calculator listens.
    for (int i = 0; i < 500 && !fs::is_symlink(link_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~SimulatedCalculator() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove(link_, ignored);
  }
  // The request frames received so far, in hexadecimal, one per line.
  std::vector<std::string> Received() const {
    std::vector<std::string> frames;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) frames.push_back(line);
    return frames;
  }

 private:
  fs::path link_, log_;
  pid_t pid_ = -1;
};

}  // namespace calvern_test
