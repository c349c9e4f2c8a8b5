// End-to-end: `calvern disasm` and slave commands 7 and 8. The contract is a round trip: the
// MK files of every program the tests hold, disassembled and compiled again, come back byte
// for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "slave_run.h"

namespace calvern_test {
namespace {

const char* const kZoneFiles[] = {"MKP", "MKB", "MKD"};

// The sources of the examples, of the test data and of the fuzzer's seeds (programs collected
// from the test suites).
std::vector<fs::path> CorpusSources() {
  std::vector<fs::path> sources;
  const fs::path root = CALVERN_SOURCE_DIR;
  for (const char* folder : {"examples", "tests/data", "fuzz/seeds/compile"}) {
    for (const auto& entry : fs::directory_iterator(root / folder)) {
      if (entry.is_regular_file() && entry.path().extension() != ".png" &&
          entry.path().extension() != ".LST") {
        sources.push_back(entry.path());
      }
    }
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

TEST(Disasm, EveryCorpusProgramComesBackFromItsMkFiles) {
  int compiled = 0;
  for (const fs::path& source : CorpusSources()) {
    SCOPED_TRACE(source.filename().string());
    TempDir dir;
    fs::copy_file(source, dir.path() / "prog.txt");
    fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "examples" / "menu_icon.png",
                  dir.path() / "menu_icon.png");
    if (RunCalvern(dir, {"compile", "prog.txt", "--mk", "--symbols", "prog.json"}).exitCode != 0) {
      continue;
    }
    // Named by its first file, and with the names of the symbol file by its last: either
    // brings the whole set.
    std::vector<std::string> files;
    for (const char* zone : kZoneFiles) {
      if (dir.Exists(std::string("prog.") + zone)) files.push_back(std::string("prog.") + zone);
    }
    if (files.empty()) continue;  // a program of names only: no MK file to read back
    ++compiled;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"disasm", files.front(), "-o", "back.txt"},
          std::vector<std::string>{"disasm", files.back(), "-o", "back.txt", "--symbols",
                                   "prog.json"}}) {
      RunResult run = RunCalvern(dir, args);
      ASSERT_EQ(run.exitCode, 0) << run.errorOutput;
      run = RunCalvern(dir, {"compile", "back.txt", "--mk-base", "back"});
      ASSERT_EQ(run.exitCode, 0) << run.errorOutput << dir.Read("back.txt");
      for (const char* zone : kZoneFiles) {
        ASSERT_EQ(dir.Exists(std::string("back.") + zone), dir.Exists(std::string("prog.") + zone))
            << zone;
        EXPECT_EQ(dir.Read(std::string("back.") + zone), dir.Read(std::string("prog.") + zone))
            << zone << "\n"
            << dir.Read("back.txt");
        fs::remove(dir.path() / (std::string("back.") + zone));
      }
    }
  }
  EXPECT_GE(compiled, 45);  // the examples, the test data and most seeds have MK files
}

TEST(Disasm, CommandLineReportsAndOutputs) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string errorOutput;
  };
  const std::string input = "calvern: disasm reads MK files (FILE.MKP, .MKB or .MKD) or --codes, ";
  const Case cases[] = {
      {{"disasm"}, 2, input + "not: nothing\n"},
      {{"disasm", "prog.txt"}, 2, input + "not: prog.txt\n"},
      {{"disasm", "prog.MKP", "--codes", "00"}, 2, input + "not: prog.MKP\n"},
      {{"disasm", "--codes", "525"},
       2,
       "calvern: Error : the lenght of the code string must be even! 3 digits\n"},
      {{"disasm", "--codes", "52 5G"}, 2, "calvern: Error in program codes... 'G' at position 5\n"},
      {{"disasm", "absent.MKP"}, 3, "calvern: can't read the MK file absent.MKP\n"},
      {{"disasm", "empty.MKP"}, 3, "calvern: Zero program step found... empty.MKP\n"},
      {{"disasm", "bad.mkp"},
       3,
       "calvern: not an MK file of the calculator (wrong size or content): bad.mkp\n"},
      {{"disasm", "--codes", "52", "--symbols", "absent.json"},
       3,
       "calvern: can't read the symbol file (as compile --symbols writes it) absent.json\n"},
      {{"disasm", "--codes", "52", "--symbols", "bad.mkp"},
       3,
       "calvern: can't read the symbol file (as compile --symbols writes it) bad.mkp\n"},
      {{"disasm", "empty.MKP", "-o", "empty.MKP"},
       3,
       "calvern: Zero program step found... empty.MKP\n"},
      {{"disasm", "ok.MKP", "-o", "ok.MKP"},
       3,
       "calvern: Output would overwrite the source or another output: ok.MKP\n"},
      {{"disasm", "--codes", "0E 52", "-o", "missing/x.txt"},
       3,
       "calvern: Can't create file ! missing/x.txt\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    TempDir dir;
    std::string empty(1, '\0');
    for (int step = 0; step < 100; ++step) empty += "\xFF\x02";
    dir.Write("empty.MKP", empty);
    dir.Write("bad.mkp", "no MK file");
    dir.Write("ok.MKP", std::string(1, '\0') + "\x52" + empty.substr(2));
    RunResult run = RunCalvern(dir, c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.errorOutput, c.errorOutput);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(dir.Read("ok.MKP"), std::string(1, '\0') + "\x52" + empty.substr(2));
  }
  // Standard output by default (with line feeds), a file with CR LF when -o names one.
  TempDir dir;
  RunResult run = RunCalvern(dir, {"disasm", "--codes", "0E52"});
  EXPECT_EQ(run.exitCode, 0);
  const std::string expected =
      "; Disassembled by calvern from a code string of 2 steps.\n"
      "; Compiling this source gives the same bytes in every zone.\n\n  ENT\n  RTN\n";
  EXPECT_EQ(run.output, expected);
  ASSERT_EQ(RunCalvern(dir, {"disasm", "--codes", "0E 52", "-o", "out.txt"}).exitCode, 0);
  std::string withCr = dir.Read("out.txt");
  std::erase(withCr, '\r');
  EXPECT_EQ(withCr, expected);
  EXPECT_NE(dir.Read("out.txt").find("\r\n  ENT\r\n  RTN\r\n"), std::string::npos);
  EXPECT_NE(RunCalvern(dir, {"--help"}).output.find("disasm"), std::string::npos);
}

// Line 1 names the source to write, line 4 the MK base (command 7) or the code string (8).
TEST(Disasm, SlaveCommandsSevenAndEight) {
  struct Case {
    std::string source;  // line 1, in the temporary directory unless empty
    std::string command;
    std::string line4;
    int code;
    std::string errorOutput;
  };
  const Case cases[] = {
      {"back.txt", "8", "0E 52", 0, ""},
      {"back.txt", "7", "prog.", 0, ""},
      {"back.txt", "7", "prog", 0, ""},
      {"back.txt", "7", "prog.MKB", 0, ""},
      {"back.txt", "7", "absent.", 3, "calvern: can't read the MK file {dir}/absent.MKP\n"},
      {"back.txt", "7", "empty.", 4, "calvern: Zero program step found... {dir}/empty.MKP\n"},
      {"back.txt", "8", "", 5,
       "calvern: Error : the lenght of the code string must be even! 0 digits\n"},
      {"back.txt", "8", "0E5", 5,
       "calvern: Error : the lenght of the code string must be even! 3 digits\n"},
      {"back.txt", "8", "0E 5G", 6, "calvern: Error in program codes... 'G' at position 5\n"},
      {"missing/back.txt", "8", "0E", 7, "calvern: Can't create file ! {dir}/missing/back.txt\n"},
      {"", "8", "0E", 2,
       "calvern: line 1 of the info file names no source to write: nothing was done\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command + " " + c.line4);
    TempDir dir;
    dir.Write("prog.txt", "$12 STO 5 #TEXT \"Hello\" #BINARY #DB 7 #END");
    ASSERT_EQ(RunCalvern(dir, {"compile", "prog.txt", "--mk"}).exitCode, 0);
    std::string empty(1, '\0');
    for (int step = 0; step < 100; ++step) empty += "\xFF\x02";
    dir.Write("empty.MKP", empty);
    const std::string base = c.line4.empty() || c.command == "8" ? c.line4 : dir.File(c.line4);
    RunResult run = RunInfoFile(
        dir, {c.source.empty() ? "" : dir.File(c.source), dir.File("x.LST"), c.command, base});
    ExpectResultCode(run, c.code);
    std::string expected = c.errorOutput;
    if (std::size_t at = expected.find("{dir}"); at != std::string::npos) {
      expected.replace(at, 5, dir.path().string());
    }
    EXPECT_EQ(run.errorOutput, expected);
    EXPECT_EQ(dir.Exists("back.txt"), c.code == 0);
    EXPECT_FALSE(dir.Exists("x.LST"));
    if (c.code != 0) continue;
    ASSERT_EQ(RunCalvern(dir, {"compile", "back.txt", "--mk"}).exitCode, 0);
    if (c.command == "7") {
      EXPECT_EQ(dir.Read("back.MKP"), dir.Read("prog.MKP"));
      EXPECT_EQ(dir.Read("back.MKB"), dir.Read("prog.MKB"));
    } else {
      const std::string listing = dir.Read("back.LST");
      EXPECT_NE(listing.find("\r\n  0000  |  0E  | ENT \r\n  0001  |  52  | RTN \r\n"),
                std::string::npos)
          << listing;
    }
  }
}

}  // namespace
}  // namespace calvern_test
