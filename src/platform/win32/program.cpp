#include "platform/program.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <cstdio>

#include "platform/win32/wide_text.h"

namespace calvern::platform {
namespace {

// A windowed program started from a command prompt has no standard streams of its own: it
// writes to the prompt's console, so that the verbs' messages are seen there.
void AttachToParentConsole() {
  if (GetStdHandle(STD_ERROR_HANDLE) != nullptr) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  (void)std::freopen("CONOUT$", "w", stdout);
  (void)std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

// Windows' heap keeps to its own policy: nothing is set.
void KeepFreedMemory() {}

void PrepareMemory(std::size_t) {}

// The parameters come from the wide command line, so that a path with Cyrillic letters
// arrives whole. The standard streams carry the program's bytes as written: a line end stays
// one LF, as on every other system.
std::vector<std::string> ProgramArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr) {
    for (int i = 1; i < count; ++i) arguments.push_back(Narrow(wide[i]));
    LocalFree(wide);
  }
  if (!arguments.empty()) AttachToParentConsole();
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
  return arguments;
}

// Windows exit codes are 32 bits: the caller gets 10 + 256 x line whole. A code beyond them
// keeps its low 8 bits, as elsewhere.
int ExitStatus(long long code) {
  if (code >= 0 && code <= 0x7FFFFFFF) return static_cast<int>(code);
  return static_cast<int>(code & 0xFF);
}

}  // namespace calvern::platform
