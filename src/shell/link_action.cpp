#include "shell/link_action.h"

#include <optional>

#include "link/link_menu.h"

namespace calvern {

ProgramImage ProgramImageOf(const CompiledProgram& program) {
  ProgramImage image;
  for (int cell = 0; cell < MemoryImage::kCellCount; ++cell) {
    int value = program.image.Value(cell);
    image.cells[cell] = value >= 0 ? value : ProgramImage::kUnused;
  }
  image.binaryZoneUsed = program.binaryZoneUsed;
  image.decimalZoneUsed = program.decimalZoneUsed;
  return image;
}

void RunLinkMenu(Application& app) {
  std::optional<ProgramImage> program;
  if (app.LastBuild.compiledOk && app.LastBuild.program) {
    program = ProgramImageOf(*app.LastBuild.program);
  }
  LinkContext context{
      *app.Terminal,      app.Messages,  app.Config.ComPort, app.Config.MkIdentifier,
      app.LinkStatusLine, app.Status[1], app.Status[2],      program ? &*program : nullptr};
  LinkMenu(context);
}

}  // namespace calvern
