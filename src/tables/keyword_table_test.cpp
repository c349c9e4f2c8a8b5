#include "tables/keyword_table.h"

#include <gtest/gtest.h>

#include <string>

namespace calvern {
namespace {

const KeywordTable& Table() { return KeywordTable::BuiltIn(); }

TEST(KeywordTableTest, GroupsStartWhereTheStoredSeparatorsStand) {
  ASSERT_EQ(Table().Count(), 249);
  // Group sizes 112, 28, 24, 28, 4, 13, 7 and 33 entries.
  const int starts[] = {1, 113, 141, 165, 193, 197, 210, 217, 250};
  for (int g = 0; g <= KeywordTable::kGroupCount; ++g) {
    EXPECT_EQ(Table().GroupStart(g), starts[g]) << "group " << g;
  }
  for (int g = 0; g < KeywordTable::kGroupCount; ++g) {
    for (int i = starts[g]; i < starts[g + 1]; ++i) EXPECT_EQ(Table().Group(i), g) << i;
  }
  EXPECT_EQ(Table().Keyword(113), "0");
  EXPECT_EQ(Table().Keyword(193), "L0");
  EXPECT_EQ(Table().Keyword(217), "FOR");
  EXPECT_EQ(Table().Keyword(249), "ENDSELECT");
}

// The table's texts are upper-cased when the program is built: they must read as the statement
// loop upper-cases tokens, or a keyword would never be found.
TEST(KeywordTableTest, KeywordsAndCodesReadAsUpperCasedTokens) {
  for (int i = 1; i <= Table().Count(); ++i) {
    EXPECT_EQ(UpperCase(Table().Keyword(i)), Table().Keyword(i)) << i;
    EXPECT_EQ(UpperCase(Table().Code(i)), Table().Code(i)) << Table().Keyword(i);
    EXPECT_EQ(Table().Keyword(Table().Find(Table().Keyword(i))), Table().Keyword(i));
  }
}

TEST(KeywordTableTest, EveryAliasReachesAPlainEntryOfItsOwnGroup) {
  for (int i = 1; i <= Table().Count(); ++i) {
    const int target = Table().ResolveAlias(i);
    if (Table().Code(i).starts_with("<")) {
      EXPECT_LT(target, i) << Table().Keyword(i);
      EXPECT_EQ(Table().Group(target), Table().Group(i)) << Table().Keyword(i);
      EXPECT_FALSE(Table().Code(target).starts_with("<")) << Table().Keyword(i);
    } else {
      EXPECT_EQ(target, i) << Table().Keyword(i);
    }
  }
}

TEST(KeywordTableTest, AliasesResolveToTheirMainKeyword) {
  struct Case {
    const char* token;  // as the statement loop hands it over: upper-cased
    const char* keyword;
    const char* code;
  };
  const Case cases[] = {{"ENTER", "ENT", "0E"},
                        {"/-/", "+/-", "0B"},
                        {"SQR", "SQRT", "21"},
                        {"IF(X>=0)GOTO", "X<0", "05CC"},
                        {"IF(X!=0)GOTO", "X=0", "05EE"},
                        {"IF(X<0)GOTO", "X>=0", "0599"},
                        {"IF(X=0)GOTO", "X!=0", "0577"},
                        {"X<>0", "X!=0", "0577"},
                        {"IF(X<>0)GOTO", "X=0", "05EE"},
                        {"GOSUB", "GSB", "253A"},
                        {"RCL", "RM", "6D"},
                        {"GET", "RM", "6D"},
                        {"STO", "M", "4B"},
                        {"SET", "M", "4B"},
                        {"EXEC", "M", "4B"},
                        {"CASE", "CASE=", "12"}};
  for (const Case& c : cases) {
    const int found = Table().Find(c.token);
    ASSERT_NE(found, 0) << c.token;
    const int resolved = Table().ResolveAlias(found);
    EXPECT_EQ(Table().Keyword(resolved), c.keyword) << c.token;
    EXPECT_EQ(Table().Code(resolved), c.code) << c.token;
  }
  // The ten-back alias lands on the entry exactly ten places earlier.
  const int ifNotZero = Table().Find("IF(X<>0)GOTO");
  EXPECT_EQ(Table().ResolveAlias(ifNotZero), ifNotZero - 10);
}

TEST(KeywordTableTest, SecondSpellingsCarryTheSameCode) {
  const std::pair<const char*, const char*> spellings[] = {
      {"TAN", "1E"},          {"TG", "1E"},           {"ARCTAN", "1B"},
      {"ARCTG", "1B"},        {"UNTIL(X<>0)", "053"}, {"UNTIL(X!=0)", "053"},
      {"WHILE(X!=0)", "063"}, {"IF(X!=0)THEN", "073"}};
  for (const auto& [keyword, code] : spellings) {
    ASSERT_NE(Table().Find(keyword), 0) << keyword;
    EXPECT_EQ(Table().Code(Table().Find(keyword)), code) << keyword;
  }
}

TEST(KeywordTableTest, LookupIsAnExactMatchOfTheUpperCasedText) {
  EXPECT_EQ(Table().Find("#REG"), 1);
  EXPECT_EQ(Table().Find("#FIRSTLINE"), 2);
  EXPECT_EQ(Table().Find("#OPTIM"), 59);
  EXPECT_EQ(Table().Find("#LABELLIST"), 81);
  EXPECT_EQ(Table().Find("#DAFK"), 112);
  EXPECT_EQ(Table().Find("#ENDSTRINGINPUT"), 76);
  EXPECT_EQ(Table().Find("X<0"), 197);
  // No prefix match either way, and the table holds upper-cased keywords only.
  for (const char* token : {"#REG5", "#RE", "#FIRSTLINE1", "RC", "RCLX", "ENTE", "enter", "Sin", "",
                            "\\GMODE", "IF(X<>0)"}) {
    EXPECT_EQ(Table().Find(token), 0) << token;
  }
  EXPECT_EQ(Table().Find(UpperCase("Enter")), Table().Find("ENTER"));
  EXPECT_EQ(Table().Find(UpperCase("#FirstLine")), 2);
  // Every keyword finds the first entry that spells it, as a scan from the top would.
  for (int i = 1; i <= Table().Count(); ++i) {
    int first = 1;
    while (Table().Keyword(first) != Table().Keyword(i)) ++first;
    EXPECT_EQ(Table().Find(Table().Keyword(i)), first) << Table().Keyword(i);
  }
}

TEST(KeywordTableTest, DirectiveIndexesMatchTheirKeywords) {
  const std::pair<int, const char*> directives[] = {
      {kDirReg, "#REG"},     {kDirFirstLine, "#FIRSTLINE"}, {kDirMkFiles, "#MKFILES"},
      {kDirOptim, "#OPTIM"}, {kDirLabelList, "#LABELLIST"}, {kDirEndStringInput, "#ENDSTRINGINPUT"},
      {kDirDafk, "#DAFK"}};
  for (const auto& [index, keyword] : directives) {
    EXPECT_EQ(Table().Keyword(index), keyword) << index;
    EXPECT_EQ(Table().Group(index), kGroupDirective) << index;
  }
  // Codes are upper-cased too: signatures and opcodes read position by position.
  EXPECT_EQ(Table().Code(kDirReg), "0");
  EXPECT_EQ(Table().Code(kDirTab), "60VV");
  EXPECT_EQ(Table().Code(kDirOutputf), "VSVRVV");
  EXPECT_EQ(Table().Code(Table().Find("ENT")), "0E");
}

}  // namespace
}  // namespace calvern
