#include "platform/program.h"

namespace calvern::platform {

// POSIX hands the parameters over as the bytes they were typed in, UTF-8 on every system the
// program supports, and its streams never translate line ends.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

// A parent sees only the low 8 bits of the status: a compilation error arrives as 10, and its
// line number reaches the caller in the message on standard error.
int ExitStatus(long long code) { return static_cast<int>(code & 0xFF); }

}  // namespace calvern::platform
