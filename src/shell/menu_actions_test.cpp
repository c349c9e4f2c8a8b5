#include "shell/menu_actions.h"

#include <gtest/gtest.h>

#include "platform/requester.h"

namespace calvern {
namespace {

TEST(SourceNames, ExtensionIsDroppedButItsDotKept) {
  EXPECT_EQ(SourceBase("C:\\work\\prog.txt"), "C:\\work\\prog.");
  EXPECT_EQ(SourceBase("/home/me/prog.src.txt"), "/home/me/prog.src.");
  EXPECT_EQ(SourceBase("C:\\work\\prog"), "C:\\work\\prog") << "no extension";
  EXPECT_EQ(SourceBase("/my.dir/prog"), "/my.dir/prog") << "a dot in a directory";
  EXPECT_EQ(SourceBase("/my files/prog.txt"), "/my files/prog.");
  EXPECT_EQ(SourceBase("/my.files/my prog"), "/my.files/my prog") << "a blank ends the scan";
}

TEST(Requester, FilterMasksAndMatching) {
  EXPECT_EQ(platform::FilterMasks("TXT (*.TXT)|*.TXT|All files (*.*)|*.*"),
            (std::vector<std::string>{"*.TXT", "*.*"}));
  EXPECT_EQ(platform::FilterMasks("MK? (*.MK?)|*.MK?|"), (std::vector<std::string>{"*.MK?"}));
  EXPECT_TRUE(platform::MatchesMask("prog.txt", "*.TXT"));
  EXPECT_TRUE(platform::MatchesMask("game.MKB", "*.MK?"));
  EXPECT_FALSE(platform::MatchesMask("game.MKBX", "*.MK?"));
  EXPECT_FALSE(platform::MatchesMask("prog.txt.bak", "*.TXT"));
  EXPECT_TRUE(platform::MatchesMask("Makefile", "*.*"));
}

}  // namespace
}  // namespace calvern
