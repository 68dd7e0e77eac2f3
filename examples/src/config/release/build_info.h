#ifndef DEMO_BUILD_INFO_H_
#define DEMO_BUILD_INFO_H_

#define DEMO_BUILD_NAME "release"

#endif  // DEMO_BUILD_INFO_H_
