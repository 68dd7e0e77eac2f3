/* Preloaded into bytewrap to make reading its input fail part way: after
 * FAIL_READ_AFTER bytes, read() either fails with EIO (FAIL_READ_MODE=error)
 * or reports the end of the file (FAIL_READ_MODE=short). Only descriptors
 * above standard error are affected. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static long long delivered;

ssize_t read(int fd, void* buffer, size_t count) {
  static ssize_t (*real_read)(int, void*, size_t);
  if (!real_read)
    real_read = (ssize_t(*)(int, void*, size_t))dlsym(RTLD_NEXT, "read");
  const char* after = getenv("FAIL_READ_AFTER");
  if (fd <= 2 || !after)
    return real_read(fd, buffer, count);
  long long limit = atoll(after);
  if (delivered >= limit) {
    const char* mode = getenv("FAIL_READ_MODE");
    if (mode && strcmp(mode, "short") == 0)
      return 0;
    errno = EIO;
    return -1;
  }
  if ((long long)count > limit - delivered)
    count = (size_t)(limit - delivered);
  ssize_t got = real_read(fd, buffer, count);
  if (got > 0)
    delivered += got;
  return got;
}
