// A stand-in editor or emulator for the tests of the Windows program: it records how it was
// started and ends. Each start adds two lines, UTF-8, to the file named by CALVERN_RECORD_FILE
// (else "started.txt" beside the program): its whole command line as Windows handed it over,
// and its current directory.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring RecordFile() {
  wchar_t path[32768];
  DWORD size = GetEnvironmentVariableW(L"CALVERN_RECORD_FILE", path, 32768);
  if (size > 0 && size < 32768) return path;
  size = GetModuleFileNameW(nullptr, path, 32768);
  std::wstring file(path, size);
  return file.substr(0, file.find_last_of(L'\\') + 1) + L"started.txt";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t directory[32768];
  GetCurrentDirectoryW(32768, directory);
  std::string record = Utf8(GetCommandLineW()) + "\n" + Utf8(directory) + "\n";
  // Appended whole under a lock of the file, so that two quick starts do not mix their lines.
  HANDLE file = CreateFileW(RecordFile().c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
    Sleep(20);
    file = CreateFileW(RecordFile().c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return written == record.size() ? 0 : 1;
}
