// End-to-end: the link menu of the interactive program, typed at in a real terminal, with a
// simulated calculator on COM3.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "simulator/simulated_calculator.h"
#include "terminal_session.h"

namespace calvern_test {
namespace {

TEST(SerialLink, IdentifySendAndChangeThePort) {
  TempDir dir;
  dir.Write("prog.txt", "$12 STO 5 #BINARY #DB 1 2 #END #PROGRAM R/S\r\n");
  dir.Write("calvern.inf", dir.File("prog.txt") + "\r\n" + dir.File("prog.LST") +
                               "\r\nnotepad.exe\r\n\r\n\r\nCOM3,255\r\n\r\n");
  SimulatedCalculator calculator({"--name", "MK-161"}, dir.path());
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor("Your choice :"));
  EXPECT_TRUE(terminal.WaitFor("instructions. (COM3/255)"));

  // Nothing compiled yet: the calculator is identified, but nothing is sent.
  terminal.TypeLine("7");
  ASSERT_TRUE(terminal.WaitFor(" | Calvern connected to MK-161       |*"));
  EXPECT_TRUE(terminal.WaitFor(" Settings : Calculator on COM3 unit 255..."));
  terminal.TypeLine("3");
  ASSERT_TRUE(terminal.WaitFor("No program to send... Press ENTER."));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor(" 7: Serial Link with Calculator"));
  EXPECT_TRUE(terminal.WaitFor(" | Calvern connected to MK-161       |*")) << "the main screen too";

  terminal.TypeLine("2");
  ASSERT_TRUE(terminal.WaitFor("Compilation successfull!"));
  terminal.TypeLine("7");
  ASSERT_TRUE(terminal.WaitFor("4: Serial port settings"));
  terminal.TypeLine("3");
  ASSERT_TRUE(terminal.WaitFor("Program sent ! Press ENTER."));
  std::string screen = terminal.ScreenText();
  EXPECT_NE(screen.find("Binary Zone..."), std::string::npos);
  EXPECT_NE(screen.find("  Set block 0 : OK. Sending block... : OK."), std::string::npos);
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor("  Program sent !"));
  std::vector<std::string> frames = calculator.Received();
  // Steps 0-4: 1 2 STO 5 R/S; then the binary block with 1 2 at addresses 1000-1001.
  EXPECT_TRUE(std::find(frames.begin(), frames.end(), "00 FF 05 00 30 82 01 00 B7") !=
              frames.end());
  EXPECT_EQ(std::count_if(frames.begin(), frames.end(),
                          [](const std::string& f) {
                            return f.starts_with("00 FF 44 00 30 82 11 01 02 FF");
                          }),
            1);

  // A new port and identifier are kept in the settings file.
  terminal.TypeLine("7");
  ASSERT_TRUE(terminal.WaitFor("4: Serial port settings"));
  terminal.TypeLine("4");
  ASSERT_TRUE(terminal.WaitFor("Current COM port is 3"));
  terminal.TypeLine("/dev/ttyUSB7");
  ASSERT_TRUE(terminal.WaitFor("(see in register 9049)"));
  terminal.TypeLine("9");
  ASSERT_TRUE(terminal.WaitFor(" 0: Quit"));
  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  EXPECT_NE(dir.Read("calvern.inf").find("\r\n/dev/ttyUSB7,9\r\n"), std::string::npos);
}

// The request frame of a payload to calculator 255, in hexadecimal.
std::string Frame(std::vector<std::uint8_t> payload) {
  std::vector<std::uint8_t> frame = {0x00, 0xFF, static_cast<std::uint8_t>(payload.size() + 1), 0};
  frame.insert(frame.end(), payload.begin(), payload.end());
  unsigned sum = 0;
  for (std::uint8_t byte : frame) sum += byte;
  frame.push_back(static_cast<std::uint8_t>(sum));
  return HexBytes(frame);
}

// The frames of one zone's block commands (select, data, end).
std::vector<std::string> ZoneFrames(const std::vector<std::string>& frames, const char* zone) {
  std::vector<std::string> selected;
  for (const std::string& frame : frames) {
    if (frame.substr(12, 5) == zone) selected.push_back(frame);
  }
  return selected;
}

// `calvern send` with a source (compiled first) and with the MK files of that source: the
// program zone arrives alike; the MK binary file is the whole zone, unused cells as 0.
TEST(LinkVerbs, SendSourceOrMkFiles) {
  TempDir dir;
  dir.Write("prog.txt", "$12 STO 5 #BINARY #DB 1 2 #END #PROGRAM R/S\r\n");
  dir.Write("calvern.inf", "\r\n\r\nnotepad.exe\r\n\r\n\r\nCOM3,255\r\n\r\n");
  fs::create_directory(dir.path() / "mk");
  ASSERT_EQ(RunCalvern(dir, {"compile", "prog.txt", "--mk-base", "mk/prog"}).exitCode, 0);

  std::vector<std::string> fromSource, fromFiles;
  for (auto [args, received] :
       {std::pair{std::vector<std::string>{"send", "prog.txt"}, &fromSource},
        std::pair{std::vector<std::string>{"send", "mk/prog.MKB", "--port", "COM3"}, &fromFiles}}) {
    SCOPED_TRACE(args[1]);
    fs::remove(dir.path() / "received.log");  // the calculator adds to the log of the one before
    SimulatedCalculator calculator({}, dir.path());
    RunResult run = RunCalvern(dir, args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    // The last progress line: every block, and a rate in digits.
    int blocks = args[1] == "prog.txt" ? 2 : 65;
    std::string last =
        "calvern: sent " + std::to_string(blocks) + " of " + std::to_string(blocks) + " blocks, ";
    std::size_t at = run.errorOutput.rfind(last);
    ASSERT_NE(at, std::string::npos) << run.errorOutput;
    std::size_t rateEnd = run.errorOutput.find_first_not_of("0123456789", at + last.size());
    EXPECT_GT(rateEnd, at + last.size()) << run.errorOutput;
    EXPECT_EQ(run.errorOutput.substr(rateEnd), " bytes/s\ncalvern: Program sent !\n");
    *received = calculator.Received();
  }
  EXPECT_EQ(ZoneFrames(fromSource, "30 80"), ZoneFrames(fromFiles, "30 80"));
  std::vector<std::uint8_t> block0 = {0x30, 0x82, 0x11, 1, 2};
  block0.resize(3 + 64, 0xFF);
  EXPECT_EQ(ZoneFrames(fromSource, "30 82"),
            (std::vector<std::string>{Frame({0x30, 0x82, 0x01, 0}), Frame(block0),
                                      Frame({0x30, 0x82, 0x81})}));
  std::vector<std::string> binary = ZoneFrames(fromFiles, "30 82");
  ASSERT_EQ(binary.size(), 2 * 64 + 1u);
  std::fill(block0.begin() + 5, block0.end(), 0);
  EXPECT_EQ(binary[1], Frame(block0));
  EXPECT_TRUE(ZoneFrames(fromFiles, "30 81").empty()) << "no decimal file";

  // --id overrides the settings' identifier.
  fs::remove(dir.path() / "received.log");
  SimulatedCalculator calculator({}, dir.path());
  ASSERT_EQ(RunCalvern(dir, {"send", "mk/prog.MKP", "--id", "7"}).exitCode, 0);
  EXPECT_EQ(calculator.Received().front(), "00 07 04 00 10 A0 00 BB");
}

// The pixels of a PNG file, red, green, blue; empty when it cannot be read.
std::vector<std::uint8_t> PngPixels(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (image.width != 256 || image.height != 128 ||
      !png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    return {};
  }
  return pixels;
}

TEST(LinkVerbs, IdentifyAndCapture) {
  TempDir dir;
  // Main screen: column c of line l holds c + l; the graphic screen is all dark.
  std::string screens(2048, '\xFF');
  for (int i = 0; i < 1024; ++i) screens[i] = static_cast<char>(i % 128 + i / 128);
  dir.Write("screens.bin", screens);
  SimulatedCalculator calculator({"--name", "MK-161 ser.5", "--screen", dir.File("screens.bin")},
                                 dir.path());

  RunResult identify = RunCalvern(dir, {"identify", "--port", "COM3"});
  EXPECT_EQ(identify.exitCode, 0);
  EXPECT_EQ(identify.output, "MK-161 ser.5\n");
  EXPECT_EQ(identify.errorOutput, "");

  RunResult capture = RunCalvern(dir, {"capture", "--port", "COM3", "-o", "shot.png"});
  EXPECT_EQ(capture.exitCode, 0);
  EXPECT_EQ(capture.errorOutput, "calvern: Saved image shot.png\n");
  EXPECT_EQ(capture.output, "") << "no picture drawn when the output is no terminal";
  std::vector<std::uint8_t> pixels = PngPixels(dir.File("shot.png"));
  ASSERT_EQ(pixels.size(), 256 * 128 * 3u);
  int wrong = 0;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 256; ++x) {
      int line = y / 16, row = (y / 2) % 8;
      bool dark = ((x / 2 + line) >> row) & 1;
      const std::uint8_t* p = &pixels[3 * (y * 256 + x)];
      wrong += dark ? (p[0] | p[1] | p[2]) != 0 : !(p[0] == 0x33 && p[1] == 0x99 && p[2] == 0x99);
    }
  }
  EXPECT_EQ(wrong, 0);

  // Without -o: the next free name, as menu key 7 saves it.
  dir.Write("Grap00001.png", "");
  capture = RunCalvern(dir, {"capture", "--port", "COM3", "--graphic"});
  EXPECT_EQ(capture.errorOutput, "calvern: Saved image Grap00002.png\n");
  pixels = PngPixels(dir.File("Grap00002.png"));
  ASSERT_EQ(pixels.size(), 256 * 128 * 3u);
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 256 * 128 * 3);
}

struct FailureCase {
  std::vector<std::string> calculator;  // simulator options; empty: no calculator
  std::vector<std::string> args;
  int exitCode;
  std::string tail;      // how standard error ends
  double seconds = 2.0;  // the longest the run may take: one exchange unless given
};

// Every failure has its exit code, says what happened in the last line of standard error, and
// ends within the bounds README gives (an exchange 1.5 s, a status wait 5 s; half a second more
// for the process to start and compile), however the calculator misbehaves. No image is written.
TEST(LinkVerbs, FailuresAndTheirExitCodes) {
  const std::string noPort =
      "can't open the serial port /nonexistent/tty (/nonexistent/tty: No such file or "
      "directory)\n";
  const std::string hint = "Run 'calvern --help' for usage.\n";
  const std::vector<FailureCase> cases = {
      {{}, {"identify", "--port", "/nonexistent/tty"}, 4, "calvern: " + noPort},
      {{},
       {"send", "ok.txt", "--port", "/nonexistent/tty"},
       4,
       "calvern: Program not sent: " + noPort},
      {{},
       {"capture", "--port", "/nonexistent/tty"},
       4,
       "calvern: Screen incomplete: " + noPort.substr(0, noPort.size() - 1) +
           "; no image written\n"},
      {{"--silent-from", "0"},
       {"identify"},
       5,
       "calvern: no answer from the calculator at identification\n"},
      {{"--silent-from", "0"},
       {"send", "ok.txt"},
       5,
       "calvern: Program not sent: the calculator did not report ready\n"},
      {{"--silent-from", "4"},
       {"send", "ok.txt"},
       5,
       "calvern: Program not sent: no answer from the calculator at program zone block 0\n",
       3.5},  // the block, and the request to leave transfer mode
      {{"--short-from", "4"},
       {"capture"},
       5,
       "calvern: Screen incomplete: a faulty answer from the calculator at line 2; no image "
       "written\n"},
      {{"--reject", "80:00"},
       {"send", "ok.txt"},
       6,
       "calvern: Program sent with errors: the calculator rejected program zone block 0\n"},
      {{"--reject-line", "3"},
       {"capture"},
       6,
       "calvern: Screen incomplete: the calculator rejected line 3; no image written\n"},
      // A loopback line sends the request back: no calculator, though bytes came.
      {{"--echo"},
       {"identify"},
       5,
       "calvern: only the request came back (a loopback line, no calculator) at identification\n"},
      {{"--echo"},
       {"capture"},
       5,
       "calvern: Screen incomplete: only the request came back (a loopback line, no calculator) "
       "at line 0; no image written\n"},
      // Replies announcing 32767 bytes, a byte every 0.15 s: refused at their header.
      {{"--trickle", "32767:150"},
       {"identify"},
       5,
       "calvern: a faulty answer from the calculator at identification\n",
       2.0},
      {{"--trickle", "32767:150"},
       {"capture"},
       5,
       "calvern: Screen incomplete: a faulty answer from the calculator at line 0; no image "
       "written\n",
       2.0},
      {{"--trickle", "32767:150"},
       {"send", "ok.txt"},
       5,
       "calvern: Program not sent: a faulty answer from the calculator at the status request\n",
       2.0},
      // A reply that fits but trickles: cut at the end of the exchange.
      {{"--trickle", "200:150"},
       {"identify"},
       5,
       "calvern: a faulty answer from the calculator at identification\n",
       2.0},
      // Busy at every status request, each answer 0.9 s late: given up after the status wait.
      {{"--busy", "1000000", "--late", "900"},
       {"send", "ok.txt"},
       6,
       "calvern: Program not sent: the calculator did not report ready\n",
       5.5},
      {{}, {"send"}, 2, "calvern: PROGRAM is required\n" + hint},
      {{},
       {"identify", "--port", "LPT1"},
       2,
       "calvern: --port takes COM and a number, or the path of a serial device: LPT1\n" + hint},
      {{}, {"capture", "--id", "256"}, 2, hint},
      {{},
       {"identify", "extra"},
       2,
       "calvern: The following argument was not expected: extra\n" + hint},
      {{}, {"send", "absent.MKP"}, 3, "calvern: can't read the MK file absent.MKP\n"},
      {{},
       {"send", "ok.mkb"},
       3,
       "calvern: not an MK file of the calculator (wrong size or content): ok.mkb\n"},
      {{},
       {"send", "absent.txt"},
       3,
       "calvern: cannot read the source absent.txt: the file does not exist\n"},
      {{}, {"send", "bad.txt"}, 1, "bad.txt:1:1: error: unknown instruction NOPE\n"},
      {{"--name", "MK"},
       {"capture", "-o", "no/dir/x.png"},
       3,
       "calvern: Image not saved: can't write no/dir/x.png\n"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    TempDir dir;
    dir.Write("ok.txt", "$12 STO 5 R/S\r\n");
    dir.Write("ok.mkb", "1234");
    dir.Write("bad.txt", "NOPE\r\n");
    dir.Write("calvern.inf", "\r\n\r\n\r\n\r\n\r\nCOM3,255\r\n\r\n");
    std::optional<SimulatedCalculator> calculator;
    if (!c.calculator.empty()) calculator.emplace(c.calculator, dir.path());
    auto start = std::chrono::steady_clock::now();
    RunResult run = RunCalvern(dir, c.args);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_TRUE(run.errorOutput.ends_with(c.tail)) << run.errorOutput;
    EXPECT_EQ(run.output, "");
    EXPECT_LT(seconds, c.seconds);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir.path())) {
      EXPECT_NE(entry.path().extension(), ".png") << entry.path();
    }
  }
}

}  // namespace
}  // namespace calvern_test
