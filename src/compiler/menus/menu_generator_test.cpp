// The menu generator's text: the lines it collects in the generated-lines buffer, compared
// whole, and the errors of menu directives with their texts and lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compilation.h"
#include "compiler/compile_testing.h"

namespace calvern {
namespace {

// Compiles `source` (which must compile) and gives buffer lines from..from + count - 1.
Texts GeneratedLinesOf(const std::string& source, int from, int count) {
  CompileOptions options;
  Compilation c(source, options);
  CompileResult result = std::move(c).Run();
  EXPECT_TRUE(result.Ok()) << source << ": "
                           << (result.error
                                   ? MessageTable()[result.error->message] + result.error->detail
                                   : "");
  Texts lines;
  for (int n = from; n < from + count; ++n) lines.push_back(c.Source().Generated().Line(n));
  return lines;
}

TEST(MenuGenerator, Scratch) {
  for (const std::string& line : GeneratedLinesOf(R"(
#MENU
#STRING 1 "Title"
#ACTION "Go" go
#ENDMENU
go: RTN
)",
                                                  0, 12))
    std::cout << "[" << line << "]\n";
}

}  // namespace
}  // namespace calvern
