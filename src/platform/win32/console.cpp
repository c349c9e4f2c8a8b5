#include "platform/console.h"

#include <windows.h>

#include <algorithm>
#include <csignal>

#include "platform/line_reader.h"
#include "platform/visible_text.h"
#include "platform/win32/wide_text.h"

namespace calvern::platform {
namespace {

// Console attributes of the three menu colours.
WORD Attribute(int colour) {
  switch (colour) {
    case kBrightWhite:
      return FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE | FOREGROUND_INTENSITY;
    case kLightGrey:
      return FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE;
    default:
      return 0;
  }
}

// Set by Ctrl-C, Ctrl-Break and the closing of the console window: the menu ends in order (its
// settings saved) at the next read instead of dying in the middle.
volatile std::sig_atomic_t stopRequested = 0;
// The console's input, where a stop puts an Enter so that a read waiting there returns.
HANDLE consoleInput = INVALID_HANDLE_VALUE;

// The longest a closing console waits here for the menu to save its settings and end; Windows
// itself ends the program some seconds after its console window was closed.
constexpr DWORD kClosingGraceMilliseconds = 10000;

void WakeReader() {
  if (consoleInput == INVALID_HANDLE_VALUE) return;
  INPUT_RECORD keys[2] = {};
  for (INPUT_RECORD& key : keys) {
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    key.Event.KeyEvent.uChar.UnicodeChar = L'\r';
  }
  keys[0].Event.KeyEvent.bKeyDown = TRUE;
  DWORD written = 0;
  WriteConsoleInputW(consoleInput, keys, 2, &written);
}

// Runs on a thread of its own. After Ctrl-C the program goes on by itself. The closing of the
// window (or the end of the session) ends the program as soon as this handler returns: it
// returns only when the menu has had its time to save the settings and end the program
// itself, which ends this thread with it.
BOOL WINAPI RequestStop(DWORD event) {
  stopRequested = 1;
  WakeReader();
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    Sleep(kClosingGraceMilliseconds);
  }
  return TRUE;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// The program is windowed: the menu opens a console of its own. Input or output redirected to
// a file or a pipe (a scripted run) is used as it is, without colours or cursor placement.
class WindowsConsole : public Console {
 public:
  WindowsConsole() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE), output = GetStdHandle(STD_OUTPUT_HANDLE);
    bool redirectedIn = input != nullptr && input != INVALID_HANDLE_VALUE && !IsConsole(input);
    bool redirectedOut = output != nullptr && output != INVALID_HANDLE_VALUE && !IsConsole(output);
    if (!(redirectedIn && redirectedOut)) AllocConsole();
    input_ = redirectedIn ? input : Open(L"CONIN$");
    output_ = redirectedOut ? output : Open(L"CONOUT$");
    consoleIn_ = IsConsole(input_);
    consoleOut_ = IsConsole(output_);
    if (consoleIn_) {
      SetConsoleMode(input_, ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
      consoleInput = input_;
    }
    SetConsoleCtrlHandler(RequestStop, TRUE);
  }
  ~WindowsConsole() override { SetColour(kLightGrey, kBlack); }

  bool Present() const override { return true; }

  void Clear() override {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!consoleOut_ || !GetConsoleScreenBufferInfo(output_, &info)) return;
    DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD written = 0;
    FillConsoleOutputCharacterW(output_, L' ', cells, {0, 0}, &written);
    FillConsoleOutputAttribute(output_, Attribute(kLightGrey), cells, {0, 0}, &written);
    SetConsoleTextAttribute(output_, Attribute(kLightGrey));
    SetConsoleCursorPosition(output_, {0, 0});
  }

  // Control characters are shown, not obeyed; the line ends of the text stay.
  void Print(std::string_view text) override {
    std::string shown;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = std::min(text.find('\n', start), text.size());
      shown += VisibleText(text.substr(start, end - start));
      if (end < text.size()) shown += '\n';
      start = end + 1;
    }
    Write(shown);
  }
  void PrintLine(std::string_view text) override { Write(VisibleText(text) + "\n"); }

  void SetColour(int foreground, int background) override {
    if (consoleOut_) {
      SetConsoleTextAttribute(output_, Attribute(foreground) | (Attribute(background) << 4));
    }
  }

  void MoveCursor(int column, int row) override {
    if (consoleOut_) {
      SetConsoleCursorPosition(output_, {static_cast<SHORT>(column), static_cast<SHORT>(row)});
    }
  }

  void SetTitle(std::string_view title) override {
    SetConsoleTitleW(Widen(VisibleText(title)).c_str());
  }

  std::string ReadLine() override { return lines_.ReadLine(); }
  bool InputEnded() const override { return lines_.Ended(); }

 private:
  void Write(std::string_view text) {
    if (text.empty()) return;
    DWORD written = 0;
    if (consoleOut_) {
      std::wstring wide = Widen(text);
      WriteConsoleW(output_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
      WriteFile(output_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
  }

  static HANDLE Open(const wchar_t* name) {
    return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
  }

  // Reads what the input has as UTF-8; false at its end or after a stop was requested. The
  // console gives UTF-16, so typed Cyrillic letters arrive whole.
  bool Fill(std::string& piece) {
    if (stopRequested) return false;
    if (consoleIn_) {
      wchar_t buffer[1024];
      DWORD read = 0;
      if (!ReadConsoleW(input_, buffer, 1024, &read, nullptr) || read == 0 || stopRequested) {
        return false;
      }
      piece = Narrow(std::wstring_view(buffer, read));
    } else {
      char buffer[4096];
      DWORD read = 0;
      if (!ReadFile(input_, buffer, sizeof buffer, &read, nullptr) || read == 0) return false;
      piece.assign(buffer, read);
    }
    return true;
  }

  HANDLE input_ = INVALID_HANDLE_VALUE, output_ = INVALID_HANDLE_VALUE;
  bool consoleIn_ = false, consoleOut_ = false;
  LineReader lines_{[this](std::string& piece) { return Fill(piece); }};
};

}  // namespace

bool IsTerminal(StandardStream stream) {
  // A console handle has a console mode; a file or a pipe has none.
  HANDLE handle =
      GetStdHandle(stream == StandardStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

std::unique_ptr<Console> OpenConsole() { return std::make_unique<WindowsConsole>(); }

}  // namespace calvern::platform
