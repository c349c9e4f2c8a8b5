#include "shell/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace calvern {
namespace {

TEST(Settings, PortLineRules) {
  struct Case {
    const char* line;
    const char* port;
    int id;
  } cases[] = {{"COM3,7", "COM3", 7},
               {"COM1,255", "COM1", 255},
               {"COM,7", "COM1", 255},
               {"COM3", "COM1", 255},
               {"COM3,", "COM1", 255},
               {"com3,7", "COM1", 255},
               {"COMX,7", "COM0", 7},
               {"COM12,x", "COM12", 0},
               {"COM03,7", "COM3", 7},
               {"", "COM1", 255},
               {"COM3,7,9", "COM3", 7},
               {"/dev/ttyUSB0,7", "/dev/ttyUSB0", 7},
               {"/dev/serial/by-id/usb-a,b-port0,200", "/dev/serial/by-id/usb-a,b-port0", 200},
               {"/dev/ttyUSB0", "COM1", 255},
               {"/dev/ttyUSB0,", "COM1", 255},
               {"/,5", "COM1", 255}};
  for (const Case& c : cases) {
    std::string port = "?";
    int id = -1;
    ParsePortLine(c.line, port, id);
    EXPECT_EQ(port, c.port) << c.line;
    EXPECT_EQ(id, c.id) << c.line;
  }
}

class SettingsFile : public ::testing::Test {
 protected:
  std::string path_ =
      (std::filesystem::temp_directory_path() / ("calvern-settings-" + std::to_string(getpid())))
          .string();
  void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }
  void TearDown() override { std::remove(path_.c_str()); }
};

TEST_F(SettingsFile, ReadsSevenLinesAndEmptyLinesStayEmpty) {
  Write("src.txt\r\nsrc.LST\r\n\r\nsrc.\r\nemu\r\nCOM2,9\r\nru.loc\r\nextra\r\n");
  std::optional<Settings> s = ReadSettingsFile(path_);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->SourcePath, "src.txt");
  EXPECT_EQ(s->ListingPath, "src.LST");
  EXPECT_EQ(s->EditorPath, "") << "an empty line 3 is not the default editor";
  EXPECT_EQ(s->MkBaseName, "src.");
  EXPECT_EQ(s->EmulatorPath, "emu");
  EXPECT_EQ(s->ComPort, "COM2");
  EXPECT_EQ(s->MkIdentifier, 9);
  EXPECT_EQ(s->LanguageFile, "ru.loc");
}

TEST_F(SettingsFile, MissingLinesReadEmptyAndLfEndsAreAccepted) {
  Write("a b.txt\nb.LST\n2");
  std::optional<Settings> s = ReadSettingsFile(path_);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->SourcePath, "a b.txt");
  EXPECT_EQ(s->EditorPath, "2");
  EXPECT_EQ(s->MkBaseName, "");
  EXPECT_EQ(s->ComPort, "COM1");
  EXPECT_EQ(s->MkIdentifier, 255);
}

TEST_F(SettingsFile, PortLineIsWrittenBackAsItWasRead) {
  for (const char* line : {"COM3,7", "/dev/ttyUSB0,255"}) {
    Write(std::string("a\r\nb\r\nc\r\nd\r\ne\r\n") + line + "\r\nf\r\n");
    std::optional<Settings> s = ReadSettingsFile(path_);
    ASSERT_TRUE(s);
    EXPECT_EQ(SettingsText(*s), std::string("a\r\nb\r\nc\r\nd\r\ne\r\n") + line + "\r\nf\r\n");
  }
}

TEST_F(SettingsFile, MissingFileGivesNothing) {
  EXPECT_FALSE(ReadSettingsFile(path_ + ".absent"));
  EXPECT_FALSE(ReadSettingsFile(std::filesystem::temp_directory_path().string()))
      << "a directory is not a settings file";
}

}  // namespace
}  // namespace calvern
