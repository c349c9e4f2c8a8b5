#include "platform/requester.h"

#include <gtest/gtest.h>

namespace calvern::platform {
namespace {

TEST(Requester, FilterMasksAndMatching) {
  EXPECT_EQ(FilterMasks("TXT (*.TXT)|*.TXT|All files (*.*)|*.*"),
            (std::vector<std::string>{"*.TXT", "*.*"}));
  EXPECT_EQ(FilterMasks("MK? (*.MK?)|*.MK?|"), (std::vector<std::string>{"*.MK?"}));
  EXPECT_TRUE(MatchesMask("prog.txt", "*.TXT"));
  EXPECT_TRUE(MatchesMask("game.MKB", "*.MK?"));
  EXPECT_FALSE(MatchesMask("game.MKBX", "*.MK?"));
  EXPECT_FALSE(MatchesMask("prog.txt.bak", "*.TXT"));
  EXPECT_TRUE(MatchesMask("Makefile", "*.*"));
}

}  // namespace
}  // namespace calvern::platform
