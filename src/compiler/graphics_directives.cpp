#include "compiler/graphics_directives.h"

#include "compiler/compilation.h"
#include "compiler/graph_encoder.h"
#include "compiler/user_font.h"

namespace calvern {

Status CompileGraphicsDirective(Compilation& c, const KeywordEntry& directive) {
  switch (directive.index) {
    case kDirDefgraph: {
      DotGrid grid(0, 0);
      if (Failed(ReadGraphRows(c, "#DEFGRAPH", grid))) return Status::kFailed;
      EmitGraph(c, grid);
      return c.Stopped() ? Status::kFailed : Status::kDone;
    }
    case kDirLoadimage:
      return CompileLoadImage(c, directive);
    default:
      return CompileFontDirective(c, directive);
  }
}

}  // namespace calvern
