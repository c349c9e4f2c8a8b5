// Runs the built calvern binary in slave mode inside a fresh temporary directory and collects
// its exit status, standard error and the files it wrote.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace calvern_test {

namespace fs = std::filesystem;

// The whole content of a file, "" when it cannot be read.
inline std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "calvern-e2e-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  void Write(const std::string& name, const std::string& content) const {
    std::ofstream out(File(name), std::ios::binary);
    out << content;
  }
  std::string Read(const std::string& name) const { return ReadFileBytes(path_ / name); }
  bool Exists(const std::string& name) const { return fs::exists(path_ / name); }

 private:
  fs::path path_;
};

struct RunResult {
  int exitCode = -1;  // as a POSIX parent sees it: the low 8 bits
  // The whole exit code, where the program runs on a system that keeps it (Windows, through
  // the exit-code relay under Wine).
  std::optional<long long> fullExitCode;
  std::string errorOutput;
  std::string output;  // standard output
};

// The program under test: the one built beside the tests, or CALVERN_BINARY_OVERRIDE (the
// Windows calvern.exe, for instance).
inline std::string CalvernBinary() {
  const char* override = std::getenv("CALVERN_BINARY_OVERRIDE");
  return override && *override ? override : CALVERN_BINARY;
}

// The words of CALVERN_RUNNER, a program that runs the one under test ("wine64 relay.exe").
inline std::vector<std::string> RunnerWords() {
  std::vector<std::string> words;
  std::istringstream runner(std::getenv("CALVERN_RUNNER") ? std::getenv("CALVERN_RUNNER") : "");
  for (std::string word; runner >> word;) words.push_back(word);
  return words;
}

// Under a runner (Wine), what the Windows test script must know about a run, printed as a line
// of the test's output: an abnormal end (killed after its time, a Windows exception code, a
// program the runner could not start) fails the whole run and is never run again; a non-zero
// exit whose standard error came back empty is the known loss of a child's standard error on
// its way back through Wine (every non-zero exit of calvern says why on standard error), the
// only failure the script runs once more.
inline void ReportRunnerSymptoms(const RunResult& run) {
  const long long code = run.fullExitCode.value_or(run.exitCode);
  if (run.exitCode < 0 || code >= 0xC0000000LL || code == 125 || code == 126) {
    std::printf("[ ABNORMAL EXIT ] exit code %lld\n", code);
  } else if (code != 0 && run.errorOutput.empty()) {
    std::printf("[ LOST OUTPUT ] exit code %lld with nothing on standard error\n", code);
  }
  std::fflush(stdout);
}

// Runs `command` with the temporary directory as working directory; it may leave the whole
// exit code in the file named by CALVERN_EXIT_CODE_FILE. Standard input is empty (or the file
// `input`), so a requester or prompt that wrongly appears reads a cancel instead of blocking.
// A run that has not ended after 30 seconds is killed: exit code -1.
inline RunResult RunCommandIn(const std::vector<std::string>& words, const TempDir& dir,
                              const std::string& input = "/dev/null") {
  std::string errFile = dir.File(".stderr");
  std::string outFile = dir.File(".stdout");
  std::string exitCodeFile = dir.File(".exit-code");
  std::vector<std::string> command = words;
  std::error_code ignored;
  fs::remove(exitCodeFile, ignored);  // an earlier run's
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(127);
    int nullInput = open(input.c_str(), O_RDONLY);
    if (nullInput < 0 || dup2(nullInput, 0) < 0) _exit(127);
    std::FILE* err = std::freopen(errFile.c_str(), "w", stderr);
    std::FILE* out = std::freopen(outFile.c_str(), "w", stdout);
    if (!err || !out) _exit(127);
    setenv("CALVERN_EXIT_CODE_FILE", exitCodeFile.c_str(), 1);
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  bool ended = false;
  for (int i = 0; i < 3000 && !ended; ++i) {
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) usleep(10000);
  }
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  RunResult result;
  result.exitCode = ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.errorOutput = dir.Read(".stderr");
  result.output = dir.Read(".stdout");
  if (dir.Exists(".exit-code")) result.fullExitCode = std::stoll(dir.Read(".exit-code"));
  return result;
}

// Runs `binary args...`, through the CALVERN_RUNNER when one is set, as RunCommandIn does.
inline RunResult RunProgram(const std::string& binary, const TempDir& dir,
                            const std::vector<std::string>& args,
                            const std::string& input = "/dev/null") {
  std::vector<std::string> command = RunnerWords();
  const bool underRunner = !command.empty();
  command.push_back(binary);
  command.insert(command.end(), args.begin(), args.end());
  RunResult result = RunCommandIn(command, dir, input);
  if (underRunner) ReportRunnerSymptoms(result);
  return result;
}

inline RunResult RunCalvern(const TempDir& dir, const std::vector<std::string>& args,
                            const std::string& input = "/dev/null") {
  return RunProgram(CalvernBinary(), dir, args, input);
}

// Checks a slave-mode result code: whole where the system keeps it, else its low 8 bits.
inline void ExpectResultCode(const RunResult& run, long long code) {
  if (run.fullExitCode) {
    EXPECT_EQ(*run.fullExitCode, code);
  } else {
    EXPECT_EQ(run.exitCode, code & 0xFF);
  }
}

// Writes the info file job.inf, each line ended by CR LF, and runs calvern on it.
inline RunResult RunInfoFile(const TempDir& dir, const std::vector<std::string>& lines) {
  std::string info;
  for (const std::string& line : lines) info += line + "\r\n";
  dir.Write("job.inf", info);
  return RunCalvern(dir, {dir.File("job.inf")});
}

// What slave mode writes to standard error for a failed compilation: the "Compilation" box
// with the three status lines joined by single blanks.
inline std::string CompilationReport(const std::string& statusText) {
  return "Compilation: " + statusText + "\n";
}

// Writes `source` as prog.txt and an info file asking to compile it (with MK files under
// "prog." unless withMk is false), then runs calvern on it.
inline RunResult CompileInSlaveMode(const TempDir& dir, const std::string& source,
                                    bool withMk = true) {
  dir.Write("prog.txt", source);
  std::string info = dir.File("prog.txt") + "\r\n" + dir.File("prog.LST") + "\r\n2\r\n" +
                     (withMk ? dir.File("prog.") : std::string()) + "\r\n\r\nCOM1,255\r\n\r\n";
  dir.Write("job.inf", info);
  return RunCalvern(dir, {dir.File("job.inf")});
}

// The listing split into lines without their CR LF ends.
inline std::vector<std::string> ListingLines(const std::string& listing) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < listing.size()) {
    std::size_t end = listing.find("\r\n", start);
    if (end == std::string::npos) end = listing.size();
    lines.push_back(listing.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace calvern_test
