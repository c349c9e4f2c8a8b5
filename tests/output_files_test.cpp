// End-to-end: where the outputs of a compilation go. Symbolic links are followed and kept,
// what is no regular file is refused with its reason, "-" is standard output, and a
// compilation ended by a signal leaves no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "slave_run.h"

namespace calvern_test {
namespace {

constexpr const char* kSource = "#reg 20 TOTAL\r\nstart: @TOTAL GOTO start\r\n";
const std::string kHint = "Run 'calvern --help' for usage.\n";

// A directory with ok.txt and the things an output path may meet: a link to a listing, a link
// to a file still to come, a directory and a link to it, a FIFO, links in a circle.
void PrepareOutputPlaces(const TempDir& dir) {
  dir.Write("ok.txt", kSource);
  dir.Write("real.LST", "old");
  fs::create_symlink("real.LST", dir.path() / "out");
  fs::create_symlink("sub/new.LST", dir.path() / "dangling");
  fs::create_directory(dir.path() / "sub");
  fs::create_symlink("sub", dir.path() / "todir");
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  fs::create_symlink("loop2", dir.path() / "loop1");
  fs::create_symlink("loop1", dir.path() / "loop2");
  dir.Write("real.MKP", "old");
  fs::create_symlink(dir.File("real.MKP"), dir.path() / "ok.MKP");
}

struct PathCase {
  std::vector<std::string> args;
  int exitCode;
  std::string errorOutput;
  std::string written;  // the file that must hold the listing afterwards ("" for none)
};

TEST(OutputFiles, LinksAreFollowedAndWhatIsNoFileIsRefusedWithItsReason) {
  const std::string notRegular =
      ": it is not a regular file (a device, a pipe or a socket); \"-\" writes to standard "
      "output\n";
  const std::vector<PathCase> cases = {
      {{"ok.txt", "-o", "out"}, 0, "", "real.LST"},
      {{"ok.txt", "-o", "dangling"}, 0, "", "sub/new.LST"},
      {{"ok.txt", "-o", "sub"},
       3,
       "calvern: cannot write the listing sub: it is a directory\n",
       ""},
      {{"ok.txt", "-o", "todir"},
       3,
       "calvern: cannot write the listing todir: it is a directory\n",
       ""},
      {{"ok.txt", "-o", "pipe"}, 3, "calvern: cannot write the listing pipe" + notRegular, ""},
      {{"ok.txt", "--symbols", "pipe"},
       3,
       "calvern: cannot write the symbol file pipe" + notRegular,
       "ok.LST"},
      {{"ok.txt", "-o", "loop1"},
       3,
       "calvern: cannot write the listing loop1: too many symbolic links, or links in a circle\n",
       ""},
      {{"ok.txt", "-o", "nodir/x.LST"},
       3,
       "calvern: cannot write the listing nodir/x.LST: its directory does not exist\n",
       ""},
      {{"pipe"},
       3,
       "calvern: cannot read the source pipe: it is not a regular file (a device, a pipe or a "
       "socket)\n",
       ""},
      {{"sub"}, 3, "calvern: cannot read the source sub: it is a directory\n", ""},
      {{"ok.txt", "--mk-base", "/"},
       2,
       "calvern: the MK files need a name before the dot: /\n" + kHint,
       ""},
      {{"ok.txt", "--mk-base", "sub/"},
       2,
       "calvern: the MK files need a name before the dot: sub/\n" + kHint,
       ""},
      {{"ok.txt", "--mk-base", ".."},
       2,
       "calvern: the MK files need a name before the dot: ..\n" + kHint,
       ""},
      {{"ok.txt", "-o", "-", "--symbols", "-"},
       2,
       "calvern: only one output can go to standard output (\"-\")\n" + kHint,
       ""},
  };
  TempDir reference;
  reference.Write("ok.txt", kSource);
  ASSERT_EQ(RunCalvern(reference, {"ok.txt"}).exitCode, 0);
  const std::string listing = reference.Read("ok.LST");
  ASSERT_NE(listing.find("PROGAM ZONE"), std::string::npos);
  for (const PathCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    TempDir dir;
    PrepareOutputPlaces(dir);
    RunResult run = RunCalvern(dir, c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, c.errorOutput);
    EXPECT_EQ(run.output, "");
    if (!c.written.empty()) {
      EXPECT_EQ(dir.Read(c.written), listing);
    }
    // The links are still links, the FIFO a FIFO, the source untouched.
    for (const char* link : {"out", "dangling", "todir", "loop1", "ok.MKP"}) {
      EXPECT_TRUE(fs::is_symlink(dir.path() / link)) << link;
    }
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe"));
    EXPECT_EQ(dir.Read("ok.txt"), kSource);
    if (c.written != "real.LST") {
      EXPECT_EQ(dir.Read("real.LST"), "old");
    }
    EXPECT_FALSE(dir.Exists("-"));
  }
}

// Slave mode and the menu take the MK base from the settings: one with no name before the dot
// is refused there too (code 9), and nothing is written.
TEST(OutputFiles, MkBaseWithoutANameIsRefusedInSlaveMode) {
  for (const std::string base : {"/", "sub/", "sub/."}) {
    SCOPED_TRACE(base);
    TempDir dir;
    PrepareOutputPlaces(dir);
    RunResult run = RunInfoFile(dir, {"ok.txt", "ok.LST", "2", base});
    ExpectResultCode(run, 9);
    EXPECT_EQ(run.errorOutput,
              "Compilation: the MK files need a name before the dot: " + base + "\n");
    EXPECT_TRUE(fs::is_empty(dir.path() / "sub"));
  }
}

// "-" writes the listing or the symbol file to standard output, with the diagnostics on
// standard error; the MK files then go beside the source, through a link that stays.
TEST(OutputFiles, DashIsStandardOutput) {
  TempDir dir;
  PrepareOutputPlaces(dir);
  dir.Write("warn.txt", "#reg 10 X\r\n#reg 20 X\r\nENT\r\n");
  RunResult run = RunCalvern(dir, {"compile", "-o", "-", "warn.txt"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.errorOutput,
            "warn.txt:2:9: warning: #reg name given to two registers, the lower keeps it: X\n");
  ASSERT_EQ(RunCalvern(dir, {"warn.txt", "-o", "warn.LST"}).exitCode, 0);
  EXPECT_EQ(run.output, dir.Read("warn.LST"));

  run = RunCalvern(dir, {"ok.txt", "-o", "-", "--mk"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(dir.Exists("ok.LST"));
  ASSERT_EQ(RunCalvern(dir, {"ok.txt", "-o", "ok2.LST"}).exitCode, 0);
  EXPECT_EQ(run.output, dir.Read("ok2.LST"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "ok.MKP"));
  ASSERT_EQ(RunCalvern(dir, {"ok.txt", "--mk-base", "plain"}).exitCode, 0);
  EXPECT_EQ(dir.Read("real.MKP"), dir.Read("plain.MKP"));  // written through the link

  run = RunCalvern(dir, {"ok.txt", "--symbols", "-"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(nlohmann::json::parse(run.output)["registers"],
            nlohmann::json::parse(R"([{"name": "TOTAL", "register": 20}])"));
  EXPECT_FALSE(dir.Exists("-"));
}

// The settings file of the menu is replaced through its link too, so a calvern.inf kept
// elsewhere (a dotfile collection) stays linked.
TEST(OutputFiles, SettingsFileLinkSurvivesTheMenu) {
  TempDir dir;
  fs::create_directory(dir.path() / "conf");
  dir.Write("conf/calvern.inf", "a.txt\r\na.LST\r\nnano\r\na.\r\n\r\nCOM2,7\r\n\r\n");
  fs::create_symlink("conf/calvern.inf", dir.path() / "calvern.inf");
  ASSERT_EQ(RunCalvern(dir, {}).exitCode, 0);
  EXPECT_TRUE(fs::is_symlink(dir.path() / "calvern.inf"));
  EXPECT_EQ(dir.Read("conf/calvern.inf"), "a.txt\r\na.LST\r\nnano\r\na.\r\n\r\nCOM2,7\r\n\r\n");
}

// Starts calvern in `dir` with its output streams discarded; the process id.
pid_t StartCalvern(const TempDir& dir, const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(127);
    int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) _exit(127);
    std::vector<std::string> words = {CalvernBinary()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Signals that end a compilation at any moment, from its start to its end, in the command line
// and in slave mode: no temporary file stays, and the listing is the old one or the whole new
// one.
TEST(OutputFiles, SignalsLeaveNoTemporaryFiles) {
  if (!RunnerWords().empty()) GTEST_SKIP() << "POSIX signals";
  TempDir dir;
  // Comments make the compilation long enough to be hit at every stage.
  std::string source = "#reg 20 TOTAL\r\nENT #BINARY #DB 1 2 #END\r\n#DECIMAL 5 1.5\r\n";
  for (int i = 0; i < 100000; ++i) source += "; a comment line to read and skip\r\n";
  dir.Write("prog.txt", source);
  dir.Write("job.inf", "prog.txt\r\nprog.LST\r\n2\r\nprog.\r\n");
  const std::vector<std::string> commandLine = {"prog.txt", "--mk", "--symbols", "prog.json"};
  const std::vector<std::string> slave = {"job.inf"};

  // The shortest of three whole runs: the delays below are fractions of it, and one run slowed
  // by a busy moment of the machine made them so long that half the runs ended unhit.
  auto duration = std::chrono::steady_clock::duration::max();
  for (int timing = 0; timing < 3; ++timing) {
    auto started = std::chrono::steady_clock::now();
    RunResult whole = RunCalvern(dir, commandLine);
    ASSERT_EQ(whole.exitCode, 0) << whole.errorOutput;
    duration = std::min(duration, std::chrono::steady_clock::now() - started);
  }
  const std::string listing = dir.Read("prog.LST");
  const std::set<std::string> allowed = {".stderr",  ".stdout",  "prog.txt", "job.inf",  "prog.LST",
                                         "prog.MKP", "prog.MKB", "prog.MKD", "prog.json"};
  constexpr int kRuns = 48;
  int ended = 0;
  for (int run = 0; run < kRuns; ++run) {
    const int signal = run % 2 == 0 ? SIGTERM : SIGINT;
    SCOPED_TRACE("run " + std::to_string(run) + (signal == SIGTERM ? " SIGTERM" : " SIGINT"));
    dir.Write("prog.LST", "old");
    pid_t pid = StartCalvern(dir, run % 4 < 2 ? commandLine : slave);
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(duration * run / kRuns);
    kill(pid, signal);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    if (WIFSIGNALED(status)) {
      EXPECT_EQ(WTERMSIG(status), signal);
      ++ended;
    } else {
      EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      EXPECT_TRUE(allowed.count(entry.path().filename().string())) << entry.path();
    }
    const std::string now = dir.Read("prog.LST");
    EXPECT_TRUE(now == "old" || now == listing) << now.substr(0, 40);
  }
  // Most runs were ended by the signal, or nothing was tested.
  EXPECT_GT(ended, kRuns / 2);
}

}  // namespace
}  // namespace calvern_test
