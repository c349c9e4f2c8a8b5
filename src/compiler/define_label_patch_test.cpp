// The data items that wait for a label: a marker in the item's last cell says how the label's
// value fills it once the label is defined.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compilation.h"

namespace calvern {
namespace {

using Texts = std::vector<std::string>;
const std::string kData = "\xC2\xB2";

class DefineLabelPatchTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(c.CompileText(""), 0); }

  // Writes a marker in `cell` as a data directive would and records the reference to NAME.
  void Await(int cell, const std::string& marker, const std::string& name = "NAME") {
    c.Image.Code[cell] = marker;
    ASSERT_TRUE(c.ForwardRefs.Add(name, -(cell + 1)));
  }
  int DefineAt(int value, const std::string& name = "NAME") {
    c.CurrentStep = value;
    return c.DefineLabel(name + ":");
  }
  Texts Codes(int from, int count) const {
    return Texts(c.Image.Code.begin() + from, c.Image.Code.begin() + from + count);
  }
  Texts Keys(int from, int count) const {
    return Texts(c.Image.ListingText.begin() + from, c.Image.ListingText.begin() + from + count);
  }

  MessageTable messages;
  Compilation c{messages};
};

TEST_F(DefineLabelPatchTest, NumberMarkersFillDigitKeystrokesEndingAtTheMarker) {
  struct Case {
    const char* marker;
    int value;
    Texts digits;
  };
  const Case cases[] = {
      {"NUM4", 123, {"0", "1", "2", "3"}},
      {"NUM4", 9876, {"9", "8", "7", "6"}},
      {"NUM3", 5, {"0", "0", "5"}},
      {"NUM2", 42, {"4", "2"}},
      {"NUM1", 7, {"7"}},
  };
  for (const Case& e : cases) {
    SetUp();
    const int n = static_cast<int>(e.digits.size());
    Await(40, e.marker);
    ASSERT_EQ(DefineAt(e.value), 0) << e.marker << " " << c.Status[2];
    Texts codes;
    for (const std::string& d : e.digits) codes.push_back("0" + d);
    EXPECT_EQ(Codes(41 - n, n), codes) << e.marker;
    EXPECT_EQ(Keys(41 - n, n), e.digits) << e.marker;
    EXPECT_EQ(c.Image.Code[40 - n], "&") << e.marker;  // nothing before the reserved cells
    EXPECT_EQ(c.Image.Code[41], "&") << e.marker;
  }
}

TEST_F(DefineLabelPatchTest, AddressLowByteIsHexadecimal) {
  Await(300, "DAL");
  ASSERT_EQ(DefineAt(1234), 0);
  EXPECT_EQ(c.Image.Code[300], "22");  // 34 = 0x22
  EXPECT_EQ(c.Image.ListingText[300], kData + "AL(34)");
  EXPECT_EQ(c.Image.Code[299], "&");
}

TEST_F(DefineLabelPatchTest, FullAddressIsTwoBcdBytesHighFirst) {
  Await(301, "DAF");
  ASSERT_EQ(DefineAt(1234), 0);
  EXPECT_EQ(Codes(300, 2), (Texts{"12", "34"}));
  EXPECT_EQ(Keys(300, 2), (Texts{kData + "AH(12)", kData + "AL"}));

  SetUp();
  Await(11, "DAF");
  ASSERT_EQ(DefineAt(7), 0);
  EXPECT_EQ(Codes(10, 2), (Texts{"00", "07"}));
  EXPECT_EQ(Keys(10, 2), (Texts{kData + "AH(0)", kData + "AL"}));
}

TEST_F(DefineLabelPatchTest, OffsetsCountFromTheirBaseModulo256) {
  struct Case {
    const char* marker;
    int offsetBase;
    int formBase;
    int value;
    const char* code;
  };
  const Case cases[] = {
      {"OFF", 0, 0, 300, "2C"},     {"OFF", 1000, 0, 1010, "0A"},
      {"OFF", 1000, 0, 1255, "FF"}, {"OFF", 1000, 0, 1256, "00"},
      {"OF2", 0, 2000, 2100, "64"}, {"OF2", 2000, 0, 2100, "34"},  // 2100 mod 256
  };
  for (const Case& e : cases) {
    SetUp();
    c.OffsetBase = e.offsetBase;
    c.FormProgramBase = e.formBase;
    Await(500, e.marker);
    ASSERT_EQ(DefineAt(e.value), 0) << e.marker;
    EXPECT_EQ(c.Image.Code[500], e.code) << e.marker << " " << e.value;
    EXPECT_EQ(c.Image.ListingText[500], kData + "OF(" + std::to_string(e.value) + ")");
  }
}

TEST_F(DefineLabelPatchTest, BinaryLabelsPatchWithTheAddressItself) {
  c.InBinaryZone = true;
  c.BinaryPointer = 1500;
  c.CurrentStep = 77;
  Await(20, "DAF");
  Await(30, "NUM4");
  ASSERT_EQ(c.DefineLabel("NAME:"), 0);
  EXPECT_EQ(c.Labels[c.Labels.Find("NAME")].value, 10500);  // the label keeps address + 9000
  EXPECT_EQ(Codes(19, 2), (Texts{"15", "00"}));
  EXPECT_EQ(Codes(27, 4), (Texts{"01", "05", "00", "00"}));
}

TEST_F(DefineLabelPatchTest, EveryReferenceOfTheNameAndNoOtherIsPatched) {
  c.Image.Code[1] = "F1";
  ASSERT_TRUE(c.ForwardRefs.Add("NAME", 2));  // a jump's address bytes in cells 2 and 3
  Await(100, "DAL");
  Await(200, "DAL", "OTHER");
  ASSERT_EQ(DefineAt(1234), 0);
  EXPECT_EQ(Codes(2, 2), (Texts{"12", "34"}));
  EXPECT_EQ(Keys(2, 2), (Texts{"1 2", "3 4"}));
  EXPECT_EQ(c.Image.Code[100], "22");
  EXPECT_EQ(c.Image.Code[200], "DAL");
  ASSERT_NE(c.ForwardRefs.FirstPending(), nullptr);
  EXPECT_EQ(c.ForwardRefs.FirstPending()->name, "OTHER");
  EXPECT_EQ(c.Labels[c.Labels.Find("NAME")].value, 1234);
}

TEST_F(DefineLabelPatchTest, InternalLabelsAreNotCountedAsUserLabels) {
  ASSERT_EQ(c.DefineLabel("lab1:"), 0);
  ASSERT_EQ(c.DefineLabel("LAB2:"), 0);
  ASSERT_EQ(c.DefineLabel("__sel1:"), 0);
  EXPECT_EQ(c.UserLabelCount, 2);
  EXPECT_EQ(c.Labels.Count(), 3);
}

TEST_F(DefineLabelPatchTest, JumpToABinaryLabelIsRefused) {
  ASSERT_TRUE(c.ForwardRefs.Add("NAME", 2));
  c.InBinaryZone = true;
  c.BinaryPointer = 1200;
  EXPECT_NE(c.DefineLabel("NAME:"), 0);
  EXPECT_TRUE(c.Status[2].starts_with("   ")) << c.Status[2];
  EXPECT_NE(c.Status[2].find("NAME"), std::string::npos) << c.Status[2];
}

}  // namespace
}  // namespace calvern
