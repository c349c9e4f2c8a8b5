#include "platform/program.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

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
  // The C library hands memory back once 128 KB lie free at the top of its heap, and maps
  // blocks of 128 KB and more apart from it, to unmap them when they are freed.
  (void)mallopt(M_TRIM_THRESHOLD, 64 << 20);
  (void)mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

void PrepareMemory(std::size_t bytes) {
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
  // Taken from the top of the heap and given back to it, where the next allocations find it
  // (KeepFreedMemory keeps it there). A kernel without MADV_POPULATE_WRITE (before Linux 5.14)
  // refuses the advice, and the pages come one fault at a time as before.
  void* block = std::malloc(bytes);
  if (block == nullptr) return;
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t start = (first + page - 1) & ~(page - 1);
  const std::uintptr_t end = (first + bytes) & ~(page - 1);
  if (end > start) {
    (void)::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
  }
  std::free(block);
#else
  (void)bytes;
#endif
}

// A parent sees only the low 8 bits of the status: a compilation error arrives as 10, and its
// line number reaches the caller in the message on standard error.
int ExitStatus(long long code) { return static_cast<int>(code & 0xFF); }

}  // namespace calvern::platform
