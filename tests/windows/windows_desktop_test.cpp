// The windows of the Windows program under Wine on a virtual display, started as Explorer
// starts it and worked by the keyboard and the mouse: the console menu, the window of a captured
// screen, the file requesters, slave mode's message box, the closing of the console window and
// the editor and emulator it starts. Each window is compared by its pixels with the picture kept
// in tests/windows/pictures.
#include <gtest/gtest.h>

#include <set>

#include "simulator/simulated_calculator.h"
#include "windows/wine_desktop.h"

namespace calvern_test {
namespace {

constexpr const char* kConsoleTitle = "Calvern V1.09 11/2015";

// The settings of a folder on drive C: whose source is prog.txt there.
std::string SettingsFor(const DriveCFolder& folder, const std::string& port = "COM1,255") {
  std::string dir = WindowsPath(folder.path()) + "\\";
  return dir + "prog.txt\r\n" + dir + "prog.LST\r\nnotepad.exe\r\n" + dir + "prog.\r\n\r\n" + port +
         "\r\n\r\n";
}

// The colours in the band of console rows [first, last] of a shot of the console window: the
// console has 80 x 25 character cells in its inner area.
std::set<std::vector<int>> RowColours(const Picture& shot, const WindowPlace& place, int first,
                                      int last) {
  std::set<std::vector<int>> colours;
  int cellHeight = place.clientHeight / 25, left = place.clientX - place.x;
  int top = place.clientY - place.y;
  for (int y = top + first * cellHeight; y < top + (last + 1) * cellHeight; ++y) {
    for (int x = left; x < left + place.clientWidth - 20; ++x) {  // the scroll bar aside
      const std::uint8_t* p = shot.At(x, y);
      colours.insert({p[0], p[1], p[2]});
    }
  }
  return colours;
}

// The brightest colour of a set of greys, and whether they are all greys.
std::vector<int> Brightest(const std::set<std::vector<int>>& colours, bool& allGrey) {
  allGrey = true;
  std::vector<int> brightest = {0, 0, 0};
  for (const std::vector<int>& c : colours) {
    allGrey = allGrey && c[0] == c[1] && c[1] == c[2];
    if (c[0] > brightest[0]) brightest = c;
  }
  return brightest;
}

// The menu of a first run: the title, the framed link line and the status lines in bright white
// (colour 15), the menu in light grey (colour 7), all on black.
TEST(WindowsDesktop, ConsoleMenuHasItsColoursTitleAndFrame) {
  DriveCFolder folder("calvern-tests/menu");
  DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path());
  std::optional<WindowPlace> place = Desktop::Find(kConsoleTitle);
  ASSERT_TRUE(place) << "no console window titled " << kConsoleTitle;
  std::optional<Picture> shot;
  EXPECT_TRUE(LooksLike(kConsoleTitle, "console-menu", 8000, &shot));
  ASSERT_TRUE(shot);
  struct Band {
    int first, last;
    std::vector<int> colour;
  };
  const std::vector<Band> bands = {
      {1, 6, {255, 255, 255}},    // the link status box and its shadow
      {8, 17, {192, 192, 192}},   // the ten menu lines
      {21, 23, {255, 255, 255}},  // the three status lines
  };
  for (const Band& band : bands) {
    bool allGrey = false;
    std::set<std::vector<int>> colours = RowColours(*shot, *place, band.first, band.last);
    EXPECT_EQ(Brightest(colours, allGrey), band.colour) << "rows " << band.first;
    EXPECT_TRUE(allGrey) << "rows " << band.first;
    EXPECT_TRUE(colours.count({0, 0, 0})) << "rows " << band.first;
  }
  EXPECT_TRUE(Desktop::Type(kConsoleTitle, "0\n"));
  EXPECT_EQ(calvern.WaitForExit(), 0);
}

// The main screen: column c of line l holds c * 7 + l * 29 (a pattern in every bit).
std::string Screens() {
  std::string screens(2048, '\0');
  for (int i = 0; i < 1024; ++i) screens[i] = static_cast<char>((i % 128) * 7 + (i / 128) * 29);
  return screens;
}

// The capture as it must look, worked out from the screen's bytes: the calculator's 128 x 64
// dots at twice their size, dark dots black on the background 33 99 99.
Picture ExpectedCapture(const std::string& screens) {
  Picture picture{256, 128, {}};
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 256; ++x) {
      int line = y / 16, bit = (y / 2) % 8, column = x / 2;
      bool dark = (static_cast<std::uint8_t>(screens[128 * line + column]) >> bit) & 1;
      for (int c : dark ? std::vector<int>{0, 0, 0} : std::vector<int>{0x33, 0x99, 0x99}) {
        picture.rgb.push_back(static_cast<std::uint8_t>(c));
      }
    }
  }
  return picture;
}

Picture Crop(const Picture& shot, int left, int top, int width, int height) {
  Picture part{width, height, {}};
  for (int y = top; y < top + height; ++y) {
    part.rgb.insert(part.rgb.end(), shot.At(left, y), shot.At(left, y) + 3 * width);
  }
  return part;
}

// Key 7, then 1: the captured main screen in a window of its own beside the console, saved on
// request as Main00001.png with the same pixels.
TEST(WindowsDesktop, CaptureWindowShowsTheScreen) {
  DriveCFolder folder("calvern-tests/capture");
  folder.Write("calvern.inf", SettingsFor(folder, "COM3,255"));
  folder.Write("screens.bin", Screens());
  SimulatedCalculator calculator({"--name", "MK-161", "--screen", folder.File("screens.bin")},
                                 WinePrefix() / "dosdevices" / "com3",
                                 folder.path() / "received.log");
  DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path());
  ASSERT_TRUE(Desktop::Find(kConsoleTitle));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "7\n1\n"));
  std::optional<WindowPlace> place = Desktop::Find("Main Screen");
  ASSERT_TRUE(place) << "no capture window";
  EXPECT_EQ(place->clientWidth, 256);
  EXPECT_EQ(place->clientHeight, 128);
  std::optional<Picture> shot;
  EXPECT_TRUE(LooksLike("Main Screen", "capture-window", 5000, &shot));
  Picture expected = ExpectedCapture(Screens());
  ASSERT_TRUE(shot);
  EXPECT_TRUE(Crop(*shot, place->clientX - place->x, place->clientY - place->y, 256, 128) ==
              expected)
      << "the inner area is not the captured screen";

  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "1\n"));
  EXPECT_TRUE(Desktop::Gone("Main Screen"));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "0\n"));
  EXPECT_EQ(calvern.WaitForExit(), 0);
  std::optional<Picture> saved = ReadPng(folder.path() / "Main00001.png");
  ASSERT_TRUE(saved);
  EXPECT_TRUE(*saved == expected);
}

// Key 1 opens the Windows file requester on the current folder with the source filter; the
// name typed there becomes the source, and the settings name it.
TEST(WindowsDesktop, FileRequesterOfKey1ChoosesTheSource) {
  DriveCFolder folder("calvern-tests/requester");
  folder.Write("prog.txt", "ENT\r\n");
  folder.Write("sieve.TXT", "ENT\r\n");
  folder.Write("notes.md", "not a source\r\n");
  DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path());
  ASSERT_TRUE(Desktop::Find(kConsoleTitle));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "1\n"));
  ASSERT_TRUE(Desktop::Find("Select source file..."));
  EXPECT_TRUE(LooksLike("Select source file...", "source-requester"));
  ASSERT_TRUE(Desktop::Type("Select source file...", "sieve.TXT\n"));
  EXPECT_TRUE(Desktop::Gone("Select source file..."));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "0\n"));
  EXPECT_EQ(calvern.WaitForExit(), 0);
  EXPECT_EQ(folder.Read("calvern.inf"),
            "C:\\calvern-tests\\requester\\sieve.TXT\r\n"
            "C:\\calvern-tests\\requester\\sieve.LST\r\n"
            "notepad.exe\r\n"
            "C:\\calvern-tests\\requester\\sieve.\r\n"
            "\r\nCOM1,255\r\n\r\n");
}

// A source with #MKFiles 1 asks for the MK files' name in a requester when key 2 compiles it.
TEST(WindowsDesktop, FileRequesterOfMkFiles1NamesTheMkFiles) {
  DriveCFolder folder("calvern-tests/mkfiles");
  folder.Write("calvern.inf", SettingsFor(folder));
  folder.Write("prog.txt", "#MKFiles 1\r\n$12 STO 5 R/S\r\n");
  DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path());
  ASSERT_TRUE(Desktop::Find(kConsoleTitle));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "2\n"));
  ASSERT_TRUE(Desktop::Find("Select MK output file..."));
  EXPECT_TRUE(LooksLike("Select MK output file...", "mk-requester"));
  ASSERT_TRUE(Desktop::Type("Select MK output file...", "game.MKP\n"));
  EXPECT_TRUE(Desktop::Gone("Select MK output file..."));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "0\n"));
  EXPECT_EQ(calvern.WaitForExit(), 0);
  // The MK file the Linux program writes for the same source.
  TempDir linux;
  linux.Write("prog.txt", folder.Read("prog.txt"));
  ASSERT_EQ(RunCommandIn({CALVERN_BINARY, "compile", "prog.txt", "--mk"}, linux).exitCode, 0);
  EXPECT_EQ(folder.Read("game.MKP"), linux.Read("prog.MKP"));
  EXPECT_FALSE(fs::exists(folder.path() / "game.MKB")) << "no binary zone: no MKB file";
}

// Slave mode started with no console and no standard error (as an emulator front end may start
// it): the compilation error comes in a message box, and the exit code, once it is closed, is
// the whole 10 + 256 x line.
TEST(WindowsDesktop, SlaveModeShowsTheErrorInAMessageBox) {
  DriveCFolder folder("calvern-tests/slave");
  folder.Write("prog.txt", "ENT\r\n\r\nNOPE\r\n");
  folder.Write("job.inf", "prog.txt\r\nprog.LST\r\n2\r\n\r\n\r\nCOM1,255\r\n\r\n");
  DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path(), {"job.inf"});
  ASSERT_TRUE(Desktop::Find("Compilation"));
  EXPECT_TRUE(LooksLike("Compilation", "slave-message-box"));
  EXPECT_FALSE(Desktop::Find(kConsoleTitle, 0)) << "slave mode opened a console";
  ASSERT_TRUE(Desktop::Key("Compilation", "ENTER"));
  EXPECT_EQ(calvern.WaitForExit(), 3 * 256 + 10);
}

// The port chosen with key 7, 4 survives the end of the program, whether the console window is
// closed with its close button or the program is stopped with Ctrl-C.
TEST(WindowsDesktop, ClosingTheConsoleKeepsTheSettings) {
  for (const std::string way : {"close button", "Ctrl-C"}) {
    SCOPED_TRACE(way);
    DriveCFolder folder("calvern-tests/closing");
    DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path());
    ASSERT_TRUE(Desktop::Find(kConsoleTitle));
    ASSERT_TRUE(Desktop::Type(kConsoleTitle, "7\n4\n5\n9\n"));
    // Back in the main menu, its status lines empty.
    EXPECT_TRUE(LooksLike(kConsoleTitle, "console-menu-again", 8000));
    if (way == "close button") {
      ASSERT_TRUE(Desktop::ClickClose(kConsoleTitle));
    } else {
      ASSERT_TRUE(Desktop::Key(kConsoleTitle, "CTRL+C"));
    }
    EXPECT_TRUE(Desktop::Gone(kConsoleTitle));
    EXPECT_TRUE(calvern.WaitForExit());
    EXPECT_EQ(folder.Read("calvern.inf"), "\r\n\r\nnotepad.exe\r\n\r\n\r\nCOM5,9\r\n\r\n");
  }
}

}  // namespace
}  // namespace calvern_test

namespace calvern_test {
namespace {

// Keys 3, 4 and 8 start the editor on the source and on the listing, in the editor's folder,
// and the emulator on the MK files just written, in their folder: each path one argument,
// quoted because of its blanks, Cyrillic letters and all. The editor and the emulator are a
// stand-in that records how it was started.
TEST(WindowsDesktop, EditorAndEmulatorGetTheirCommandLines) {
  DriveCFolder folder("calvern tests");
  const fs::path sources = folder.path() / "Программы МК";
  const fs::path editor = folder.path() / "Редактор текста" / "edit.exe";
  const fs::path emulator = folder.path() / "Эмулятор МК-161" / "emu.exe";
  for (const fs::path& program : {editor, emulator}) {
    fs::create_directories(program.parent_path());
    fs::copy_file(WindowsProgram("command_line_recorder.exe"), program);
  }
  fs::create_directories(sources);
  std::ofstream(sources / "Моя программа.txt", std::ios::binary)
      << "#MKFiles 2\r\n$12 STO 5 #BINARY #DB 1 2 #END #PROGRAM R/S\r\n";
  const std::string source = "C:\\calvern tests\\Программы МК\\Моя программа.";
  folder.Write("calvern.inf", source + "txt\r\n" + source + "LST\r\n" + WindowsPath(editor) +
                                  "\r\n" + source + "\r\n" + WindowsPath(emulator) +
                                  "\r\nCOM1,255\r\n\r\n");
  setenv("CALVERN_RECORD_FILE", "C:\\calvern tests\\started.txt", 1);
  DesktopProgram calvern(WindowsProgram("calvern.exe"), folder.path());
  unsetenv("CALVERN_RECORD_FILE");
  ASSERT_TRUE(Desktop::Find(kConsoleTitle));
  // One start at a time: each key waits for the record of the one before.
  auto startsRecorded = [&](std::size_t starts) {
    for (int i = 0; i < 200; ++i) {
      std::string record = folder.Read("started.txt");
      if (static_cast<std::size_t>(std::count(record.begin(), record.end(), '\n')) >= 2 * starts) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  };
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "3\n"));
  ASSERT_TRUE(startsRecorded(1));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "2\n4\n"));
  ASSERT_TRUE(startsRecorded(2));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "8\n"));
  ASSERT_TRUE(startsRecorded(3));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "0\n"));
  EXPECT_EQ(calvern.WaitForExit(), 0);
  EXPECT_EQ(folder.Read("started.txt"),
            "\"C:\\calvern tests\\Редактор текста\\edit.exe\" "
            "\"C:\\calvern tests\\Программы МК\\Моя программа.txt\"\n"
            "C:\\calvern tests\\Редактор текста\n"
            "\"C:\\calvern tests\\Редактор текста\\edit.exe\" "
            "\"C:\\calvern tests\\Программы МК\\Моя программа.LST\"\n"
            "C:\\calvern tests\\Редактор текста\n"
            "\"C:\\calvern tests\\Эмулятор МК-161\\emu.exe\" -p "
            "\"Моя программа.MKP\" \"Моя программа.MKB\"\n"
            "C:\\calvern tests\\Программы МК\n");
}

}  // namespace
}  // namespace calvern_test
