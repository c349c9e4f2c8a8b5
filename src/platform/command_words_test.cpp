#include "platform/command_words.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/process.h"

namespace calvern::platform {
namespace {

using Words = std::vector<std::string>;

struct WordsCase {
  std::string command;
  std::optional<Words> words;  // nothing: the command can't be read
};

// Each reading below is what sh (or a Windows program's start-up code) makes of the command.
TEST(CommandWords, AsAPosixShellReadsThem) {
  const std::vector<WordsCase> cases = {
      {"code --wait", Words{"code", "--wait"}},
      {"  wine   /opt/emk/emk.exe\t", Words{"wine", "/opt/emk/emk.exe"}},
      {"'/opt/My Editor/ed' -n", Words{"/opt/My Editor/ed", "-n"}},
      {"\"/opt/My Editor/ed\" \"a \\\"b\\\" \\\\ \\$x \\q\"",
       Words{"/opt/My Editor/ed", "a \"b\" \\ $x \\q"}},
      {"/opt/My\\ Editor/ed", Words{"/opt/My Editor/ed"}},
      {"ed '' \"\" x''y", Words{"ed", "", "", "xy"}},
      {"a\"b c\"d'e f'", Words{"ab cde f"}},
      {"ed 'it''s' \"it's\"", Words{"ed", "its", "it's"}},
      {"ed $HOME ~ *.txt a;b", Words{"ed", "$HOME", "~", "*.txt", "a;b"}},
      {"ed \\\n-x", Words{"ed", "-x"}},
      {"", Words{}},
      {"'open", std::nullopt},
      {"\"open", std::nullopt},
      {"ed \\", std::nullopt},
  };
  for (const WordsCase& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(CommandWords(c.command, CommandRules::kPosixShell), c.words);
  }
}

TEST(CommandWords, AsWindowsReadsThem) {
  const std::vector<WordsCase> cases = {
      {"notepad.exe", Words{"notepad.exe"}},
      {"\"C:\\Program Files\\Notepad++\\notepad++.exe\" -multiInst",
       Words{"C:\\Program Files\\Notepad++\\notepad++.exe", "-multiInst"}},
      {"C:\\tools\\ed.exe C:\\dir\\ \"C:\\my dir\\\\\"",
       Words{"C:\\tools\\ed.exe", "C:\\dir\\", "C:\\my dir\\"}},
      {"ed a\\\\\\\"b \"x\"\"y\" \"\"", Words{"ed", "a\\\"b", "x\"y", ""}},
      {"ed a\"b c\"d 'single quotes' ", Words{"ed", "ab cd", "'single", "quotes'"}},
      {"\"open program", Words{"open program"}},
      {"ed \"open argument", Words{"ed", "open argument"}},
      {"   ", Words{}},
  };
  for (const WordsCase& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(CommandWords(c.command, CommandRules::kWindows), c.words);
  }
}

// A setting that names a file is that program even with blanks and unquoted, the way the
// requester stores a chosen path; any other setting is read into words.
TEST(CommandWords, ProgramSettings) {
  std::string pattern = (std::filesystem::temp_directory_path() / "calvern-words-XXXXXX").string();
  const std::string dir = std::string(mkdtemp(pattern.data())) + "/";
  std::filesystem::create_directory(dir + "my tools");
  std::ofstream(dir + "my tools/ed") << "#!/bin/sh\n";
  struct Case {
    std::string setting;
    std::optional<ProgramCommand> command;
  };
  const std::vector<Case> cases = {
      {"my tools/ed", ProgramCommand{"my tools/ed", {}}},
      {dir + "my tools/ed", ProgramCommand{dir + "my tools/ed", {}}},
      {"'my tools/ed' --wait", ProgramCommand{"my tools/ed", {"--wait"}}},
      {"my tools/ed --wait", ProgramCommand{"my", {"tools/ed", "--wait"}}},
      {"code --wait", ProgramCommand{"code", {"--wait"}}},
      {"", std::nullopt},
      {"'' x", std::nullopt},
      {"'open", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    std::optional<ProgramCommand> command = ReadProgramSetting(c.setting, dir);
    ASSERT_EQ(command.has_value(), c.command.has_value());
    if (command) {
      EXPECT_EQ(command->program, c.command->program);
      EXPECT_EQ(command->arguments, c.command->arguments);
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace calvern::platform
