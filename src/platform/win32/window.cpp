#include "platform/window.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace calvern::platform {
namespace {

constexpr wchar_t kClassName[] = L"CalvernPicture";

// What the window's thread draws: a bottom-up 24-bit DIB of the picture.
struct Shown {
  std::wstring title;
  int width = 0, height = 0;
  std::vector<std::uint8_t> bits;  // rows of blue, green, red, padded to 4 bytes
  BITMAPINFO info{};
  HANDLE ready = nullptr;  // set once the window exists (or could not be made)
  HWND window = nullptr;
};

std::vector<std::uint8_t> DibBits(const Picture& picture) {
  int stride = (3 * picture.Width() + 3) & ~3;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * picture.Height());
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = &bits[static_cast<std::size_t>(picture.Height() - 1 - y) * stride];
    for (int x = 0; x < picture.Width(); ++x) {
      RgbColour c = picture.At(x, y);
      row[3 * x] = c.Blue;
      row[3 * x + 1] = c.Green;
      row[3 * x + 2] = c.Red;
    }
  }
  return bits;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* shown = reinterpret_cast<Shown*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (shown) {
        SetDIBitsToDevice(dc, 0, 0, shown->width, shown->height, 0, 0, 0, shown->height,
                          shown->bits.data(), &shown->info, DIB_RGB_COLORS);
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The window lives on a thread of its own that does nothing but keep it painted, so that it
// stays whole while the console waits for the user's answer.
DWORD WINAPI WindowThread(void* parameter) {
  auto* shown = static_cast<Shown*>(parameter);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  // The console decides when the picture goes: its window has no close button.
  windowClass.style = CS_NOCLOSE;
  RegisterClassW(&windowClass);  // fails harmlessly when a capture before registered it
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, shown->width, shown->height};
  AdjustWindowRect(&frame, style, FALSE);
  // Near the right edge of the desktop, clear of the console on its left.
  int outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
  int left = GetSystemMetrics(SM_CXSCREEN) - 300;
  shown->window = CreateWindowExW(WS_EX_TOPMOST, kClassName, shown->title.c_str(), style,
                                  left > 0 ? left : CW_USEDEFAULT, 128, outerWidth, outerHeight,
                                  nullptr, nullptr, instance, nullptr);
  if (shown->window) {
    SetWindowLongPtrW(shown->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(shown));
    ShowWindow(shown->window, SW_SHOWNOACTIVATE);
    UpdateWindow(shown->window);
  }
  SetEvent(shown->ready);
  if (!shown->window) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

class Win32PictureWindow : public PictureWindow {
 public:
  ~Win32PictureWindow() override { Close(); }

  void Show(const std::string& title, const Picture& picture) override {
    Close();
    shown_ = std::make_unique<Shown>();
    shown_->title = Widen(title);
    shown_->width = picture.Width();
    shown_->height = picture.Height();
    shown_->bits = DibBits(picture);
    BITMAPINFOHEADER& header = shown_->info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = picture.Width();
    header.biHeight = picture.Height();  // positive: rows from the bottom
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    shown_->ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, WindowThread, shown_.get(), 0, nullptr);
    if (thread_ == nullptr) {
      CloseHandle(shown_->ready);
      shown_.reset();
      return;
    }
    WaitForSingleObject(shown_->ready, INFINITE);
  }

  void Close() override {
    if (thread_ == nullptr) return;
    if (shown_->window) PostMessageW(shown_->window, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(shown_->ready);
    thread_ = nullptr;
    shown_.reset();
  }

 private:
  std::unique_ptr<Shown> shown_;
  HANDLE thread_ = nullptr;
};

}  // namespace

// A real window beside the console.
std::unique_ptr<PictureWindow> OpenPictureWindow(Console&) {
  return std::make_unique<Win32PictureWindow>();
}

}  // namespace calvern::platform
