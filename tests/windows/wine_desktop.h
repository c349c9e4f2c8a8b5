// The Windows program as its users meet it, run under Wine on a virtual display: where the
// Windows build and the Wine prefix are, programs started the way Explorer starts them, and the
// desktop driver that finds, photographs, types into and closes their windows. Screenshots are
// compared with the expected pictures kept in tests/windows/pictures; the last run's
// screenshots stay in the screenshot folder for a person to look at.
// scripts/test-windows.sh sets the scene: CALVERN_WINE (the wine64 loader), WINEPREFIX (a
// fresh prefix with a virtual desktop), CALVERN_WINDOWS_BUILD (calvern.exe and the helpers),
// CALVERN_SCREENSHOT_DIR and DISPLAY.
#pragma once

#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "slave_run.h"

namespace calvern_test {

inline std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

inline std::string WineLoader() { return Environment("CALVERN_WINE"); }
inline fs::path WinePrefix() { return Environment("WINEPREFIX"); }
inline fs::path WindowsBuild() { return Environment("CALVERN_WINDOWS_BUILD"); }
inline fs::path WindowsProgram(const std::string& name) { return WindowsBuild() / name; }

// A Unix path as Windows programs under Wine name it: drive Z: is the Unix root, drive C: the
// prefix's drive_c.
inline std::string WindowsPath(const fs::path& path) {
  std::string unix = fs::absolute(path).lexically_normal().string();
  std::string driveC = (WinePrefix() / "drive_c").lexically_normal().string();
  std::string windows;
  if (unix.rfind(driveC, 0) == 0) {
    windows = "C:" + unix.substr(driveC.size());
    if (windows == "C:") windows += "/";
  } else {
    windows = "Z:" + unix;
  }
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

// A fresh folder on drive C:, the same name on every run: pictures of windows that show a path
// must not depend on a temporary name.
class DriveCFolder {
 public:
  explicit DriveCFolder(const std::string& name) : path_(WinePrefix() / "drive_c" / name) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_);
  }
  ~DriveCFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(File(name), std::ios::binary) << content;
  }
  std::string Read(const std::string& name) const { return ReadFileBytes(path_ / name); }

 private:
  fs::path path_;
};

// A Windows program started in `directory` as Explorer or a shortcut starts it: with no
// standard streams, so that the menu opens its own console window and a message box is the
// only way to speak. It runs until it ends; what is still running when the object goes is
// ended.
class DesktopProgram {
 public:
  DesktopProgram(const fs::path& program, const fs::path& directory,
                 const std::vector<std::string>& arguments = {})
      : exitCodeFile_(directory / ".desktop-exit-code"), program_(program.filename().string()) {
    std::error_code ignored;
    fs::remove(exitCodeFile_, ignored);
    std::vector<std::string> words = {WineLoader(), WindowsProgram("exit_code_relay.exe").string(),
                                      program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(directory.c_str()) != 0) _exit(127);
      setenv("CALVERN_RELAY_NO_STREAMS", "1", 1);
      setenv("CALVERN_EXIT_CODE_FILE", exitCodeFile_.c_str(), 1);
      std::vector<char*> argv;
      for (std::string& word : words) argv.push_back(word.data());
      argv.push_back(nullptr);
      execvp(argv[0], argv.data());
      _exit(127);
    }
  }
  ~DesktopProgram() {
    if (pid_ > 0 && !ended_) {
      std::string command = WineLoader() + " taskkill /F /IM '" + program_ + "' >/dev/null 2>&1";
      (void)std::system(command.c_str());
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  // The whole exit code once the program has ended, within `milliseconds`; nullopt if it has
  // not.
  std::optional<long long> WaitForExit(int milliseconds = 10000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!ended_ && std::chrono::steady_clock::now() < deadline) {
      ended_ = waitpid(pid_, nullptr, WNOHANG) == pid_;
      if (!ended_) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!ended_ || !fs::exists(exitCodeFile_)) return std::nullopt;
    std::ifstream in(exitCodeFile_);
    long long code = -1;
    in >> code;
    return code;
  }

 private:
  fs::path exitCodeFile_;
  std::string program_;
  pid_t pid_ = -1;
  bool ended_ = false;
};

// An RGB picture, rows from the top.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  const std::uint8_t* At(int x, int y) const { return &rgb[3 * (std::size_t(y) * width + x)]; }
  bool operator==(const Picture&) const = default;
};

inline std::optional<Picture> ReadPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  Picture picture{static_cast<int>(image.width), static_cast<int>(image.height),
                  std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) return std::nullopt;
  return picture;
}

inline bool WritePng(const fs::path& path, const Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = picture.width;
  image.height = picture.height;
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr);
}

// The 24-bit bottom-up BMP files the desktop driver writes.
inline std::optional<Picture> ReadDriverBmp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24;
  };
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  Picture picture{static_cast<int>(u32(18)), static_cast<int>(u32(22)), {}};
  std::size_t offset = u32(10), stride = (3 * std::size_t(picture.width) + 3) & ~std::size_t(3);
  if (picture.width <= 0 || picture.height <= 0 ||
      bytes.size() < offset + stride * picture.height) {
    return std::nullopt;
  }
  picture.rgb.resize(3 * std::size_t(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    const char* row = &bytes[offset + stride * (picture.height - 1 - y)];
    for (int x = 0; x < picture.width; ++x) {
      std::uint8_t* p = &picture.rgb[3 * (std::size_t(y) * picture.width + x)];
      p[0] = static_cast<std::uint8_t>(row[3 * x + 2]);
      p[1] = static_cast<std::uint8_t>(row[3 * x + 1]);
      p[2] = static_cast<std::uint8_t>(row[3 * x]);
    }
  }
  return picture;
}

// Where a window is on the screen: the whole window and its inner (client) area.
struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;
  int clientX = 0, clientY = 0, clientWidth = 0, clientHeight = 0;
};

// The desktop driver (tests/windows/desktop_driver.cpp), run under Wine.
class Desktop {
 public:
  // Runs the driver; its standard output, or nullopt when it failed.
  static std::optional<std::string> Drive(const std::vector<std::string>& arguments) {
    static TempDir scratch;
    std::vector<std::string> words = {WineLoader(), WindowsProgram("desktop_driver.exe")};
    words.insert(words.end(), arguments.begin(), arguments.end());
    RunResult run = RunCommandIn(words, scratch);
    if (run.exitCode != 0) return std::nullopt;
    return run.output;
  }

  static std::optional<WindowPlace> Find(const std::string& title, int milliseconds = 15000) {
    std::optional<std::string> out = Drive({"find", title, std::to_string(milliseconds)});
    if (!out) return std::nullopt;
    return ParsePlace(*out);
  }
  static bool Gone(const std::string& title, int milliseconds = 10000) {
    return Drive({"gone", title, std::to_string(milliseconds)}).has_value();
  }
  // Types `text` into the window; "\n" presses Enter.
  static bool Type(const std::string& title, const std::string& text) {
    return Drive({"type", title, text}).has_value();
  }
  static bool Key(const std::string& title, const std::string& key) {
    return Drive({"key", title, key}).has_value();
  }
  static bool ClickClose(const std::string& title) { return Drive({"close", title}).has_value(); }

  // The window as it is on the screen, brought to the front first.
  static std::optional<Picture> Shot(const std::string& title, WindowPlace* place = nullptr) {
    static TempDir scratch;
    std::optional<std::string> out =
        Drive({"shot", title, WindowsPath(scratch.path() / "shot.bmp")});
    if (!out) return std::nullopt;
    if (place) *place = ParsePlace(*out);
    return ReadDriverBmp(scratch.path() / "shot.bmp");
  }

 private:
  static WindowPlace ParsePlace(const std::string& text) {
    WindowPlace p;
    std::istringstream in(text);
    std::string word;
    in >> word >> p.x >> p.y >> p.width >> p.height >> word >> p.clientX >> p.clientY >>
        p.clientWidth >> p.clientHeight;
    return p;
  }
};

// Where the expected pictures are kept, and where this run's screenshots go.
inline fs::path ExpectedPicture(const std::string& name) {
  return fs::path(CALVERN_SOURCE_DIR) / "tests" / "windows" / "pictures" / (name + ".png");
}
inline fs::path ScreenshotFile(const std::string& name) {
  fs::path folder = Environment("CALVERN_SCREENSHOT_DIR");
  if (folder.empty()) folder = fs::temp_directory_path();
  fs::create_directories(folder);
  return folder / (name + ".png");
}

// The pixels in which two pictures of the same size differ, painted red over a faded `shot`.
inline Picture Differences(const Picture& shot, const Picture& expected, int& count) {
  Picture diff = shot;
  count = 0;
  for (std::size_t i = 0; i < diff.rgb.size(); i += 3) {
    bool same = std::equal(&shot.rgb[i], &shot.rgb[i] + 3, &expected.rgb[i]);
    count += !same;
    for (int c = 0; c < 3; ++c) {
      diff.rgb[i + c] = same ? static_cast<std::uint8_t>(128 + shot.rgb[i + c] / 2) : c ? 0 : 255;
    }
  }
  return diff;
}

// Waits up to `milliseconds` for the window `title` to look exactly like the expected picture
// `name` (the text caret blinks, and a window is drawn in steps). The last screenshot is kept
// as NAME.png in the screenshot folder, and on a mismatch NAME-diff.png shows where it differs.
inline ::testing::AssertionResult LooksLike(const std::string& title, const std::string& name,
                                            int milliseconds = 5000,
                                            std::optional<Picture>* shotOut = nullptr) {
  std::optional<Picture> expected = ReadPng(ExpectedPicture(name));
  std::optional<Picture> shot;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    shot = Desktop::Shot(title);
    if (shot && expected && *shot == *expected) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  } while (std::chrono::steady_clock::now() < deadline);
  if (shotOut) *shotOut = shot;
  if (!shot) return ::testing::AssertionFailure() << "no window titled \"" << title << "\"";
  WritePng(ScreenshotFile(name), *shot);
  if (!expected) {
    return ::testing::AssertionFailure()
           << "no expected picture " << ExpectedPicture(name) << ": look at "
           << ScreenshotFile(name) << " and, if it is right, keep it there";
  }
  if (*shot == *expected) return ::testing::AssertionSuccess();
  if (shot->width != expected->width || shot->height != expected->height) {
    return ::testing::AssertionFailure()
           << name << ": the window is " << shot->width << " x " << shot->height
           << ", the expected picture " << expected->width << " x " << expected->height;
  }
  int count = 0;
  WritePng(ScreenshotFile(name + "-diff"), Differences(*shot, *expected, count));
  return ::testing::AssertionFailure()
         << name << ": " << count << " pixels differ, shown in " << ScreenshotFile(name + "-diff");
}

}  // namespace calvern_test
