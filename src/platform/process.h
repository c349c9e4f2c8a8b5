// Starting outside programs (the editor, the emulator) without waiting for them.
#pragma once

#include <string>
#include <vector>

namespace calvern::platform {

// Starts `program` with `arguments` in `workingDirectory` (empty: the current one). A program
// name without a directory is searched on the PATH. Returns whether it could be started. The
// program runs on by itself; when it ends it leaves no zombie behind.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory);

}  // namespace calvern::platform
