// Works the Windows desktop the way a person does, for the tests of the Windows program's windows
// under Wine: it finds a window by its title, photographs it from the screen, types into it
// and clicks its close button, all through the desktop's own input and screen.
//   desktop_driver.exe find TITLE MS        wait up to MS milliseconds for the window
//   desktop_driver.exe gone TITLE MS        wait up to MS milliseconds for it to go
//   desktop_driver.exe shot TITLE FILE.bmp  the window, brought to the front, as it is on the
//                                           screen: a 24-bit BMP
//   desktop_driver.exe type TITLE TEXT      the text typed into it ("\n" presses Enter)
//   desktop_driver.exe key TITLE NAME       one key: ENTER, ESCAPE, TAB or CTRL+C
//   desktop_driver.exe close TITLE          a mouse click on its close button
// `find` and `shot` print the window's and its inner area's places on the screen:
// "window X Y W H client X Y W H". Exit code 0, or 1 with the reason on standard error.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int Fail(const char* what, const wchar_t* title) {
  std::fprintf(stderr, "desktop_driver: %s: %ls\n", what, title);
  return 1;
}

// The visible top-level window with exactly this title.
HWND FindTitled(const wchar_t* title) {
  HWND window = FindWindowW(nullptr, title);
  return window && IsWindowVisible(window) ? window : nullptr;
}

// Whether the window came (or went) in time; `window` is the one found.
bool WaitForWindow(const wchar_t* title, DWORD milliseconds, bool present, HWND& window) {
  DWORD start = GetTickCount();
  for (;;) {
    window = FindTitled(title);
    if ((window != nullptr) == present) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(50);
  }
}

void PrintPlace(HWND window) {
  RECT outer, inner;
  GetWindowRect(window, &outer);
  GetClientRect(window, &inner);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::printf("window %ld %ld %ld %ld client %ld %ld %ld %ld\n", outer.left, outer.top,
              outer.right - outer.left, outer.bottom - outer.top, origin.x, origin.y, inner.right,
              inner.bottom);
}

// The screen's pixels under the window, bottom-up rows of blue, green, red as BMP keeps them.
bool WriteScreenshot(HWND window, const wchar_t* path) {
  RECT r;
  GetWindowRect(window, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  bool copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  DWORD stride = (3 * width + 3) & ~3, size = stride * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + size;
  bool written = false;
  if (copied) {
    if (FILE* out = _wfopen(path, L"wb")) {
      written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                std::fwrite(bits, size, 1, out) == 1;
      written = std::fclose(out) == 0 && written;
    }
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

// Input goes to the foreground window, as a keyboard's does.
bool BringForward(HWND window) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    SetForegroundWindow(window);
    if (GetForegroundWindow() == window) return true;
    Sleep(50);
  }
  return false;
}

void SendKeyState(WORD virtualKey, DWORD flags) {
  INPUT key = {};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = virtualKey;
  key.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  key.ki.dwFlags = flags;
  SendInput(1, &key, sizeof(INPUT));
}

void SendKey(WORD virtualKey) {
  SendKeyState(virtualKey, 0);
  SendKeyState(virtualKey, KEYEVENTF_KEYUP);
}

// A character of the keyboard's layout is typed with its key (and Shift); any other one, a
// Cyrillic letter on a Latin keyboard, as the character itself, as an input method sends it.
void TypeText(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) {
    SHORT key = *c == L'\n' ? VK_RETURN : VkKeyScanW(*c);
    if (key != -1) {
      bool shift = (key & 0x100) != 0;
      if (shift) SendKeyState(VK_SHIFT, 0);
      SendKey(static_cast<WORD>(key & 0xFF));
      if (shift) SendKeyState(VK_SHIFT, KEYEVENTF_KEYUP);
    } else {
      INPUT keys[2] = {};
      for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wScan = *c;
        key.ki.dwFlags = KEYEVENTF_UNICODE;
      }
      keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
      SendInput(2, keys, sizeof(INPUT));
    }
    Sleep(10);
  }
}

// A left click at a point of the screen, in the absolute coordinates SendInput takes.
void ClickAt(POINT point) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT mouse[3] = {};
  for (INPUT& m : mouse) {
    m.type = INPUT_MOUSE;
    m.mi.dx = static_cast<LONG>((point.x * 65535LL + width / 2) / (width - 1));
    m.mi.dy = static_cast<LONG>((point.y * 65535LL + height / 2) / (height - 1));
    // Every event says where it happens: the display's own pointer may be elsewhere.
    m.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  mouse[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  mouse[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  for (INPUT& m : mouse) {
    SendInput(1, &m, sizeof(INPUT));
    Sleep(100);
  }
}

// The middle of the close button: the caption's right end, where the window itself says the
// close button is.
bool CloseButton(HWND window, POINT& point) {
  RECT r;
  GetWindowRect(window, &r);
  int caption = GetSystemMetrics(SM_CYCAPTION);
  for (int x = r.right - 2; x > r.right - 4 * caption; --x) {
    for (int y = r.top + 2; y < r.top + 2 * caption; ++y) {
      LPARAM at = MAKELPARAM(x, y);
      if (SendMessageW(window, WM_NCHITTEST, 0, at) == HTCLOSE) {
        point = {x - caption / 4, y + caption / 4};
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == HTCLOSE;
      }
    }
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: desktop_driver.exe find|gone|shot|type|key|close TITLE [ARGUMENT]\n",
               stderr);
    return 2;
  }
  std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  const wchar_t* argument = argc > 3 ? argv[3] : L"";
  if (command == L"find" || command == L"gone") {
    bool present = command == L"find";
    HWND window = nullptr;
    if (!WaitForWindow(title, static_cast<DWORD>(_wtoi(argument)), present, window)) {
      return Fail(present ? "no such window" : "window still there", title);
    }
    if (present) PrintPlace(window);
    return 0;
  }
  HWND window = FindTitled(title);
  if (!window) return Fail("no such window", title);
  if (command == L"shot") {
    // The window a person looks at is the one in front, drawn whole.
    BringForward(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PrintPlace(window);
    return WriteScreenshot(window, argument) ? 0 : Fail("screenshot not written", argument);
  }
  if (command == L"close") {
    POINT point;
    if (!CloseButton(window, point)) return Fail("no close button", title);
    ClickAt(point);
    return 0;
  }
  if (!BringForward(window)) return Fail("window cannot be brought forward", title);
  if (command == L"type") {
    TypeText(argument);
    return 0;
  }
  if (command == L"key") {
    std::wstring name = argument;
    if (name == L"CTRL+C") {
      SendKeyState(VK_CONTROL, 0);
      SendKey('C');
      SendKeyState(VK_CONTROL, KEYEVENTF_KEYUP);
      return 0;
    }
    WORD key = name == L"ENTER" ? VK_RETURN : name == L"ESCAPE" ? VK_ESCAPE : VK_TAB;
    if (name != L"ENTER" && name != L"ESCAPE" && name != L"TAB")
      return Fail("no such key", argument);
    SendKey(key);
    return 0;
  }
  return Fail("no such command", argv[1]);
}
