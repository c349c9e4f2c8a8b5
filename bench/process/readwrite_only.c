/* The floor a whole compilation is measured against: a process that reads the same source and
 * writes files of the same sizes the way Calvern writes its outputs (a temporary file beside the
 * target, renamed into place), and does nothing else.
 *   readwrite_only SOURCE OUTPUT SIZE [OUTPUT SIZE ...]                                        */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int ReadWhole(const char* path) {
  int fd = open(path, O_RDONLY);
  if (fd < 0) return -1;
  char buffer[65536];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) {
  }
  close(fd);
  return got < 0 ? -1 : 0;
}

static int WriteFileOfSize(const char* path, long size) {
  char temporary[4096];
  if (snprintf(temporary, sizeof temporary, "%s.XXXXXX", path) >= (int)sizeof temporary) return -1;
  int fd = mkstemp(temporary);
  if (fd < 0) return -1;
  char block[4096];
  memset(block, 'x', sizeof block);
  while (size > 0) {
    long part = size < (long)sizeof block ? size : (long)sizeof block;
    if (write(fd, block, (size_t)part) != part) {
      close(fd);
      unlink(temporary);
      return -1;
    }
    size -= part;
  }
  if (close(fd) != 0 || rename(temporary, path) != 0) {
    unlink(temporary);
    return -1;
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 2 || argc % 2 != 0) {
    fprintf(stderr, "usage: readwrite_only SOURCE [OUTPUT SIZE]...\n");
    return 2;
  }
  if (ReadWhole(argv[1]) != 0) return 3;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (WriteFileOfSize(argv[i], atol(argv[i + 1])) != 0) return 3;
  }
  return 0;
}
