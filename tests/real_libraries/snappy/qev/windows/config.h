/* snappy's config.h as its CMake build configures it for Visual Studio 2022
   (x64, no zlib, LZO or LZ4), prepared by hand for the Visual Studio projects
   that qev writes: they have no configure step. */
#ifndef THIRD_PARTY_SNAPPY_OPENSOURCE_CMAKE_CONFIG_H_
#define THIRD_PARTY_SNAPPY_OPENSOURCE_CMAKE_CONFIG_H_

#define HAVE_WINDOWS_H 1

#define SNAPPY_HAVE_SSSE3 0
#define SNAPPY_HAVE_BMI2 0

#endif  // THIRD_PARTY_SNAPPY_OPENSOURCE_CMAKE_CONFIG_H_
