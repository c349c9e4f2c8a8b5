// Runs a Windows program and hands its whole 32-bit exit code to the end-to-end tests, which
// run under Wine: a POSIX parent sees only the low 8 bits of an exit status. The code is
// written, in decimal, to the file named by CALVERN_EXIT_CODE_FILE.
//   exit_code_relay.exe PROGRAM [ARGUMENTS...]
// The program gets the relay's standard streams; with CALVERN_RELAY_NO_STREAMS set it gets
// none, as a program started from Explorer or a shortcut.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The command line after the relay's own name, exactly as it was given.
std::wstring CommandLineAfterProgramName() {
  const wchar_t* line = GetCommandLineW();
  if (*line == L'"') {
    ++line;
    while (*line && *line != L'"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != L' ' && *line != L'\t') ++line;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return line;
}

// The program to run: the first word of the rest, unquoted.
std::wstring FirstWord(const std::wstring& line) {
  if (!line.empty() && line[0] == L'"') return line.substr(1, line.find(L'"', 1) - 1);
  return line.substr(0, line.find_first_of(L" \t"));
}

}  // namespace

int main() {
  std::wstring commandLine = CommandLineAfterProgramName();
  if (commandLine.empty()) {
    std::fputs("usage: exit_code_relay PROGRAM [ARGUMENTS...]\n", stderr);
    return 125;
  }
  std::wstring program = FirstWord(commandLine);
  bool streams = std::getenv("CALVERN_RELAY_NO_STREAMS") == nullptr;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  if (streams) {
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
      SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, streams, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::fprintf(stderr, "exit_code_relay: cannot start %ls (error %lu)\n", program.c_str(),
                 GetLastError());
    return 126;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (const char* file = std::getenv("CALVERN_EXIT_CODE_FILE")) {
    if (std::FILE* out = std::fopen(file, "w")) {
      std::fprintf(out, "%lu\n", code);
      std::fclose(out);
    }
  }
  return static_cast<int>(code);
}
