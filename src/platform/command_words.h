// A program setting with arguments ("code --wait", "wine /opt/emk/emk.exe") read into words the
// way the platform's own command line would read it, without running a shell.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calvern::platform {

enum class CommandRules {
  // A POSIX shell's quoting: blanks separate words; '...' keeps everything; "..." keeps
  // everything but \" \\ \$ \`; a backslash outside quotes keeps the next character. Nothing is
  // expanded: $HOME, ~ and * are plain characters, as are ; | & < >.
  kPosixShell,
  // Windows programs: the program name ends at the first blank unless it is quoted ("..."
  // without escapes); the arguments follow the rules of CommandLineToArgvW (backslashes count
  // only before a quote, "" inside quotes is one quote).
  kWindows,
};

// The words of a command; nothing when a quote is left open or a backslash ends a POSIX
// command (Windows reads an open quote to the end). Quoted empty words ("") are kept.
std::optional<std::vector<std::string>> CommandWords(std::string_view command, CommandRules rules);

}  // namespace calvern::platform
