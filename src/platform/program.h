// The program's dealings with the system as a whole: its parameters at the start, as UTF-8
// texts like every other text of the program, with standard streams that carry bytes
// unchanged; and the exit status it leaves at the end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace calvern::platform {

// The parameters after the program's own name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Keeps the memory the program frees for its next allocations, rather than handing it back to
// the system to ask for it again a fresh page at a time: a compilation frees its records just
// before the listing takes memory, and a fresh page costs as much as tens of thousands of
// instructions.
// The program's runs are short, and it never holds more than a few megabytes at once. Blocks
// up to 32 MB come from the same heap, so that they too are kept, and PrepareMemory can make
// them ready.
void KeepFreedMemory();

// Makes the next `bytes` of memory the program allocates ready in one call to the system,
// instead of a fault for each fresh page as it is first written: where a fault costs as much
// as in a virtual machine, a whole compilation runs several percent faster. Bytes prepared
// and not used cost a little; nothing changes but the time. After KeepFreedMemory, and for at
// most 32 MB.
void PrepareMemory(std::size_t bytes);

// The exit status that carries a result code as far as the system allows: the whole code where
// exit statuses are 32 bits wide, its low 8 bits where they are 8 bits wide.
int ExitStatus(long long code);

}  // namespace calvern::platform
