#ifndef QEV_BASE_HOST_PLATFORM_H_
#define QEV_BASE_HOST_PLATFORM_H_

// The platform qev runs on, as descriptions name it: "MacOSX" on macOS,
// "Linux" elsewhere (the make and ninja tools' platform without -p).
const char* HostPlatform();

#endif  // QEV_BASE_HOST_PLATFORM_H_
