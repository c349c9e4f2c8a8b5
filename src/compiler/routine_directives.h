// Directives that expand into calculator routines written as source text and compiled in
// place: block moves, register/binary copies, disk file operations, the file search routine
// and the radio-button conversions.
#pragma once

namespace calvern {

class Compilation;

int CompileRoutineDirective(Compilation& c, int index);

}  // namespace calvern
