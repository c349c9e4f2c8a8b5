// Sending programs to the simulated calculator: the frames it receives, the memory it ends up
// with, and how every failure of the line ends in time with a status line that says so.
#include "link/program_transfer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <map>

#include "compiler/compile.h"
#include "shell/link_action.h"
#include "simulator/link_test_support.h"

namespace calvern {
namespace {

using calvern_test::RequestFrame;
using Clock = std::chrono::steady_clock;

std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// The cells the calculator received, by zone code, from the logged block frames: -1 where no
// block was written.
std::map<int, std::vector<int>> ReceivedZones(const std::vector<std::string>& frames) {
  std::map<int, std::vector<int>> zones;
  std::map<int, int> selected;
  for (const std::string& frame : frames) {
    std::vector<std::uint8_t> b = Bytes(frame);
    if (b.size() < 8 || b[4] != 0x30 || b[5] == 0xA0 || b[5] == 0x84) continue;
    if (b[6] == 0x01) selected[b[5]] = b[7];
    if (b[6] != 0x11) continue;
    int size = static_cast<int>(b.size()) - 8;
    std::vector<int>& zone = zones[b[5]];
    zone.resize(8000, -1);
    for (int i = 0; i < size; ++i) zone[selected[b[5]] * size + i] = b[7 + i];
  }
  return zones;
}

// What the calculator should hold: the blocks with a used cell, unused cells as the filler.
std::vector<int> ExpectedZone(const ProgramImage& image, const ZoneLayout& zone) {
  std::vector<int> cells(8000, -1);
  for (int block = 0; block < zone.blocks; ++block) {
    int start = zone.first + block * zone.size;
    bool used = false;
    for (int i = 0; i < zone.size; ++i) used = used || image.cells[start + i] >= 0;
    for (int i = 0; used && i < zone.size; ++i) {
      int value = image.cells[start + i];
      cells[block * zone.size + i] = value >= 0 ? value : zone.filler;
    }
  }
  return cells;
}

double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class Transfer : public calvern_test::LinkTest {
 protected:
  void Send(const ProgramImage* program) {
    LinkContext context = Context({}, program);
    LinkSession session(port_, identifier_);
    SendProgram(context, session);
  }
};

// A program of 150 steps: two blocks of the program zone, the second filled up with FF.
ProgramImage Steps150() {
  ProgramImage image;
  for (int i = 0; i < 150; ++i) image.cells[i] = (i * 7) & 0xFF;
  return image;
}

TEST_F(Transfer, ProgramZoneFramesAndProgressOutput) {
  calvern_test::SimulatedCalculator calculator;
  ProgramImage image = Steps150();
  Send(&image);

  std::vector<std::uint8_t> block0 = {0x30, 0x80, 0x11}, block1 = {0x30, 0x80, 0x11};
  for (int i = 0; i < 100; ++i) block0.push_back(static_cast<std::uint8_t>(image.cells[i]));
  for (int i = 100; i < 200; ++i) block1.push_back(i < 150 ? image.cells[i] : 0xFF);
  std::vector<std::string> expected = {RequestFrame({0x10, 0xA0, 0x00}),
                                       RequestFrame({0x30, 0xA0, 0x80}),
                                       RequestFrame({0x10, 0xA0, 0x00}),
                                       RequestFrame({0x30, 0x80, 0x01, 0x00}),
                                       RequestFrame(block0),
                                       RequestFrame({0x30, 0x80, 0x01, 0x01}),
                                       RequestFrame(block1),
                                       RequestFrame({0x30, 0x80, 0x81}),
                                       RequestFrame({0x10, 0xA0, 0x00}),
                                       RequestFrame({0x30, 0xA0, 0x81}),
                                       RequestFrame({0x10, 0xA0, 0x00})};
  EXPECT_EQ(calculator.Received(), expected);
  EXPECT_EQ(console_.Text(),
            "\nProgram Zone...\n\n"
            "  Set block 0 : OK. Sending block... : OK.\n"
            "  Set block 1 : OK. Sending block... : OK.\n"
            "  Finalizing...  : OK.\n"
            "\nProgram sent ! Press ENTER.\n");
  EXPECT_EQ(status1_, "Program sent !");
}

TEST_F(Transfer, CompiledZonesArriveAsCompiled) {
  const char* sources[] = {
      // Program zone only: no status waits between zones.
      "$12 STO 5 RCL 5 + R/S",
      // All three zones, with gaps: skipped blocks are not sent.
      "$1 $2 + R/S #BINARY #DB 1 2 255 #END #BLOCK 10 #DB 7 #END "
      "#DECIMAL 10 3.14 > -25 900 1E5 #PROGRAM #BLOCK 42 R/S",
      // Binary data but no decimal zone.
      "R/S #BINARY #BLOCK 63 #DB 9 8 7 #END",
  };
  for (const char* source : sources) {
    calvern_test::CurrentTempDir dir;
    calvern_test::SimulatedCalculator calculator;
    CompileResult compiled = CompileProgram(source);
    ASSERT_TRUE(compiled.Ok()) << source;
    ProgramImage image = ProgramImageOf(compiled.program);
    Send(&image);
    EXPECT_EQ(status1_, "Program sent !") << source;

    std::map<int, std::vector<int>> received = ReceivedZones(calculator.Received());
    EXPECT_EQ(received[0x80], ExpectedZone(image, kProgramZone)) << source;
    EXPECT_EQ(received.count(0x82), image.binaryZoneUsed ? 1u : 0u) << source;
    EXPECT_EQ(received.count(0x81), image.decimalZoneUsed ? 1u : 0u) << source;
    if (image.binaryZoneUsed) {
      EXPECT_EQ(received[0x82], ExpectedZone(image, kBinaryZone)) << source;
    }
    if (image.decimalZoneUsed) {
      EXPECT_EQ(received[0x81], ExpectedZone(image, kDecimalZone)) << source;
    }
    // Every zone sent ends with its end command; each zone after the first waits for ready.
    std::vector<std::string> frames = calculator.Received();
    int statusRequests = 0;
    for (const std::string& frame : frames)
      statusRequests += frame == RequestFrame({0x10, 0xA0, 0x00});
    for (auto [code, used] : {std::pair{0x80, true}, std::pair{0x82, image.binaryZoneUsed},
                              std::pair{0x81, image.decimalZoneUsed}}) {
      std::string end = RequestFrame({0x30, static_cast<std::uint8_t>(code), 0x81});
      EXPECT_EQ(std::count(frames.begin(), frames.end(), end), used ? 1 : 0) << source;
    }
    int zones = 1 + image.binaryZoneUsed + image.decimalZoneUsed;
    EXPECT_EQ(statusRequests, 4 + zones - 1) << source;
  }
}

TEST_F(Transfer, NothingIsSentWithoutACompiledProgram) {
  calvern_test::SimulatedCalculator calculator;
  Send(nullptr);
  EXPECT_EQ(console_.Text(),
            "\n   You must first proceed to\n   a successfull compilation !\n\n"
            "   No program to send... Press ENTER.\n");
  EXPECT_TRUE(calculator.Received().empty());
}

// Every way the line can fail ends within its time-out, with a status line that names the
// failure, and without spinning the processor while waiting.
TEST_F(Transfer, FailuresEndInTimeAndSayWhere) {
  struct Case {
    std::vector<std::string> options;
    std::string port;
    std::string status;
    double seconds;
  } cases[] = {
      {{},
       "/nonexistent/ttyX",
       "Program not sent: can't open the serial port /nonexistent/ttyX (/nonexistent/ttyX: No such "
       "file or directory)",
       0.5},
      {{"--silent-from", "0"}, "", "Program not sent: the calculator did not report ready", 1.5},
      {{"--late", "1500"}, "", "Program not sent: the calculator did not report ready", 1.5},
      {{"--late", "400"}, "", "Program sent !", 6.0},
      {{"--silent-from", "5"},
       "",
       "Program not sent: no answer from the calculator at program zone block 1",
       2.6},
      {{"--short-from", "3"},
       "",
       "Program not sent: a faulty answer from the calculator at program zone block 0",
       2.6},
      {{"--oversize-at", "4"},
       "",
       "Program not sent: a faulty answer from the calculator at program zone block 0",
       1.0},
      {{"--negative-at", "5"},
       "",
       "Program not sent: a faulty answer from the calculator at program zone block 1",
       1.0},
      {{"--reject", "80:01"},
       "",
       "Program sent with errors: the calculator rejected program zone block 1",
       1.0},
      {{"--busy", "3"}, "", "Program sent !", 1.0},
      // Busy for ever, answering at once or each time after 0.9 s: the wait ends at 5 s.
      {{"--busy", "100000"}, "", "Program not sent: the calculator did not report ready", 5.4},
      {{"--busy", "100000", "--late", "900"},
       "",
       "Program not sent: the calculator did not report ready",
       5.4},
      {{"--stuck-mode"},
       "",
       "Program not sent: the calculator did not switch its transfer mode",
       5.4},
      {{"--echo"},
       "",
       "Program not sent: only the request came back (a loopback line, no calculator) at the "
       "status request",
       0.5},
      // Too long for the buffer: refused at its header. Within the buffer but trickled: cut
      // at the end of the exchange.
      {{"--trickle", "32767:150"},
       "",
       "Program not sent: a faulty answer from the calculator at the status request",
       1.0},
      {{"--trickle", "200:150"},
       "",
       "Program not sent: a faulty answer from the calculator at the status request",
       1.6},
  };
  ProgramImage image = Steps150();
  for (const Case& c : cases) {
    calvern_test::CurrentTempDir dir;
    calvern_test::SimulatedCalculator calculator(c.options);
    port_ = c.port.empty() ? "COM3" : c.port;
    status1_.clear();
    double cpu = CpuSeconds();
    Clock::time_point start = Clock::now();
    Send(&image);
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::string label = c.options.empty() ? c.port : testing::PrintToString(c.options);
    EXPECT_EQ(status1_, c.status) << label;
    EXPECT_LT(elapsed, c.seconds) << label;
    EXPECT_LT(CpuSeconds() - cpu, 0.05 + 0.05 * elapsed) << label << ": the wait spins";
    if (status1_.find("did not report ready") != std::string::npos ||
        status1_.find("at the status request") != std::string::npos) {
      std::vector<std::string> frames = calculator.Received();
      EXPECT_EQ(std::count(frames.begin(), frames.end(), RequestFrame({0x10, 0xA0, 0x00})),
                static_cast<long>(frames.size()))
          << label << ": only status requests while the calculator is not ready";
    }
    if (c.options.size() == 2 && c.options[0] == "--reject") {
      EXPECT_EQ(calculator.Received()[7], RequestFrame({0x30, 0x80, 0x81}))
          << "a rejected block does not stop the transfer";
    }
  }
}

}  // namespace
}  // namespace calvern
