// Times two commands as whole processes, run by run in pairs, so that both see the same
// moment of a machine whose load changes: each round starts A and B one after the other (the
// order alternates), and the ratio of the pair is taken before the medians.
//   paired_runs ROUNDS COMMAND_A... --versus COMMAND_B...
// Prints the median wall time and CPU time (user + system, the process's own) of each command
// and the median of the per-round wall-time ratios A / B.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct RunTimes {
  double wallMs = 0;
  double cpuMs = 0;
};

// Starts the command with its output thrown away and waits for it; false when it failed.
bool RunOnce(const std::vector<char*>& argv, RunTimes& times) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto end = std::chrono::steady_clock::now();
  times.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  times.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> a;
  std::vector<char*> b;
  std::vector<char*>* current = &a;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--versus") {
      current = &b;
    } else {
      current->push_back(argv[i]);
    }
  }
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 0;
  if (rounds < 1 || a.empty() || b.empty()) {
    std::fprintf(stderr, "usage: paired_runs ROUNDS COMMAND_A... --versus COMMAND_B...\n");
    return 2;
  }
  a.push_back(nullptr);
  b.push_back(nullptr);
  std::vector<double> wallA, wallB, cpuA, cpuB, ratio;
  for (int round = 0; round < rounds; ++round) {
    RunTimes ta, tb;
    const bool aFirst = round % 2 == 0;
    const bool ok = aFirst ? RunOnce(a, ta) && RunOnce(b, tb) : RunOnce(b, tb) && RunOnce(a, ta);
    if (!ok) {
      std::fprintf(stderr, "paired_runs: a command failed in round %d\n", round + 1);
      return 1;
    }
    wallA.push_back(ta.wallMs);
    wallB.push_back(tb.wallMs);
    cpuA.push_back(ta.cpuMs);
    cpuB.push_back(tb.cpuMs);
    ratio.push_back(ta.wallMs / tb.wallMs);
  }
  std::printf("rounds %d\nA wall %.3f ms, cpu %.3f ms\nB wall %.3f ms, cpu %.3f ms\n", rounds,
              Median(wallA), Median(cpuA), Median(wallB), Median(cpuB));
  std::printf("ratio A/B (median of pairs) %.2f\n", Median(ratio));
  return 0;
}
