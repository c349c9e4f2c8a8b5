// Request frames, reply lengths and the texts built from replies and settings.
#include "link/link_frames.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/link_menu.h"
#include "link/link_status.h"
#include "simulator/link_test_support.h"

namespace calvern {
namespace {

TEST(LinkFrames, RequestsAreFramedWithLengthAndChecksum) {
  struct Case {
    std::vector<std::uint8_t> payload;
    int identifier;
    const char* frame;
  } cases[] = {
      {{0x10, 0x00, 0x00}, 255, "00 FF 04 00 10 00 00 13"},  // identify
      {{0x10, 0x00, 0x00}, 7, "00 07 04 00 10 00 00 1B"},
      {{0x10, 0x00, 0x00}, 0x107, "00 07 04 00 10 00 00 1B"},         // low 8 bits only
      {{0x30, 0x80, 0x01, 0x01}, 255, "00 FF 05 00 30 80 01 01 B6"},  // program block 1
      {{0x10, 0xA0, 0x00}, 255, "00 FF 04 00 10 A0 00 B3"},           // status
      {{0x30, 0xA0, 0x80}, 255, "00 FF 04 00 30 A0 80 53"},           // transfer mode on
      {{0x30, 0xA0, 0x81}, 255, "00 FF 04 00 30 A0 81 54"},           // transfer mode off
      {{0x30, 0x80, 0x81}, 255, "00 FF 04 00 30 80 81 34"},           // end of program zone
      {{0x30, 0x84, 0x01, 0x00}, 255, "00 FF 05 00 30 84 01 00 B9"},  // select screen line 0
      {{0x10, 0x84, 0x21}, 255, "00 FF 04 00 10 84 21 B8"},           // read main screen line
      {{0x10, 0x84, 0x11}, 255, "00 FF 04 00 10 84 11 A8"},           // read graphic line
  };
  for (const Case& c : cases)
    EXPECT_EQ(calvern_test::RequestFrame(c.payload, c.identifier), c.frame);

  // The largest block: 100 steps after the 3 command bytes, length 104 = 0x68.
  std::vector<std::uint8_t> block = {0x30, 0x80, 0x11};
  block.resize(103, 0xFF);
  EXPECT_EQ(calvern_test::RequestFrame(block).substr(0, 12), "00 FF 68 00 ");
}

TEST(LinkFrames, ReplyLengthIsSignedLittleEndian) {
  LinkBuffer buffer;
  struct Case {
    std::uint8_t low, high;
    int length;
  } cases[] = {{0x06, 0x00, 6},  {0x84, 0x00, 132},   {0x00, 0x01, 256},
               {0xFE, 0xFF, -2}, {0xFF, 0x7F, 32767}, {0x00, 0x80, -32768}};
  for (const Case& c : cases) {
    buffer.bytes[2] = c.low;
    buffer.bytes[3] = c.high;
    EXPECT_EQ(ReplyLength(buffer), c.length);
  }
}

TEST(LinkTexts, NamesSettingsAndTypedNumbers) {
  MessageTable m;
  EXPECT_EQ(ConnectedLine(m, "MK-161"), " | Calvern connected to MK-161       |*");
  EXPECT_EQ(ConnectedLine(m, "ABCDEFGHIJKLMNOPQRST"), " | Calvern connected to ABCDEFGHIJKLM|*");
  EXPECT_EQ(ConnectedLine(m, "\xC3\xA9t\xC3\xA9"),
            " | Calvern connected to \xC3\xA9t\xC3\xA9          |*")
      << "padding counts characters, not bytes";

  LinkBuffer reply;
  const std::uint8_t name[] = {'M', 'K', 0x1B, 0xE9, 0x7F, '1', 0x55};  // last: checksum
  for (int i = 0; i < 7; ++i) reply.Payload(i) = name[i];
  EXPECT_EQ(CalculatorName(reply, 7), "MK?\xC3\xA9?1") << "control codes never reach the terminal";
  EXPECT_EQ(CalculatorName(reply, 1), "");

  EXPECT_EQ(PortSettingsText(m, "COM3", 255), " Settings : Calculator on COM3 unit 255...");
  EXPECT_EQ(PortSettingsText(m, "/dev/ttyUSB0", 7),
            " Settings : Calculator on /dev/ttyUSB0 unit 7...");

  struct Typed {
    const char* text;
    int value;
  } typed[] = {{"12", 12}, {" 7x", 7}, {"x", 0}, {"-3", -3}, {"", 0}, {"99999999999", 2147483647}};
  for (const Typed& t : typed) EXPECT_EQ(DecimalValue(t.text), t.value) << t.text;
}

}  // namespace
}  // namespace calvern
