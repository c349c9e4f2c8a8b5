#include "shell/link_action.h"

#include <optional>

#include "link/link_menu.h"

namespace calvern {

namespace {

ProgramImage ImageOf(const MemoryImage& memory, bool binaryZoneUsed, bool decimalZoneUsed) {
  ProgramImage image;
  for (int cell = 0; cell < MemoryImage::kCellCount; ++cell) {
    const int value = memory.Value(cell);
    image.cells[cell] = value >= 0 ? value : ProgramImage::kUnused;
  }
  image.binaryZoneUsed = binaryZoneUsed;
  image.decimalZoneUsed = decimalZoneUsed;
  return image;
}

}  // namespace

ProgramImage ProgramImageOf(const CompiledProgram& program) {
  return ImageOf(program.image, program.binaryZoneUsed, program.decimalZoneUsed);
}

ProgramImage ProgramImageOf(const MkImage& files) {
  return ImageOf(files.image, files.binaryZoneUsed, files.decimalZoneUsed);
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
