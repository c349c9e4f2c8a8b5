#include "platform/program.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace calvern::platform {

// POSIX hands the parameters over as the bytes they were typed in, UTF-8 on every system the
// program supports, and its streams never translate line ends.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

void KeepFreedMemory() {
#if defined(__GLIBC__)
  // The C library hands memory back once 128 KB lie free at the top of its heap.
  (void)mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

// A parent sees only the low 8 bits of the status: a compilation error arrives as 10, and its
// line number reaches the caller in the message on standard error.
int ExitStatus(long long code) { return static_cast<int>(code & 0xFF); }

}  // namespace calvern::platform
