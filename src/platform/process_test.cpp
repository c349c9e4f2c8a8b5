#include "platform/process.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace calvern::platform {
namespace {

// The first-run editor: $VISUAL, else $EDITOR, else nano when the PATH has it, else vi.
TEST(Process, DefaultEditorFollowsTheUsersChoice) {
  std::string pattern = (std::filesystem::temp_directory_path() / "calvern-path-XXXXXX").string();
  const std::string withNano = mkdtemp(pattern.data());
  const std::string nano = withNano + "/nano";
  std::ofstream(nano) << "#!/bin/sh\n";
  chmod(nano.c_str(), 0755);
  const std::string oldPath = getenv("PATH");
  struct Case {
    const char *visual, *editor, *path, *expected;
  } cases[] = {{"code", "emacs", "/nonexistent", "code"},
               {"", "emacs", withNano.c_str(), "emacs"},
               {nullptr, nullptr, withNano.c_str(), "nano"},
               {nullptr, "", "/nonexistent", "vi"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    c.visual ? setenv("VISUAL", c.visual, 1) : unsetenv("VISUAL");
    c.editor ? setenv("EDITOR", c.editor, 1) : unsetenv("EDITOR");
    setenv("PATH", c.path, 1);
    EXPECT_EQ(DefaultEditor(), c.expected);
  }
  setenv("PATH", ("/nonexistent::" + withNano).c_str(), 1);
  EXPECT_EQ(FindOnPath("nano"), withNano + "/nano");
  EXPECT_EQ(FindOnPath("no-such-program"), "");
  setenv("PATH", oldPath.c_str(), 1);
  unsetenv("VISUAL");
  unsetenv("EDITOR");
  std::filesystem::remove_all(withNano);
}

}  // namespace
}  // namespace calvern::platform
