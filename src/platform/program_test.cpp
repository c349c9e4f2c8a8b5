#include "platform/program.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace calvern::platform {
namespace {

// The C library's own heap, which the sanitizers replace with theirs.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CALVERN_SANITIZED_HEAP 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define CALVERN_SANITIZED_HEAP 1
#endif

#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
struct Residency {
  std::size_t pages = 0;     // whole pages of the block
  std::size_t inMemory = 0;  // of them, those in memory
};

Residency PagesInMemory(const void* block, std::size_t bytes) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t start = (first + page - 1) & ~(page - 1);
  const std::uintptr_t end = (first + bytes) & ~(page - 1);
  std::vector<unsigned char> resident((end - start) / page);
  Residency residency{.pages = resident.size()};
  if (mincore(reinterpret_cast<void*>(start), end - start, resident.data()) != 0) return {};
  for (unsigned char flags : resident) residency.inMemory += flags & 1;
  return residency;
}

// The memory a compilation allocates after PrepareMemory is in place before it is written: a
// block larger than any the tests allocate before lands on fresh pages of the heap's top, which
// only the preparation brings in.
TEST(Program, PreparedMemoryIsInPlaceBeforeItIsWritten) {
#if defined(CALVERN_SANITIZED_HEAP)
  GTEST_SKIP() << "the sanitizers' heap stands in for the C library's";
#endif
  // A kernel older than Linux 5.14 cannot prepare pages: the program then runs as before.
  void* trial = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(trial, MAP_FAILED);
  const bool kernelPrepares = madvise(trial, 4096, MADV_POPULATE_WRITE) == 0;
  munmap(trial, 4096);
  if (!kernelPrepares) GTEST_SKIP() << "this kernel has no MADV_POPULATE_WRITE";

  KeepFreedMemory();
  constexpr std::size_t kBytes = 24u << 20;
  void* probe = std::malloc(kBytes);
  ASSERT_NE(probe, nullptr);
  const Residency before = PagesInMemory(probe, kBytes);
  ASSERT_LT(before.inMemory, before.pages / 2) << "the heap's top was in use before";
  std::free(probe);

  PrepareMemory(kBytes);
  void* block = std::malloc(kBytes);
  ASSERT_EQ(block, probe) << "the block lands where the prepared one was";
  EXPECT_EQ(PagesInMemory(block, kBytes).inMemory, before.pages);
  std::free(block);
}
#endif

}  // namespace
}  // namespace calvern::platform
