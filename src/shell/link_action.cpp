#include "shell/link_action.h"

#include <optional>

#include "link/link_menu.h"

namespace calvern {

ProgramImage ProgramImageOf(const Compilation& compilation) {
  ProgramImage image;
  for (int cell = 0; cell < MemoryImage::kCellCount; ++cell) {
    image.cells[cell] = compilation.Image.ByteValue(cell);
  }
  image.binaryZoneUsed = compilation.BinaryZoneUsed;
  image.decimalZoneUsed = compilation.DecimalZoneUsed;
  return image;
}

void RunLinkMenu(Application& app) {
  std::optional<ProgramImage> program;
  if (app.Compiler.CompiledOk) program = ProgramImageOf(app.Compiler);
  LinkContext context{
      *app.Terminal,      app.Messages,  app.Config.ComPort, app.Config.MkIdentifier,
      app.LinkStatusLine, app.Status[1], app.Status[2],      program ? &*program : nullptr};
  LinkMenu(context);
}

}  // namespace calvern
