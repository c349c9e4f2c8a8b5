#include <gtest/gtest.h>

#include <string>

#include "compiler/compile_testing.h"

namespace calvern {
namespace {

struct NotationCase {
  const char* source;
  Texts codes;  // the steps from 0, as the MK-61 and MK-52 manuals give their codes
};

// The key names of the manuals' listings and the codes the calculator stores for them.
TEST(KeyNotationTest, ListingNamesCompileToTheManualsCodes) {
  const NotationCase cases[] = {
      // Keys without a prefix.
      {"В↑", {"0E"}},
      {"Сx", {"0D"}},
      {"ВП", {"0C"}},
      {"/-/", {"0B"}},
      {"↔", {"14"}},
      {"XY", {"14"}},
      {"+ − × ÷", {"10", "11", "12", "13"}},
      {"1 , 5", {"01", "0A", "05"}},
      {"В/О С/П", {"52", "50"}},
      // F functions, the prefix key apart, joined, or the Latin letter in either case.
      {"F sin F cos F tg", {"1C", "1D", "1E"}},
      {"F sin⁻¹ F arcsin F cos⁻¹ F tg⁻¹", {"19", "19", "1A", "1B"}},
      {"F √ F x² F 1/x F xʸ F π", {"21", "22", "23", "24", "20"}},
      {"F eˣ F 10ˣ F lg F ln", {"16", "15", "17", "18"}},
      {"F Вx F ⟳", {"0F", "25"}},
      {"Fsin fx² FВx", {"1C", "22", "0F"}},
      {"x²", {"22"}},  // the keyword table's own alias of x^2
      // K functions, with the Cyrillic or the Latin К.
      {"К max К |x| К ЗН К [x] К {x}", {"36", "31", "32", "34", "35"}},
      {"К ∧ К ∨ К ⊕ К ИНВ К СЧ К НОП", {"37", "38", "39", "3A", "3B", "54"}},
      {"К °→′ К °→′″ К °←′″ К °←′", {"26", "2A", "30", "33"}},
      {"Кmax k max K НОП", {"36", "36", "54"}},
      // Jumps, conditions and loops with a step address.
      {"БП 42 ПП 42", {"51", "42", "53", "42"}},
      {"F x<0 42 F x=0 42 F x≥0 42 F x≠0 42", {"5C", "42", "5E", "42", "59", "42", "57", "42"}},
      {"F L0 42 F L1 42 F L2 42 F L3 42", {"5D", "42", "5B", "42", "58", "42", "5A", "42"}},
      // Registers 0-9 and a-e, the letters Latin or Cyrillic.
      {"x→П 5 П 5 П→x 5 ИП 5", {"45", "45", "65", "65"}},
      {"x→П а П→x в ИП с П д x→П е П→x b", {"4A", "6B", "6C", "4D", "4E", "6B"}},
      {"х→П 7", {"47"}},  // the x of the key typed as the Cyrillic х
      // К before a register instruction or a jump: the indirect form.
      {"К x→П 5 К П→x 5 К П 5 К ИП 5", {"B5", "D5", "B5", "D5"}},
      {"К БП 5 К ПП 5 КПП 7", {"85", "A5", "A7"}},
      {"К x<0 5 К x=0 5 К x≥0 5 К x≠0 5", {"C5", "E5", "95", "75"}},
      {"К П→x а К БП е", {"DA", "8E"}},
  };
  for (const NotationCase& c : cases) {
    SCOPED_TRACE(c.source);
    TestCompiler compiler;
    ASSERT_EQ(compiler.CompileText(c.source), 0) << compiler.Status[2];
    EXPECT_EQ(compiler.Codes(0, compiler.CurrentStep()), c.codes);
  }
}

// Names that mean nothing after their prefix key are reported with the key.
TEST(KeyNotationTest, UnknownNamesAfterAPrefixKey) {
  const std::pair<const char*, const char*> cases[] = {
      {"F max", "   unknown instruction F MAX"},
      {"К sin", "   unknown instruction К SIN"},
      {"К L0 5", "   unknown instruction К L0"},  // a loop has no indirect form
      {"Fcosh", "   unknown instruction FCOSH"},
      {"ВВ", "   unknown instruction ВВ"},
      {"ENT F", "   unexpected end of file !"},
      {"БП", "   unexpected end of file !"},
      {"К П→x 100", "   indirect adressing with register > 99"},
  };
  for (const auto& [source, detail] : cases) {
    SCOPED_TRACE(source);
    TestCompiler compiler;
    EXPECT_EQ(compiler.CompileText(source), 1);
    EXPECT_EQ(compiler.Status[2], detail);
  }
}

}  // namespace
}  // namespace calvern
