#include "platform/paths.h"

#include <gtest/gtest.h>

namespace calvern::platform {
namespace {

TEST(Paths, ExtensionIsDroppedButItsDotKept) {
  struct Case {
    const char* path;
    const char* afterLastDot;   // MK file names
    const char* noBlankInside;  // source names chosen in the menu
  };
  const Case cases[] = {
      {"C:\\work\\prog.txt", "C:\\work\\prog.", "C:\\work\\prog."},
      {"/home/me/prog.src.txt", "/home/me/prog.src.", "/home/me/prog.src."},
      {"game.", "game.", "game."},
      {"C:\\work\\prog", "C:\\work\\prog", "C:\\work\\prog"},  // no extension
      {"/my.dir/prog", "/my.dir/prog", "/my.dir/prog"},        // a dot in a directory
      {"C:\\work.v2\\prog.src.txt", "C:\\work.v2\\prog.src.", "C:\\work.v2\\prog.src."},
      {"/my files/prog.txt", "/my files/prog.", "/my files/prog."},
      {"/my.files/my.prog v2", "/my.files/my.", "/my.files/my.prog v2"},  // a blank ends the scan
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithoutExtension(c.path, ExtensionRule::kAfterLastDot), c.afterLastDot) << c.path;
    EXPECT_EQ(WithoutExtension(c.path, ExtensionRule::kNoBlankInside), c.noBlankInside) << c.path;
  }
}

TEST(Paths, FileAndDirectoryParts) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"C:\\work\\prog.txt", "prog.txt", "C:\\work\\"},
      {"/home/me/prog", "prog", "/home/me/"},
      {"notepad.exe", "notepad.exe", ""},
      {"dir/", "", "dir/"},
  };
  for (const auto& [path, file, directory] : cases) {
    EXPECT_EQ(FilePart(path), file) << path;
    EXPECT_EQ(DirectoryPart(path), directory) << path;
  }
}

}  // namespace
}  // namespace calvern::platform
