#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compilation.h"
#include "compiler/compile_testing.h"
#include "compiler/directive_compiler.h"

namespace calvern {
namespace {

class DirectiveParametersTest : public ::testing::Test {
 protected:
  // Reads the parameters of directive `index` from `text` in a fresh compilation; afterwards
  // Detail() is status line 2 of an error.
  int Read(int index, const std::string& text, int extraValues = 0) {
    c = std::make_unique<Compilation>(text, options);
    c->Prefixes.conditionalForm = conditional;
    for (const auto& [reg, name] : names) c->Names.registerNames.SetName(reg, name);
    return Failed(ReadDirectiveParameters(c->Keywords.Entry(index), extraValues)) ? 1 : 0;
  }
  Status ReadDirectiveParameters(const KeywordEntry& directive, int extraValues) {
    return calvern::ReadDirectiveParameters(*c, directive, params, extraValues);
  }
  std::string Detail() const {
    const std::optional<Diagnostic>& error = c->Log().Error();
    return error ? ErrorStatus(*error, messages)[2] : std::string();
  }
  Texts Slots() const {
    return Texts(params.slot.begin() + 1, params.slot.begin() + 1 + params.count);
  }

  CompileOptions options;
  MessageTable messages;
  std::unique_ptr<Compilation> c;
  DirectiveParameters params;
  bool conditional = false;
  std::vector<std::pair<int, std::string>> names;  // registers named by "#reg"
};

TEST_F(DirectiveParametersTest, QuotedTextKeepsCaseAndBlanks) {
  ASSERT_EQ(Read(kDirString, " 12  \"  Hello, World;  \" next"), 0) << Detail();
  EXPECT_EQ(Slots(), (Texts{"12", "  Hello, World;  "}));
  EXPECT_EQ(c->Source().NextToken(), "next");  // reading stops right after the closing quote

  ASSERT_EQ(Read(kDirLink, "\n\n\"\" 5"), 0);
  EXPECT_EQ(Slots(), (Texts{"", "5"}));
  EXPECT_EQ(c->Source().LineCount(), 2);  // line feeds before the quote are counted

  ASSERT_EQ(Read(kDirFilename, "\"=@$\"\"x\""), 0);
  EXPECT_EQ(Slots(), Texts{"=@$"});
}

TEST_F(DirectiveParametersTest, ValueAndAddressTokensAreUpperCased) {
  ASSERT_EQ(Read(kDirIcon, "width\tlabel1 rest"), 0);
  EXPECT_EQ(Slots(), (Texts{"WIDTH", "LABEL1"}));
  ASSERT_EQ(Read(kDirBlank, "@x"), 0);
  EXPECT_EQ(Slots(), Texts{"RCL"});  // tokens follow the tokenizer's rules
  ASSERT_EQ(Read(kDirBlank, "1 2 3", 2), 0);
  EXPECT_EQ(Slots(), (Texts{"1", "2", "3"}));
  EXPECT_EQ(params.slot[10], "");
  EXPECT_EQ(params.slot[11], "");
}

TEST_F(DirectiveParametersTest, RegisterParametersAreDirectRegistersUpTo99) {
  names = {{30, "RATE"}};
  const std::pair<const char*, const char*> cases[] = {
      {"\"a\" 0", "0"},    {"\"a\" 42", "42"}, {"\"a\" F", "15"},
      {"\"a\" 015", "15"}, {"\"a\" 99", "99"}, {"\"a\" rate", "30"},
  };
  for (const auto& [text, reg] : cases) {
    ASSERT_EQ(Read(kDirCheck, text), 0) << text << Detail();
    EXPECT_EQ(Slots(), (Texts{"a", reg})) << text;
  }
  for (const char* text : {"\"a\" 100", "\"a\" \\GMode", "\"a\" (5)"}) {
    EXPECT_NE(Read(kDirCheck, text), 0) << text;
    EXPECT_TRUE(Detail().starts_with("   ")) << text << ": " << Detail();
  }
  EXPECT_NE(Read(kDirCheck, "\"a\" nobody"), 0);
  EXPECT_EQ(Detail(), "   unknown register NOBODY");
  EXPECT_NE(Read(kDirProgressbar, "(7"), 0);
  EXPECT_EQ(Detail(), "   missing parenthesis in (7");
}

TEST_F(DirectiveParametersTest, ParenthesisInsteadOfAQuoteNamesAnIndirectRegister) {
  ASSERT_EQ(Read(kDirFilename, "(12)"), 0) << Detail();
  EXPECT_EQ(Slots(), Texts{"12"});
  EXPECT_EQ(params.textRegister[1], 12);
  ASSERT_EQ(Read(kDirCstring, "3 (a)"), 0) << Detail();
  EXPECT_EQ(Slots(), (Texts{"3", "10"}));
  EXPECT_EQ(params.textRegister[1], -1);
  EXPECT_EQ(params.textRegister[2], 10);
  names = {{44, "TXT"}};
  ASSERT_EQ(Read(kDirFilename, "  (txt)"), 0) << Detail();
  EXPECT_EQ(Slots(), Texts{"44"});
  EXPECT_EQ(params.textRegister[1], 44);
  // A quoted text that looks like a register is a text all the same.
  ASSERT_EQ(Read(kDirFilename, "\"(12)\""), 0) << Detail();
  EXPECT_EQ(Slots(), Texts{"(12)"});
  EXPECT_EQ(params.textRegister[1], -1);
  EXPECT_NE(Read(kDirFilename, "(12"), 0);
  EXPECT_EQ(Detail(), "   missing parenthesis in (12");
}

TEST_F(DirectiveParametersTest, MalformedOrMissingParameters) {
  const std::pair<int, const char*> invalid[] = {
      {kDirFilename, "name.txt"}, {kDirString, "1 'quoted'"}, {kDirAction, "x\"y\" L"}};
  for (const auto& [index, text] : invalid) {
    EXPECT_NE(Read(index, text), 0) << text;
    EXPECT_EQ(Detail(), "   Invalid string in " + std::string(c->Keywords.Keyword(index))) << text;
  }
  EXPECT_NE(Read(kDirFilename, "\"line one\nline two\""), 0);
  EXPECT_EQ(Detail(), "   String not closed in #FILENAME");
  EXPECT_NE(Read(kDirFilename, "\"tab\tinside\""), 0);
  EXPECT_EQ(Detail(), "   String not closed in #FILENAME");

  const std::pair<int, const char*> missing[] = {
      {kDirBlank, ""},          {kDirBlank, "  ; only a comment"}, {kDirIcon, "5"},
      {kDirCheck, "\"label\""}, {kDirInputd, "\"x\" 5"},           {kDirOutputf, "1 \"t\" 2 3 4"}};
  for (const auto& [index, text] : missing) {
    EXPECT_NE(Read(index, text), 0) << text;
    EXPECT_EQ(Detail(), "   Not enough parameters in " + std::string(c->Keywords.Keyword(index)))
        << text;
  }
  EXPECT_NE(Read(kDirBlank, "1 2", 2), 0);
  EXPECT_EQ(Detail(), "   Not enough parameters in #BLANK");
  // A text cut off by the end of the source is an error too.
  EXPECT_NE(Read(kDirFilename, "\"unfinished"), 0);
  EXPECT_TRUE(Detail().starts_with("   ")) << Detail();
}

TEST_F(DirectiveParametersTest, ConditionalFormAddsARegisterAndATextCopiedToSlots10And11) {
  conditional = true;
  ASSERT_EQ(Read(kDirString, "5 \"Menu\" 7 \"On\""), 0) << Detail();
  EXPECT_EQ(Slots(), (Texts{"5", "Menu", "7", "On"}));
  EXPECT_EQ(params.slot[10], "7");
  EXPECT_EQ(params.slot[11], "On");
  ASSERT_EQ(Read(kDirString, "5 \"Menu\" 7 (8)"), 0) << Detail();
  EXPECT_EQ(params.slot[11], "8");
  EXPECT_EQ(params.textRegister[11], 8);  // the alternative text is held in register 8

  ASSERT_EQ(Read(kDirBlank, "1 B \"x y\""), 0) << Detail();
  EXPECT_EQ(Slots(), (Texts{"1", "11", "x y"}));
  EXPECT_EQ(params.slot[10], "11");
  EXPECT_EQ(params.slot[11], "x y");

  EXPECT_NE(Read(kDirBlank, "1 2"), 0);
  EXPECT_TRUE(Detail().starts_with("   ")) << Detail();
}

}  // namespace
}  // namespace calvern
