#include "compiler/decimal_value.h"

#include <gtest/gtest.h>

namespace calvern {
namespace {

std::array<int, 8> Bytes(std::string_view text) {
  std::optional<DecimalImage> image = DecimalRegisterImage(text);
  EXPECT_TRUE(image) << text;
  return image ? image->bytes : std::array<int, 8>{};
}

TEST(DecimalRegisterImage, DigitsAndExponentComeFromTheTextExactly) {
  struct Case {
    const char* text;
    std::array<int, 8> bytes;
  } cases[] = {
      {"3.14", {0x00, 0x31, 0x40, 0, 0, 0, 0, 0x00}},
      {"-25", {0x80, 0x25, 0, 0, 0, 0, 0, 0x01}},
      {"0", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"-0.000", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"0.5", {0x00, 0x50, 0, 0, 0, 0, 0, 0xFF}},
      {".5", {0x00, 0x50, 0, 0, 0, 0, 0, 0xFF}},
      // A binary float would give 2 9 9 ... for 0.3.
      {"0.3", {0x00, 0x30, 0, 0, 0, 0, 0, 0xFF}},
      {"1E-5", {0x00, 0x10, 0, 0, 0, 0, 0, 0xFB}},
      {"0.00123E+2", {0x00, 0x12, 0x30, 0, 0, 0, 0, 0xFF}},
      {"100", {0x00, 0x10, 0, 0, 0, 0, 0, 0x02}},
      {"10.05", {0x00, 0x10, 0x05, 0, 0, 0, 0, 0x01}},
      // Twelve significant digits; further ones are dropped, not rounded.
      {"123456789012345", {0x00, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x0E}},
      {"9.99999999999999", {0x00, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x00}},
      {"1E99", {0x00, 0x10, 0, 0, 0, 0, 0, 0x63}},
      {"1E-99", {0x00, 0x10, 0, 0, 0, 0, 0, 0x9D}},
      {"12ABC", {0x00, 0x12, 0, 0, 0, 0, 0, 0x01}},
      {"ABC", {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(Bytes(c.text), c.bytes) << c.text;
}

TEST(DecimalRegisterImage, ExponentOutsideTheCalculatorsRangeIsRefused) {
  EXPECT_FALSE(DecimalRegisterImage("1E100"));
  EXPECT_FALSE(DecimalRegisterImage("100E98"));
  EXPECT_TRUE(DecimalRegisterImage("99.5E98")) << "9.95E99 still fits";
  EXPECT_FALSE(DecimalRegisterImage("1E-100"));
  EXPECT_FALSE(DecimalRegisterImage("0.01E-98"));
  EXPECT_TRUE(DecimalRegisterImage("0E500")) << "zero has no exponent to overflow";
  EXPECT_FALSE(DecimalRegisterImage("1E99999999999"));
}

}  // namespace
}  // namespace calvern
