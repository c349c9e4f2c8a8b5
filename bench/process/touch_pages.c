/* What a fresh page of memory costs a process on this machine: maps PAGES pages and writes one
 * byte in each, then exits. Paired against `touch_pages 0`, the difference over PAGES is the
 * cost of one page (its fault, its zeroing, its release at exit), which is what every page a
 * program touches beyond another's costs it.
 *   touch_pages PAGES                                                                          */
#include <stdlib.h>
#include <sys/mman.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  long pages = atol(argv[1]);
  if (pages <= 0) return 0;
  volatile char* memory = mmap(NULL, (size_t)pages * 4096, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return 3;
  for (long page = 0; page < pages; ++page) memory[page * 4096] = 1;
  return 0;
}
