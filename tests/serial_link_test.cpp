// End-to-end: the link menu of the interactive program, typed at in a real terminal, with a
// simulated calculator on COM3.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
}  // namespace calvern_test
