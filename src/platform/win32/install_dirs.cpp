#include "platform/install_dirs.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace calvern::platform {

// On Windows the language files ship beside calvern.exe: the program's own folder.
std::string InstalledDataDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0) return "";
    if (size < path.size()) {
      path.resize(size);
      break;
    }
    if (path.size() > 32768) return "";
    path.resize(path.size() * 2);
  }
  std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? "" : Narrow(path.substr(0, separator + 1));
}

}  // namespace calvern::platform
