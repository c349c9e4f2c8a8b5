#include "platform/requester.h"

#include <windows.h>
// The requester headers need the types of windows.h first.
#include <cderr.h>
#include <commdlg.h>

#include "platform/files.h"
#include "platform/visible_text.h"
#include "platform/win32/wide_text.h"

namespace calvern::platform {

// The Windows file requester. The filter's "description|mask|" pairs become the requester's
// pairs of texts ended by NULs. Slave mode asks nothing: without a console the answer is a
// cancel, as an empty typed answer would be.
FileAnswer ChooseFile(Console& console, const std::string& title, const std::string& filter,
                      const std::string&, AnswerUse) {
  if (!console.Present()) return {FileAnswer::Kind::kCancelled, {}};
  std::wstring pairs = Widen(filter);
  for (wchar_t& c : pairs) {
    if (c == L'|') c = L'\0';
  }
  if (pairs.empty() || pairs.back() != L'\0') pairs += L'\0';
  pairs += L'\0';
  std::wstring wideTitle = Widen(title);
  std::wstring answer(32768, L'\0');
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = GetConsoleWindow();
  request.lpstrFilter = pairs.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = answer.data();
  request.nMaxFile = static_cast<DWORD>(answer.size());
  request.lpstrTitle = wideTitle.c_str();
  // The program's current directory stays where it started.
  request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&request)) {
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) return {FileAnswer::Kind::kTooLong, {}};
    return {FileAnswer::Kind::kCancelled, {}};
  }
  std::string path = Narrow(answer.c_str());
  if (path.size() > kMaxAnswerBytes) return {FileAnswer::Kind::kTooLong, {}};
  return {FileAnswer::Kind::kChosen, path};
}

// The menu shows a Windows message box. Slave mode writes "title: text" to standard error when
// its caller gave it one, and shows the box only to a caller that did not.
void ShowMessageBox(Console& console, const std::string& title, const std::string& text) {
  HANDLE errorStream = GetStdHandle(STD_ERROR_HANDLE);
  if (!console.Present() && errorStream != nullptr && errorStream != INVALID_HANDLE_VALUE) {
    WriteStandardError(VisibleText(title + ": " + text) + "\n");
    return;
  }
  MessageBoxW(console.Present() ? GetConsoleWindow() : nullptr, Widen(text).c_str(),
              Widen(title).c_str(), MB_OK);
}

}  // namespace calvern::platform
