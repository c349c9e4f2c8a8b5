// End-to-end: the menu fed from standard input that is not a terminal. Every way out keeps the
// choices made, typed answers are bounded, and runaway input ends the run instead of eating
// memory or spinning.
#include <gtest/gtest.h>

#include "slave_run.h"

namespace calvern_test {
namespace {

// The settings a first run saves, with the editor named by $VISUAL and the given source.
std::string SavedSettings(const std::string& source, const std::string& base) {
  std::string listing = base.empty() ? "" : base + "LST";
  return source + "\r\n" + listing + "\r\nvisual-editor\r\n" + base + "\r\n\r\nCOM1,255\r\n\r\n";
}

TEST(MenuInput, EveryEndKeepsTheChoicesAndAnswersAreBounded) {
  setenv("VISUAL", "visual-editor", 1);
  const std::string tooLong(5000, 'a');
  struct Case {
    std::string name;
    std::string settings;  // calvern.inf before the run; empty: none
    std::string input;     // standard input; "/dev/zero" for that device
    bool sourceKept;       // prog.txt is the saved source
    std::string shown;     // a text the run prints
  } cases[] = {
      {"end of input right after choosing", "", "1\nprog.txt\n", true, "Source selected"},
      {"last line without its line end", "", "1\nprog.txt", true, "Source selected"},
      {"over-long answer refused, source kept", "", "1\nprog.txt\n1\n" + tooLong + "\n0\n", true,
       "  Answer longer than 4096 bytes: not stored"},
      {"over-long editor answer refused", "", "5\n" + tooLong + "\n\n0\n", false,
       "  Editor: Answer longer than 4096 bytes: not stored"},
      {"line far over the line limit", "", std::string(100000, 'x') + "\n1\nprog.txt\n", true,
       "Source selected"},
      {"NUL stream", "", "/dev/zero", false, "Your choice : "},
      {"unreadable settings kept aside", std::string(1200000, 's') + "\r\n", "0\n", false,
       "  calvern.inf can't be read: defaults are used, and Quit keeps it as calvern.inf.bad"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.Write("prog.txt", "ENT\r\n");
    if (!c.settings.empty()) dir.Write("calvern.inf", c.settings);
    std::string input = c.input;
    if (input != "/dev/zero") {
      dir.Write(".input", input);
      input = dir.File(".input");
    }
    RunResult run = RunCalvern(dir, {}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find(c.shown), std::string::npos);
    EXPECT_EQ(dir.Read("calvern.inf"), c.sourceKept
                                           ? SavedSettings(dir.File("prog.txt"), dir.File("prog."))
                                           : SavedSettings("", ""));
    EXPECT_EQ(dir.Read("calvern.inf.bad"), c.settings) << "the unreadable file is kept aside";
    if (!c.input.ends_with("0\n")) {
      EXPECT_TRUE(run.output.ends_with("\n\x1b[0m")) << "the shell's prompt starts a fresh line";
    }
  }
  unsetenv("VISUAL");
}

}  // namespace
}  // namespace calvern_test
