// The link of the Windows program under Wine: the simulated calculator sits behind COM3 of the
// Wine prefix (a dosdevices/com3 link to its pseudo-terminal), and every exchange must put the
// same frames on the wire, and end the same way, as the Linux program with the same calculator
// behind its own COM3.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "simulator/simulated_calculator.h"
#include "windows/wine_desktop.h"

namespace calvern_test {
namespace {

// A program in all three zones, and its MK files.
constexpr const char* kProgram =
    "$12 STO 5 #BINARY #DB 1 2 3 #END #DECIMAL 7 2.5\r\n#PROGRAM R/S\r\n";
constexpr const char* kSettings = "prog.txt\r\nprog.LST\r\nnotepad.exe\r\n\r\n\r\nCOM3,255\r\n\r\n";

// Main screen: column c of line l holds c + l; the graphic screen holds c * 3 + l.
std::string Screens() {
  std::string screens(2048, '\0');
  for (int i = 0; i < 1024; ++i) {
    screens[i] = static_cast<char>(i % 128 + i / 128);
    screens[1024 + i] = static_cast<char>(3 * (i % 128) + i / 128);
  }
  return screens;
}

// What one program run left: its outcome and everything it wrote, with the transfer rate (a
// measurement) blotted out.
struct LinkRun {
  long long exitCode = -1;
  std::string output, errorOutput;
  std::vector<std::string> frames;
  std::map<std::string, std::string> files;        // the listings, byte for byte
  std::map<std::string, std::vector<int>> images;  // the PNG captures, pixel for pixel
};

// The MK files of kProgram, compiled once by the Linux program.
const std::map<std::string, std::string>& MkFiles() {
  static const std::map<std::string, std::string> files = [] {
    TempDir build;
    build.Write("prog.txt", kProgram);
    RunResult run = RunCommandIn({CALVERN_BINARY, "compile", "prog.txt", "--mk"}, build);
    EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
    std::map<std::string, std::string> mk;
    for (const char* name : {"prog.MKP", "prog.MKB", "prog.MKD"}) mk[name] = build.Read(name);
    return mk;
  }();
  return files;
}

// A run's folder: the settings (port COM3), the source, its MK files in mk/, and the screens
// the calculator shows.
void PrepareFolder(const TempDir& dir) {
  dir.Write("calvern.inf", kSettings);
  dir.Write("prog.txt", kProgram);
  dir.Write("screens.bin", Screens());
  fs::create_directory(dir.path() / "mk");
  for (const auto& [name, bytes] : MkFiles()) dir.Write("mk/" + name, bytes);
}

LinkRun Collect(const TempDir& dir, const RunResult& run, long long exitCode) {
  LinkRun result;
  result.exitCode = exitCode;
  result.output = run.output;
  result.errorOutput =
      std::regex_replace(run.errorOutput, std::regex("[0-9]+ bytes/s"), "# bytes/s");
  std::ifstream log(dir.File("received.log"));
  for (std::string line; std::getline(log, line);) result.frames.push_back(line);
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    std::string name = fs::relative(entry.path(), dir.path()).generic_string();
    if (entry.path().extension() == ".LST" || name == "calvern.inf") {
      result.files[name] = dir.Read(name);
    }
    if (entry.path().extension() == ".png") {
      std::optional<Picture> picture = ReadPng(entry.path());
      result.images[name] = picture ? std::vector<int>(picture->rgb.begin(), picture->rgb.end())
                                    : std::vector<int>{-1};
    }
  }
  return result;
}

// The Linux program with the calculator behind ./COM3.
LinkRun RunLinux(const std::vector<std::string>& calculator, const std::vector<std::string>& args,
                 const std::string& input = "/dev/null") {
  TempDir dir;
  PrepareFolder(dir);
  std::vector<std::string> options = calculator;
  options.insert(options.end(), {"--screen", dir.File("screens.bin")});
  SimulatedCalculator simulator(options, dir.path());
  std::vector<std::string> command = {CALVERN_BINARY};
  command.insert(command.end(), args.begin(), args.end());
  RunResult run = RunCommandIn(command, dir, input);
  return Collect(dir, run, run.exitCode);
}

// calvern.exe under Wine with the calculator behind the prefix's COM3.
LinkRun RunWindows(const std::vector<std::string>& calculator, const std::vector<std::string>& args,
                   const std::string& input = "/dev/null") {
  TempDir dir;
  PrepareFolder(dir);
  std::vector<std::string> options = calculator;
  options.insert(options.end(), {"--screen", dir.File("screens.bin")});
  SimulatedCalculator simulator(options, WinePrefix() / "dosdevices" / "com3",
                                dir.path() / "received.log");
  std::vector<std::string> command = {WineLoader(), WindowsProgram("exit_code_relay.exe"),
                                      WindowsProgram("calvern.exe")};
  command.insert(command.end(), args.begin(), args.end());
  RunResult run = RunCommandIn(command, dir, input);
  ReportRunnerSymptoms(run);
  return Collect(dir, run, run.fullExitCode.value_or(-1));
}

void ExpectSameRun(const LinkRun& windows, const LinkRun& linux) {
  EXPECT_EQ(windows.exitCode, linux.exitCode);
  EXPECT_EQ(windows.output, linux.output);
  EXPECT_EQ(windows.errorOutput, linux.errorOutput);
  EXPECT_EQ(windows.frames, linux.frames);
  EXPECT_EQ(windows.files, linux.files);
  EXPECT_EQ(windows.images, linux.images);
}

struct VerbCase {
  std::vector<std::string> calculator;  // how the simulated calculator behaves
  std::vector<std::string> args;
  std::size_t leastFrames;  // so that two programs that both send nothing do not pass
};

// `identify`, `send` (a source, and the MK files of that source) and `capture` (both screens),
// with a calculator that answers, one that falls silent, one that rejects a block and one that
// sends half of each announced answer.
TEST(WindowsLink, VerbsPutTheFramesOfTheLinuxProgramOnTheWire) {
  ASSERT_EQ(MkFiles().at("prog.MKB").size(), 4096u);
  const std::vector<VerbCase> cases = {
      {{"--name", "MK-161 ser.5"}, {"identify"}, 1},
      {{}, {"send", "prog.txt"}, 13},
      {{}, {"send", "mk/prog.MKP", "--id", "7"}, 200},
      {{}, {"capture", "-o", "main.png"}, 16},
      {{}, {"capture", "--graphic", "--port", "COM3"}, 16},
      {{"--silent-from", "0"}, {"identify"}, 1},
      {{"--silent-from", "5"}, {"send", "prog.txt"}, 6},
      {{"--reject", "82:00"}, {"send", "prog.txt"}, 13},
      {{"--short-from", "4"}, {"capture"}, 5},
      {{"--short-from", "0"}, {"identify"}, 1},
  };
  for (const VerbCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args) + " " + testing::PrintToString(c.calculator));
    LinkRun linux = RunLinux(c.calculator, c.args);
    LinkRun windows = RunWindows(c.calculator, c.args);
    EXPECT_GE(linux.frames.size(), c.leastFrames);
    ExpectSameRun(windows, linux);
  }
}

// Key 7 of the menu, typed line by line: compile, send the program, save a capture of the main
// screen, look at the graphic screen without saving it, change the port settings and quit.
TEST(WindowsLink, MenuKey7WorksTheLinkLikeTheLinuxProgram) {
  TempDir script;
  script.Write("typed.txt", "2\n7\n3\n\n7\n1\n1\n7\n2\n\n7\n4\n4\n9\n0\n");
  LinkRun linux = RunLinux({}, {}, script.File("typed.txt"));
  LinkRun windows = RunWindows({}, {}, script.File("typed.txt"));
  EXPECT_EQ(linux.exitCode, 0);
  EXPECT_EQ(linux.images.count("Main00001.png"), 1u);
  EXPECT_EQ(linux.images.size(), 1u) << "the graphic screen was not saved";
  EXPECT_GE(linux.frames.size(), 13u + 16 + 16);
  EXPECT_TRUE(linux.files["calvern.inf"].ends_with("\r\nCOM4,9\r\n\r\n"));
  windows.output = linux.output = "";  // the console's own escapes differ
  ExpectSameRun(windows, linux);
}

}  // namespace
}  // namespace calvern_test
