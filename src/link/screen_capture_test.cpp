// Capturing the simulated calculator's screens: the PNG's pixels, the progress output, the
// picture drawn in the terminal, the file names, and the failures.
#include "link/screen_capture.h"

#include <gtest/gtest.h>
#include <png.h>

#include "simulator/link_test_support.h"

namespace calvern {
namespace {

using Clock = std::chrono::steady_clock;

// Column bytes of a test pattern: different on every line and on both screens; column 5 of
// line 0 of the main screen is 0x81 (dots in rows 0 and 7).
std::uint8_t ScreenByte(int screen, int line, int column) {
  if (screen == 0 && line == 0 && column == 5) return 0x81;
  return static_cast<std::uint8_t>(column * 7 + line * 13 + screen * 101);
}

// The pixels of a PNG file, red, green, blue; empty when it cannot be read.
std::vector<std::uint8_t> ReadPng(const std::string& path, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  width = image.width;
  height = image.height;
  return pixels;
}

class Capture : public calvern_test::LinkTest {
 protected:
  Capture() {
    std::string screens;
    for (int screen = 0; screen < 2; ++screen) {
      for (int line = 0; line < 8; ++line) {
        for (int column = 0; column < 128; ++column) {
          screens += static_cast<char>(ScreenByte(screen, line, column));
        }
      }
    }
    std::ofstream("screens.bin", std::ios::binary) << screens;
  }

  void Run(std::uint8_t code, const std::string& title, std::deque<std::string> answers) {
    LinkContext context = Context(std::move(answers));
    LinkSession session(port_, identifier_);
    CaptureScreen(context, session, code, title);
  }

  // Checks every pixel of a saved capture against the screen bytes of the lines received (bit
  // n of `lines` for line n); the other lines are the empty background.
  void ExpectPicture(const std::string& file, int screen, unsigned lines = 0xFF) {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels = ReadPng(file, width, height);
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 128);
    int wrong = 0;
    for (int y = 0; y < 128; ++y) {
      for (int x = 0; x < 256; ++x) {
        int line = y / 16, row = (y / 2) % 8;
        bool dark = (lines >> line & 1) && (ScreenByte(screen, line, x / 2) >> row) & 1;
        const std::uint8_t* p = &pixels[3 * (y * 256 + x)];
        std::vector<std::uint8_t> expected =
            dark ? std::vector<std::uint8_t>{0, 0, 0} : std::vector<std::uint8_t>{0x33, 0x99, 0x99};
        wrong += std::vector<std::uint8_t>(p, p + 3) != expected;
      }
    }
    EXPECT_EQ(wrong, 0) << file;
  }
};

TEST_F(Capture, ScreensAreSavedPixelForPixel) {
  calvern_test::SimulatedCalculator calculator({"--screen", "screens.bin"});
  Run(kMainScreenCode, "Main Screen", {"1"});
  EXPECT_EQ(status2_, "Saved image Main00001.png");
  EXPECT_EQ(status1_, "");
  ExpectPicture("Main00001.png", 0);

  Run(kGraphicScreenCode, "Graphic screen", {"1"});
  EXPECT_EQ(status2_, "Saved image Grap00001.png");
  ExpectPicture("Grap00001.png", 1);

  Run(kMainScreenCode, "Main Screen", {""});
  EXPECT_FALSE(calvern_test::fs::exists("Main00002.png")) << "saved without being asked";
  EXPECT_EQ(calculator.Received().size(), 48u);
}

TEST_F(Capture, ProgressPictureAndMenuOnTheConsole) {
  calvern_test::SimulatedCalculator calculator({"--screen", "screens.bin"});
  Run(kMainScreenCode, "Main Screen", {""});
  std::string text = console_.Text();
  std::string progress;
  for (int line = 0; line < 8; ++line) {
    progress += "  Set line " + std::to_string(line) + " : OK. Getting line... : OK.\n";
  }
  EXPECT_EQ(text.substr(0, progress.size() + 21), progress + "\n   Image received !\n");
  EXPECT_TRUE(text.ends_with("\n   1: Save image as PNG\n   ENTER to quit\n\n   Your choice : \n"));

  // The picture: a frame with the title, 32 rows of 128 half blocks (two dot rows each).
  std::size_t top = text.find("\xE2\x94\x8C\xE2\x94\x80 Main Screen \xE2\x94\x80");
  ASSERT_NE(top, std::string::npos);
  std::vector<std::string> rows;
  std::istringstream lines(text.substr(top));
  for (std::string row; std::getline(lines, row) && !row.starts_with("\xE2\x94\x94");) {
    rows.push_back(row);
  }
  ASSERT_EQ(rows.size(), 33u);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    int blocks = 0;
    for (std::size_t at = rows[r].find("\xE2\x96\x80"); at != std::string::npos;
         at = rows[r].find("\xE2\x96\x80", at + 1)) {
      ++blocks;
    }
    EXPECT_EQ(blocks, 128) << "row " << r;
  }
  // Line 0, column 5 is 0x81: dot row 0 dark above dot row 1 of the background.
  std::string fiveCells = rows[1];
  EXPECT_NE(fiveCells.find("\x1b[38;2;0;0;0m\x1b[48;2;51;153;153m\xE2\x96\x80"), std::string::npos);
}

// Every way a line can fail to come back: the progress says so line by line, the status line
// names the first, the capture ends in time, and only the lines that came back are drawn and
// offered for saving; with none there is nothing to show or save.
TEST_F(Capture, MissingLinesAreNamedAndNeverPassForTheScreen) {
  struct Case {
    std::vector<std::string> options;
    std::string port;
    // Per line: the select and the read acknowledged (O) or not (?).
    std::string progress;
    std::string status1;
    std::size_t requests;  // a refused line is not asked for; silence ends the asking
    double seconds;
  } cases[] = {
      {{},
       "/nonexistent/ttyX",
       "?? ?? ?? ?? ?? ?? ?? ??",
       "Screen incomplete: can't open the serial port /nonexistent/ttyX (/nonexistent/ttyX: No "
       "such file or directory)",
       0,
       0.5},
      {{"--silent-from", "3"},
       "",
       "OO O? ?? ?? ?? ?? ?? ??",
       "Screen incomplete: no answer from the calculator at line 1",
       4,
       1.6},
      {{"--short-from", "0"},
       "",
       "?? ?? ?? ?? ?? ?? ?? ??",
       "Screen incomplete: a faulty answer from the calculator at line 0",
       1,
       1.0},
      {{"--reject-line", "2"},
       "",
       "OO OO ?? OO OO OO OO OO",
       "Screen incomplete: the calculator rejected line 2",
       15,
       1.0},
      {{"--echo"},
       "",
       "?? ?? ?? ?? ?? ?? ?? ??",
       "Screen incomplete: only the request came back (a loopback line, no calculator) at line 0",
       1,
       0.5},
      {{"--trickle", "32767:150"},
       "",
       "?? ?? ?? ?? ?? ?? ?? ??",
       "Screen incomplete: a faulty answer from the calculator at line 0",
       1,
       1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status1);
    std::vector<std::string> options = c.options;
    options.insert(options.end(), {"--screen", "screens.bin"});
    std::filesystem::remove("received.log");  // the log of the calculator before
    calvern_test::SimulatedCalculator calculator(options);
    port_ = c.port.empty() ? "COM3" : c.port;
    status1_.clear();
    status2_.clear();
    Clock::time_point start = Clock::now();
    Run(kMainScreenCode, "Main Screen", {"1"});
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), c.seconds);
    EXPECT_EQ(status1_, c.status1);
    EXPECT_EQ(calculator.Received().size(), c.requests);

    std::string progress, missing;
    unsigned received = 0;
    for (int line = 0; line < 8; ++line) {
      bool selected = c.progress[3 * line] == 'O', delivered = c.progress[3 * line + 1] == 'O';
      progress += "  Set line " + std::to_string(line) + (selected ? " : OK." : " : ??.") +
                  " Getting line..." + (delivered ? " : OK.\n" : " : ??.\n");
      if (delivered) received |= 1u << line;
      if (!delivered) missing += (missing.empty() ? "" : ", ") + std::to_string(line);
    }
    std::string text = console_.Text();
    if (received == 0) {
      EXPECT_EQ(text, progress +
                          "\n   No line of the screen came back: nothing to show or save. Press "
                          "ENTER.1\n");
      EXPECT_EQ(status2_, "");
      EXPECT_FALSE(std::filesystem::exists("Main00001.png"));
    } else {
      EXPECT_TRUE(text.starts_with(progress +
                                   "\n   Image received !\n   Lines not received, left "
                                   "empty: " +
                                   missing + "\n"))
          << text.substr(0, 1200);
      ASSERT_EQ(status2_, "Saved image Main00001.png");
      ExpectPicture("Main00001.png", 0, received);
      std::filesystem::remove("Main00001.png");
    }
  }
}

TEST_F(Capture, ImageNamesAndUnwritableFiles) {
  struct Case {
    std::vector<std::string> present;
    std::string next;
  } cases[] = {{{}, "Main00001.png"},
               {{"Main00001.png", "Main00002.png"}, "Main00003.png"},
               {{"Main00002.png"}, "Main00001.png"},
               {{"Main00001.png/"}, "Main00002.png"}};  // a directory counts too
  for (const Case& c : cases) {
    calvern_test::CurrentTempDir dir;
    for (const std::string& name : c.present) {
      if (name.ends_with("/"))
        std::filesystem::create_directory(name);
      else
        std::ofstream(name) << "x";
    }
    EXPECT_EQ(NextFreeImageName("Main", ".png"), c.next);
  }
  // A translated title shorter than four characters is the whole prefix.
  EXPECT_EQ(NextFreeImageName("Ab", ".png"), "Ab00001.png");

  calvern_test::SimulatedCalculator calculator({"--screen", "screens.bin"});
  Run(kMainScreenCode, "no/dir", {"1"});
  EXPECT_EQ(status2_, "Image not saved: can't write no/d00001.png");
}

}  // namespace
}  // namespace calvern
