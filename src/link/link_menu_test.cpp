// The link menu against the simulated calculator: the header with the identified calculator,
// the choices, and the port settings.
#include "link/link_menu.h"

#include <gtest/gtest.h>

#include "simulator/link_test_support.h"

namespace calvern {
namespace {

class Menu : public calvern_test::LinkTest {
 protected:
  void Run(std::deque<std::string> answers) {
    LinkContext context = Context(std::move(answers));
    LinkMenu(context);
  }
};

const char* const kMenuLines =
    "\n   1: Get Main screen\n   2: Get Graphic screen\n   3: Send program to calculator\n"
    "   4: Serial port settings\n   ENTER to quit\n\n   Your choice : ";

TEST_F(Menu, HeaderShowsTheIdentifiedCalculator) {
  calvern_test::SimulatedCalculator calculator({"--name", "MK-161 v2.01 extra"});
  Run({""});
  EXPECT_EQ(console_.Text(),
            std::string("<clear>\n Settings : Calculator on COM3 unit 255...\n \n") +
                " +-----------------------------------+\n"
                " |                                   |*\n"
                " | Calvern connected to MK-161 v2.01 |*\n"
                " |                                   |*\n"
                " +-----------------------------------+*\n"
                "  *************************************\n" +
                kMenuLines + "\n");
  EXPECT_EQ(calculator.Received(), std::vector<std::string>{"00 FF 04 00 10 00 00 13"});
}

TEST_F(Menu, WithoutACalculatorTheLineStays) {
  port_ = "/nonexistent/ttyX";
  Run({"9"});
  EXPECT_EQ(linkLine_, " |  Calvern .. not yet connected ..  |*");
  EXPECT_NE(console_.Text().find(" |  Calvern .. not yet connected ..  |*\n"), std::string::npos);
}

TEST_F(Menu, PortSettings) {
  struct Case {
    std::deque<std::string> answers;
    std::string port;
    int identifier;
  } cases[] = {{{"4", "", ""}, "COM3", 255},
               {{"4", "5", "12"}, "COM5", 12},
               {{"4", "x", "300"}, "COM0", 300},
               {{"4", "/dev/ttyUSB1", ""}, "/dev/ttyUSB1", 255},
               {{"44", "5", "12"}, "COM3", 255}};  // answers are compared as typed
  for (const Case& c : cases) {
    port_ = "COM3";
    identifier_ = 255;
    Run(c.answers);
    EXPECT_EQ(port_, c.port);
    EXPECT_EQ(identifier_, c.identifier);
  }
  port_ = "COM3";
  Run({"4", "7", ""});
  EXPECT_TRUE(console_.Text().ends_with(std::string(kMenuLines) +
                                        "4\n   Current COM port is 3\n   New one : 7\n\n"
                                        "   Current MK Identifier is 255\n"
                                        "   (see in register 9049)\n   New one : \n"));
}

}  // namespace
}  // namespace calvern
