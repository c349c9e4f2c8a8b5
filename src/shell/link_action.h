// Main menu key 7: the link menu, with the compiled program handed over as a plain image.
#pragma once

#include "compiler/compile.h"
#include "link/program_image.h"
#include "output/mk_file_reader.h"
#include "shell/application.h"

namespace calvern {

// The bytes of the compiled memory image; cells that hold no byte are unused.
ProgramImage ProgramImageOf(const CompiledProgram& program);
// The bytes MK files hold: the zones they have files for, their unused steps left out.
ProgramImage ProgramImageOf(const MkImage& files);

// Runs the link menu on the application's console, settings and status lines.
void RunLinkMenu(Application& app);

}  // namespace calvern
