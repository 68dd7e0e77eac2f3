#include "base/host_platform.h"

const char* HostPlatform() {
#if defined(__APPLE__)
  return "MacOSX";
#else
  return "Linux";
#endif
}
