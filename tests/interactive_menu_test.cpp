// End-to-end: the interactive menu, typed at in a real terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "terminal_session.h"

namespace calvern_test {
namespace {

const char* const kPrompt = "Your choice :";

// A shell script standing in for an outside program: it writes its working directory and its
// arguments, one per line, to `log`.
void WriteRecorder(const TempDir& dir, const std::string& name, const std::string& log) {
  dir.Write(name, "#!/bin/sh\npwd > " + ShellQuote(log) +
                      "\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> " + ShellQuote(log) +
                      "; done\n");
  chmod(dir.File(name).c_str(), 0755);
}

// Waits for a file that a started program writes.
std::string WaitForFile(const TempDir& dir, const std::string& name) {
  for (int i = 0; i < 250 && dir.Read(name).find('\n') == std::string::npos; ++i) usleep(20000);
  usleep(50000);  // let the writer finish
  return dir.Read(name);
}

// Waits until a file that another process writes contains `text`.
bool WaitForText(const TempDir& dir, const std::string& name, const std::string& text) {
  for (int i = 0; i < 250; ++i) {
    if (dir.Read(name).find(text) != std::string::npos) return true;
    usleep(20000);
  }
  return false;
}

// The programs that calvern started and that have ended but were never reaped.
int ZombieChildrenOfCalvern() {
  int zombies = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc", error)) {
    std::ifstream stat(entry.path() / "stat");
    std::string text;
    if (!std::getline(stat, text)) continue;
    std::size_t close = text.rfind(')');
    if (close == std::string::npos || close + 4 >= text.size() || text[close + 2] != 'Z') continue;
    std::string parent = text.substr(close + 4, text.find(' ', close + 4) - close - 4);
    std::error_code linkError;
    fs::path exe = fs::read_symlink(fs::path("/proc") / parent / "exe", linkError);
    if (!linkError && fs::equivalent(exe, CALVERN_BINARY, linkError)) ++zombies;
  }
  return zombies;
}

TEST(InteractiveMenu, FirstRunScreen) {
  TempDir dir;
  setenv("VISUAL", "visual-editor", 1);  // the first run's editor is the user's usual one
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  std::vector<std::string> screen = terminal.Screen();
  std::vector<std::string> expected = {"",
                                       " +-----------------------------------+",
                                       " |                                   |*",
                                       " |  Calvern .. not yet connected ..  |*",
                                       " |                                   |*",
                                       " +-----------------------------------+*",
                                       "  *************************************",
                                       "",
                                       " 1: Change current source",
                                       " 2: Compile source",
                                       " 3: Edit source",
                                       " 4: View compiled source",
                                       " 5: Set current Editor and Emulator",
                                       " 6: View HELP file",
                                       " 7: Serial Link with Calculator",
                                       " 8: Test program with Emulator",
                                       " 9: Language",
                                       " 0: Quit",
                                       " Your choice :",
                                       "",
                                       "",
                                       "  No source defined",
                                       "  Editor is visual-editor Emulator is",
                                       "  249 instructions. (COM1/255)"};
  ASSERT_GE(screen.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(screen.begin(), screen.begin() + expected.size()), expected);

  // The status lines are shown once: the next screen has them empty.
  terminal.TypeLine("X");
  EXPECT_TRUE(terminal.WaitForGone("No source defined"));
  EXPECT_TRUE(terminal.WaitFor(kPrompt));

  terminal.TypeLine("0");
  EXPECT_EQ(terminal.WaitForExit(), 0);
  EXPECT_EQ(dir.Read("calvern.inf"), "\r\n\r\nvisual-editor\r\n\r\n\r\nCOM1,255\r\n\r\n");
  unsetenv("VISUAL");
}

TEST(InteractiveMenu, ChooseCompileAndKeepSettings) {
  TempDir dir;
  setenv("VISUAL", "visual-editor", 1);
  dir.Write("prog.txt", "start: $12 ENT + GOTO start\r\n");
  {
    TerminalSession terminal(dir);
    ASSERT_TRUE(terminal.WaitFor(kPrompt));
    terminal.TypeLine("2");
    ASSERT_TRUE(terminal.WaitFor("No source selected!"));
    terminal.TypeLine("1");
    ASSERT_TRUE(terminal.WaitFor("Select source file..."));
    EXPECT_TRUE(terminal.WaitFor("   prog.txt")) << "the requester lists matching files";
    terminal.TypeLine("prog.txt");
    ASSERT_TRUE(terminal.WaitFor("Eventual MK file"));
    std::string screen = terminal.ScreenText();
    EXPECT_NE(screen.find("  Source selected       : prog.txt\n"), std::string::npos) << screen;
    EXPECT_NE(screen.find("  Compiled name will be : prog.LST\n"), std::string::npos);
    EXPECT_NE(screen.find("  Eventual MK file      : prog.MK?\n"), std::string::npos);
    terminal.TypeLine("2");
    ASSERT_TRUE(terminal.WaitFor("Compilation successfull!"));
    EXPECT_TRUE(terminal.WaitFor("  First free step is 6"));
    // The progress lines flash by before the next screen: read them from the terminal's stream.
    // Every line is erased to its end (ESC [K), so that no longer text drawn earlier survives
    // on a terminal that keeps it.
    EXPECT_TRUE(WaitForText(dir, ".terminal-output",
                            " Opening source file prog.txt...\x1b[K\r\n"
                            " Creating compiled file prog.LST...\x1b[K\r\n"));
    EXPECT_TRUE(WaitForText(dir, ".terminal-output", "  No source selected!\x1b[K\r\n"));
    EXPECT_TRUE(WaitForText(dir, ".terminal-output", "Your choice : \x1b[K"));
    EXPECT_NE(dir.Read("prog.LST").find("  0000  |  01  | 1"), std::string::npos);
    terminal.TypeLine("0");
    ASSERT_EQ(terminal.WaitForExit(), 0);
  }
  std::string base = dir.File("prog.");
  EXPECT_EQ(dir.Read("calvern.inf"), dir.File("prog.txt") + "\r\n" + base +
                                         "LST\r\nvisual-editor\r\n" + base +
                                         "\r\n\r\nCOM1,255\r\n\r\n");

  // The next run starts where the last one ended.
  TerminalSession again(dir);
  ASSERT_TRUE(again.WaitFor(kPrompt));
  EXPECT_NE(again.ScreenText().find("  Starting with source file prog.txt"), std::string::npos);
  again.TypeLine("1");
  ASSERT_TRUE(again.WaitFor("Select source file..."));
  again.TypeLine("");
  ASSERT_TRUE(again.WaitFor("Action cancelled"));
  again.TypeLine("2");
  EXPECT_TRUE(again.WaitFor("No source selected!")) << "a cancelled choice empties the source";
}

TEST(InteractiveMenu, SettingsFileEdgeCases) {
  TempDir dir;
  // More than seven lines, LF ends, an empty editor line and a malformed port line.
  dir.Write("calvern.inf", "a.txt\na.LST\n\na.\nemu\ncom3,7\n\nextra line\n");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  std::string screen = terminal.ScreenText();
  EXPECT_NE(screen.find("  Editor is  Emulator is emu\n"), std::string::npos) << screen;
  EXPECT_NE(screen.find("instructions. (COM1/255)"), std::string::npos);
  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  EXPECT_EQ(dir.Read("calvern.inf"), "a.txt\r\na.LST\r\n\r\na.\r\nemu\r\nCOM1,255\r\n\r\n");
  EXPECT_FALSE(dir.Exists("calvern.inf.new"));
}

// Control characters in a file name or a settings line are shown as escapes: they neither
// retitle nor clear the terminal, in the status lines or in the requester's list.
TEST(InteractiveMenu, ControlCharactersAreShownNotObeyed) {
  TempDir dir;
  const std::string evil = "evil\x1b]0;PWNED\x07\x1b[2J.txt";
  const std::string shown = "evil\\x1b]0;PWNED\\x07\\x1b[2J.txt";
  dir.Write(evil, "ENT\r\n");
  dir.Write("calvern.inf", dir.File(evil) +
                               "\r\n\r\ned\x1b[31m\r\n\r\n\x9b"
                               "2J\r\nCOM1,255\r\n");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  std::string screen = terminal.ScreenText();
  EXPECT_NE(screen.find("  Starting with source file " + shown + "\n"), std::string::npos)
      << screen;
  EXPECT_NE(screen.find("  Editor is ed\\x1b[31m Emulator is \\x9b2J\n"), std::string::npos);
  terminal.TypeLine("1");
  ASSERT_TRUE(terminal.WaitFor("Select source file..."));
  EXPECT_TRUE(terminal.WaitFor("\n   " + shown + "\n"));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  // Nothing of the names reached the terminal as a command; the settings keep them as they are
  // (Enter alone in the requester cancelled the source).
  const std::string output = dir.Read(".terminal-output");
  EXPECT_NE(output.find("Starting with source file"), std::string::npos);
  EXPECT_EQ(output.find("\x1b]0;PWNED"), std::string::npos);
  EXPECT_EQ(output.find("\x07\x1b[2J"), std::string::npos);
  EXPECT_EQ(output.find("ed\x1b[31m"), std::string::npos);
  EXPECT_EQ(output.find("\x9b"), std::string::npos);
  EXPECT_EQ(dir.Read("calvern.inf"), std::string("\r\n\r\ned\x1b[31m\r\n\r\n\x9b"
                                                 "2J\r\nCOM1,255\r\n\r\n"));
}

TEST(InteractiveMenu, UnsavableSettingsAreReportedAndNothingIsLost) {
  TempDir dir;
  fs::create_directory(dir.path() / "calvern.inf");  // cannot be replaced by a file
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("0");
  ASSERT_TRUE(terminal.WaitFor("Can't save parameters to CALVERN.INF !"));
  EXPECT_TRUE(terminal.WaitFor("Press ENTER."));
  terminal.TypeLine("");
  EXPECT_EQ(terminal.WaitForExit(), 0);
  EXPECT_TRUE(fs::is_directory(dir.path() / "calvern.inf"));
}

TEST(InteractiveMenu, EditorReceivesTheFileInItsOwnDirectory) {
  TempDir dir;
  fs::create_directory(dir.path() / "tools");
  WriteRecorder(dir, "tools/my editor.sh", dir.File("editor.log"));
  dir.Write("my prog.txt", "ENT\r\n");
  dir.Write("calvern.inf", dir.File("my prog.txt") + "\r\n" + dir.File("my prog.LST") +
                               "\r\ntools/my editor.sh\r\n\r\n\r\nCOM1,255\r\n\r\n");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("3");
  ASSERT_TRUE(terminal.WaitFor("Editing source file..."));
  EXPECT_EQ(WaitForFile(dir, "editor.log"),
            dir.File("tools") + "\n" + dir.File("my prog.txt") + "\n");

  fs::remove(dir.path() / "editor.log");
  terminal.TypeLine("4");
  ASSERT_TRUE(terminal.WaitFor("Viewing compiled file..."));
  EXPECT_EQ(WaitForFile(dir, "editor.log"),
            dir.File("tools") + "\n" + dir.File("my prog.LST") + "\n");

  EXPECT_EQ(ZombieChildrenOfCalvern(), 0) << "an editor that ended is reaped";

  terminal.TypeLine("5");
  ASSERT_TRUE(terminal.WaitFor("Select your Editor..."));
  terminal.TypeLine("missing-editor");
  ASSERT_TRUE(terminal.WaitFor("Select your Emulator..."));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor("Editor selected : missing-editor"));
  EXPECT_TRUE(terminal.WaitFor("Emulator: Action cancelled"));
  terminal.TypeLine("3");
  EXPECT_TRUE(terminal.WaitFor("Error: Editor can't be run!"));
}

// Settings with arguments, typed at key 5 as a shell would read them: the program, its
// arguments, then the file (or "-p" and the MK files); quotes keep a path with blanks whole.
TEST(InteractiveMenu, EditorAndEmulatorSettingsCarryArguments) {
  TempDir dir;
  fs::create_directory(dir.path() / "tools");
  fs::create_directory(dir.path() / "emu dir");
  WriteRecorder(dir, "tools/my editor.sh", dir.File("editor.log"));
  WriteRecorder(dir, "emu dir/emulator.sh", dir.File("emulator.log"));
  dir.Write("prog.txt", "ENT\r\n");
  dir.Write("calvern.inf", dir.File("prog.txt") + "\r\n\r\nnano\r\n\r\n\r\nCOM1,255\r\n\r\n");
  const std::string editor = "'tools/my editor.sh' --wait \"-n 2\"";
  const std::string emulator = "sh '" + dir.File("emu dir/emulator.sh") + "' --fast";
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("5");
  ASSERT_TRUE(terminal.WaitFor("Select your Editor..."));
  terminal.TypeLine(editor);
  ASSERT_TRUE(terminal.WaitFor("Select your Emulator..."));
  terminal.TypeLine(emulator);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("3");
  ASSERT_TRUE(terminal.WaitFor("Editing source file..."));
  EXPECT_EQ(WaitForFile(dir, "editor.log"),
            dir.File("tools") + "\n--wait\n-n 2\n" + dir.File("prog.txt") + "\n");
  terminal.TypeLine("8");
  ASSERT_TRUE(terminal.WaitFor("a successfull compilation !"));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor("  Emulator is running..."));
  EXPECT_EQ(WaitForFile(dir, "emulator.log"), dir.path().string() + "\n--fast\n-p\n");

  // A quote left open can't be read: nothing runs.
  terminal.TypeLine("5");
  ASSERT_TRUE(terminal.WaitFor("Select your Editor..."));
  terminal.TypeLine("'tools/my editor.sh --wait");
  ASSERT_TRUE(terminal.WaitFor("Select your Emulator..."));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("3");
  EXPECT_TRUE(terminal.WaitFor("Error: Editor can't be run!"));
  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  EXPECT_EQ(dir.Read("calvern.inf"), dir.File("prog.txt") +
                                         "\r\n\r\n'tools/my editor.sh --wait\r\n\r\n" + emulator +
                                         "\r\nCOM1,255\r\n\r\n");
}

TEST(InteractiveMenu, EmulatorStartsOnTheMkFiles) {
  TempDir dir;
  WriteRecorder(dir, "emulator.sh", dir.File("emulator.log"));
  fs::create_directory(dir.path() / "out");
  dir.Write("prog.txt", "#BINARY #DB 1 #END #PROGRAM ENT\r\n");
  dir.Write("calvern.inf", dir.File("prog.txt") + "\r\n" + dir.File("prog.LST") +
                               "\r\nnotepad.exe\r\n" + dir.File("out/prog.") + "\r\n" +
                               dir.File("emulator.sh") + "\r\nCOM1,255\r\n\r\n");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("8");  // nothing compiled yet: a hint, then the emulator without files
  ASSERT_TRUE(terminal.WaitFor("a successfull compilation !"));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor("  Emulator is running..."));
  EXPECT_EQ(WaitForFile(dir, "emulator.log"), dir.path().string() + "\n-p\n");

  // Without "#MKFiles 2" an interactive compilation writes no MK file.
  fs::remove(dir.path() / "emulator.log");
  terminal.TypeLine("2");
  ASSERT_TRUE(terminal.WaitFor("Compilation successfull!"));
  terminal.TypeLine("8");
  ASSERT_TRUE(terminal.WaitFor("No MK files were created during compilation!"));
  EXPECT_TRUE(terminal.WaitFor("Please add <#MKFiles 2> to your source code."));
  terminal.TypeLine("");
  EXPECT_EQ(WaitForFile(dir, "emulator.log"), dir.path().string() + "\n-p\n");

  fs::remove(dir.path() / "emulator.log");
  dir.Write("prog.txt", "#MKFiles 2 #BINARY #DB 1 #END #PROGRAM ENT\r\n");
  terminal.TypeLine("2");
  ASSERT_TRUE(terminal.WaitFor("Compilation successfull!"));
  terminal.TypeLine("8");
  ASSERT_TRUE(terminal.WaitFor("  Emulator is running prog.MKP..."));
  EXPECT_EQ(WaitForFile(dir, "emulator.log"), dir.File("out") + "\n-p\nprog.MKP\nprog.MKB\n");
}

TEST(InteractiveMenu, HelpFileIsWrittenAndOpened) {
  TempDir dir;
  WriteRecorder(dir, "editor.sh", dir.File("editor.log"));
  dir.Write("calvern.inf", "\r\n\r\n" + dir.File("editor.sh") + "\r\n\r\n\r\nCOM1,255\r\n\r\n");
  dir.Write("calvern-help.txt", "old notes");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("6");
  ASSERT_TRUE(terminal.WaitFor("Viewing HELP file..."));
  EXPECT_EQ(WaitForFile(dir, "editor.log"),
            dir.path().string() + "\n" + dir.File("calvern-help.txt") + "\n");
  std::string help = dir.Read("calvern-help.txt");
  EXPECT_TRUE(
      help.starts_with("  Help file for Calvern V1.09 11/2015\r\n"
                       "  -----------------------------------\r\n\r\n  CONTACT\r\n"));
  EXPECT_TRUE(help.ends_with("\r\n\r\n\r\n\r\n  -- END OF FILE --\r\n"));
  EXPECT_NE(help.find("  9001  \\GMode\r\n    - "), std::string::npos);

  // With no source chosen the editor starts without any argument.
  fs::remove(dir.path() / "editor.log");
  terminal.TypeLine("3");
  ASSERT_TRUE(terminal.WaitFor("Editing source file..."));
  EXPECT_EQ(WaitForFile(dir, "editor.log"), dir.path().string() + "\n");
}

// A terminal editor has the terminal to itself: the menu waits for it and is drawn again after
// it. A bare program name typed at key 5 stays bare and is found on the PATH.
TEST(InteractiveMenu, TerminalEditorIsWaitedForAndFoundOnThePath) {
  TempDir dir, programs;
  programs.Write("term-editor",
                 "#!/bin/sh\nclear\necho \"EDITING $1\"\nread line\necho \"$line\" > " +
                     ShellQuote(dir.File("editor.log")) + "\n");
  chmod(programs.File("term-editor").c_str(), 0755);
  const std::string oldPath = std::getenv("PATH");
  setenv("PATH", (programs.path().string() + ":" + oldPath).c_str(), 1);
  dir.Write("prog.txt", "ENT\r\n");
  dir.Write("calvern.inf",
            dir.File("prog.txt") + "\r\n\r\nnotepad.exe\r\n\r\n\r\nCOM1,255\r\n\r\n");
  TerminalSession terminal(dir);
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  terminal.TypeLine("5");
  ASSERT_TRUE(terminal.WaitFor("Select your Editor..."));
  terminal.TypeLine("term-editor");
  ASSERT_TRUE(terminal.WaitFor("Select your Emulator..."));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor("Editor selected : term-editor"));
  terminal.TypeLine("3");
  ASSERT_TRUE(terminal.WaitFor("EDITING " + dir.File("prog.txt")));
  usleep(300000);
  EXPECT_EQ(terminal.ScreenText().find(kPrompt), std::string::npos) << "the menu waits";
  terminal.TypeLine("typed in the editor");
  ASSERT_TRUE(terminal.WaitFor("Editing source file..."));
  EXPECT_EQ(dir.Read("editor.log"), "typed in the editor\n");
  EXPECT_EQ(terminal.ScreenText().find("EDITING"), std::string::npos) << "the menu is redrawn";
  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  EXPECT_EQ(dir.Read("calvern.inf"),
            dir.File("prog.txt") + "\r\n\r\nterm-editor\r\n\r\n\r\nCOM1,255\r\n\r\n");
}

// Ctrl-D, Ctrl-C, a termination and a hang-up all end the menu with the choices saved, and
// leave the shell's prompt on a fresh line. A choice is saved as soon as it is made: even a
// kill, which the program never hears of (a console window closed under Wine ends it so),
// keeps it.
TEST(InteractiveMenu, EveryWayOutSavesTheSettings) {
  for (const std::string way : {"C-d", "C-c", "TERM", "HUP", "KILL"}) {
    SCOPED_TRACE(way);
    TempDir dir;
    dir.Write("prog.txt", "ENT\r\n");
    TerminalSession terminal(dir);
    ASSERT_TRUE(terminal.WaitFor(kPrompt));
    terminal.TypeLine("1");
    ASSERT_TRUE(terminal.WaitFor("Select source file..."));
    terminal.TypeLine("prog.txt");
    ASSERT_TRUE(terminal.WaitFor("Source selected"));
    if (way.starts_with("C-")) {
      terminal.PressKey(way);
    } else {
      int signal = way == "TERM" ? SIGTERM : way == "HUP" ? SIGHUP : SIGKILL;
      ASSERT_EQ(kill(terminal.ProgramPid(), signal), 0);
    }
    EXPECT_EQ(terminal.WaitForExit(), way == "KILL" ? 128 + SIGKILL : 0);
    EXPECT_TRUE(dir.Read("calvern.inf").starts_with(dir.File("prog.txt") + "\r\n"));
    if (way == "KILL") continue;
    std::string output = dir.Read(".terminal-output");
    EXPECT_NE(output.find("\n", output.rfind("Your choice : ")), std::string::npos);
  }
}

}  // namespace
}  // namespace calvern_test

namespace calvern_test {
namespace {

void CopyLanguageFile(const TempDir& dir, const std::string& name) {
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "lang" / name, dir.path() / name);
}

TEST(InteractiveLanguage, RussianIsChosenShownAndKept) {
  TempDir dir;
  CopyLanguageFile(dir, "ru.LOC");
  {
    TerminalSession terminal(dir);
    ASSERT_TRUE(terminal.WaitFor(kPrompt));
    terminal.TypeLine("9");
    ASSERT_TRUE(terminal.WaitFor("Select your language..."));
    EXPECT_TRUE(terminal.WaitFor("   ru.LOC"));
    terminal.TypeLine("ru.LOC");
    ASSERT_TRUE(terminal.WaitFor(" 0: Выход"));
    std::vector<std::string> screen = terminal.Screen();
    EXPECT_EQ(screen[3], " |  Calvern .. ещё не подключён ..  |*");
    // The box is as wide as the line in characters, not bytes: 14 Cyrillic letters take two.
    EXPECT_EQ(screen[1], " +" + std::string(screen[3].size() - 14 - 4, '-') + "+");
    EXPECT_EQ(screen[16], " 9: Language");
    terminal.TypeLine("0");
    ASSERT_EQ(terminal.WaitForExit(), 0);
  }
  EXPECT_TRUE(dir.Read("calvern.inf").ends_with("\r\nCOM1,255\r\nru.LOC\r\n"));
  TerminalSession again(dir);
  EXPECT_TRUE(again.WaitFor(" 2: Компилировать исходный файл"));
}

TEST(InteractiveLanguage, BrokenFilesWarnAndKeepEnglish) {
  TempDir dir;
  // A UTF-8 copy of the French file: no byte-order mark, and its lines read as garbage.
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "lang" / "fr.txt", dir.path() / "utf8.LOC");
  dir.Write("calvern.inf", "\r\n\r\nnotepad.exe\r\n\r\n\r\nCOM1,255\r\nutf8.LOC\r\n");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor("utf8.LOC is not a Unicode file!"));
  EXPECT_TRUE(terminal.WaitFor("Warning on Language file"));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor("utf8.LOC is not correct, default ENGLISH selected."));
  EXPECT_TRUE(terminal.WaitFor("Error in language file!"));
  terminal.TypeLine("");
  ASSERT_TRUE(terminal.WaitFor(" 0: Quit"));

  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  EXPECT_TRUE(dir.Read("calvern.inf").ends_with("\r\nutf8.LOC\r\n"));
}

// Enter alone and every language file that can't be used keep the current language, and each
// refusal says why in the status line; a settings line 7 with a directory is refused at start.
TEST(InteractiveLanguage, EnterAndRefusalsKeepTheCurrentLanguage) {
  TempDir dir;
  CopyLanguageFile(dir, "ru.LOC");
  dir.Write("big.LOC", "\xFF\xFE" + std::string(1100000, ' '));
  dir.Write("calvern.inf",
            "\r\n\r\nnotepad.exe\r\n\r\n\r\nCOM1,255\r\n" + dir.File("ru.LOC") + "\r\n");
  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor(kPrompt));
  EXPECT_TRUE(terminal.WaitFor("  Language files are read from the current directory only: " +
                               dir.File("ru.LOC")));
  terminal.TypeLine("9");
  ASSERT_TRUE(terminal.WaitFor("Select your language..."));
  terminal.TypeLine("ru.LOC");
  ASSERT_TRUE(terminal.WaitFor(" 0: Выход"));
  struct Case {
    std::string answer, status;
  } cases[] = {{"", "  Действие отменено"},
               {"xx.LOC", "  Language file not found in the current directory: xx.LOC"},
               {"/nowhere/xx.LOC", "  Language file not found in the current directory: xx.LOC"},
               {"big.LOC", "  Language file too large, not read: big.LOC"}};
  for (const Case& c : cases) {
    SCOPED_TRACE("answer '" + c.answer + "'");
    terminal.TypeLine("9");
    ASSERT_TRUE(terminal.WaitFor("Select your language..."));
    terminal.TypeLine(c.answer);
    ASSERT_TRUE(terminal.WaitFor(c.status));
    EXPECT_NE(terminal.ScreenText().find(" 0: Выход"), std::string::npos);
  }
  terminal.TypeLine("0");
  ASSERT_EQ(terminal.WaitForExit(), 0);
  EXPECT_TRUE(dir.Read("calvern.inf").ends_with("\r\nCOM1,255\r\nru.LOC\r\n"));
}

}  // namespace
}  // namespace calvern_test

namespace calvern_test {
namespace {

// UTF-16LE bytes of an ASCII text.
std::string AsciiUtf16(const std::string& text) {
  std::string out;
  for (char c : text) out += std::string(1, c) + '\0';
  return out;
}

TEST(InteractiveLanguage, TranslatorsHelpFileIsShownInsteadOfTheManual) {
  TempDir dir;
  // The Russian file with its help line naming a help file of its own.
  std::string russian = [] {
    std::ifstream in(fs::path(CALVERN_SOURCE_DIR) / "lang" / "ru.LOC", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  std::string help = AsciiUtf16("\n#\r\n");
  std::size_t at = russian.find(help);
  ASSERT_NE(at, std::string::npos);
  russian.replace(at, help.size(), AsciiUtf16("\nhelp-ru.txt\r\n"));
  dir.Write("ru.LOC", russian);
  WriteRecorder(dir, "editor.sh", dir.File("editor.log"));
  dir.Write("calvern.inf",
            "\r\n\r\n" + dir.File("editor.sh") + "\r\n\r\n\r\nCOM1,255\r\nru.LOC\r\n");

  TerminalSession terminal(dir);
  ASSERT_TRUE(terminal.WaitFor("Ваш выбор :"));
  terminal.TypeLine("6");  // the translator's file is missing: nothing to show
  ASSERT_TRUE(terminal.WaitFor("Ошибка: не удаётся создать файл справки!"));
  EXPECT_FALSE(dir.Exists("calvern-help.txt"));
  EXPECT_FALSE(dir.Exists("editor.log"));

  dir.Write("help-ru.txt", "Справка");
  terminal.TypeLine("6");
  EXPECT_EQ(WaitForFile(dir, "editor.log"),
            dir.path().string() + "\n" + dir.File("help-ru.txt") + "\n");
  EXPECT_FALSE(dir.Exists("calvern-help.txt"));
  EXPECT_EQ(dir.Read("help-ru.txt"), "Справка") << "never overwritten";
}

}  // namespace
}  // namespace calvern_test
