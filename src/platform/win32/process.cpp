#include "platform/process.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace calvern::platform {
namespace {

// One argument quoted as Windows programs split their command line: backslashes count only
// before a quote, which they must then escape.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

}  // namespace

CommandRules NativeCommandRules() { return CommandRules::kWindows; }

// The started program is independent: no handle is kept, nothing is inherited, and a program
// of the console gets a console of its own instead of the menu's.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory) {
  std::wstring commandLine = Quoted(Widen(program));
  for (const std::string& argument : arguments) commandLine += L" " + Quoted(Widen(argument));
  std::wstring directory = Widen(workingDirectory);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// Windows editors have windows of their own: the menu does not wait for them.
bool RunProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) {
  return StartProgram(program, arguments, workingDirectory);
}

std::string FindOnPath(const std::string& name) {
  if (name.empty()) return std::string();
  wchar_t found[MAX_PATH];
  DWORD size = SearchPathW(nullptr, Widen(name).c_str(), L".exe", MAX_PATH, found, nullptr);
  return size == 0 || size >= MAX_PATH ? std::string() : Narrow(std::wstring(found, size));
}

std::string DefaultEditor() { return "notepad.exe"; }

}  // namespace calvern::platform
