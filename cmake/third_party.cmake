# Where TinyXML and GoogleTest come from.
#
# On Linux both are the system's packages (pkg-config tinyxml, the GTest CMake
# package). A Windows build takes them from source directories instead and
# compiles them with the project's own compiler:
#   QEV_TINYXML_SOURCE_DIR  TinyXML 2.6 sources, e.g. Debian's source package
#                           unpacked by scripts/fetch-debian-source.sh
#   QEV_GTEST_SOURCE_DIR    a GoogleTest source tree (/usr/src/googletest on
#                           Debian)
# Either may also be given on Linux, and must be when cross-compiling.
set(QEV_TINYXML_SOURCE_DIR "" CACHE PATH "TinyXML sources to build with the project")
set(QEV_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the project")

if(NOT QEV_TINYXML_SOURCE_DIR AND (WIN32 OR CMAKE_CROSSCOMPILING))
  message(FATAL_ERROR "A Windows or cross build needs TinyXML's sources: "
          "pass -DQEV_TINYXML_SOURCE_DIR=<dir> (see README)")
endif()

# qev_tinyxml: the one target the code links for TinyXML.
if(QEV_TINYXML_SOURCE_DIR)
  if(NOT EXISTS ${QEV_TINYXML_SOURCE_DIR}/tinyxml.h)
    message(FATAL_ERROR "No tinyxml.h in ${QEV_TINYXML_SOURCE_DIR}")
  endif()
  add_library(qev_tinyxml STATIC
    ${QEV_TINYXML_SOURCE_DIR}/tinystr.cpp
    ${QEV_TINYXML_SOURCE_DIR}/tinyxml.cpp
    ${QEV_TINYXML_SOURCE_DIR}/tinyxmlerror.cpp
    ${QEV_TINYXML_SOURCE_DIR}/tinyxmlparser.cpp
  )
  # Debian's sources define TIXML_USE_STL in tinyxml.h; upstream's need it
  # from the command line. Third-party code: its warnings are not ours.
  target_compile_definitions(qev_tinyxml PUBLIC TIXML_USE_STL)
  target_include_directories(qev_tinyxml SYSTEM PUBLIC ${QEV_TINYXML_SOURCE_DIR})
  target_compile_options(qev_tinyxml PRIVATE
    $<IF:$<CXX_COMPILER_ID:MSVC>,/w,-w>)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(TINYXML REQUIRED IMPORTED_TARGET tinyxml)
  add_library(qev_tinyxml INTERFACE)
  target_link_libraries(qev_tinyxml INTERFACE PkgConfig::TINYXML)
endif()

# GTest::gtest and GTest::gtest_main, as the GTest package names them.
if(BUILD_TESTING)
  if(QEV_GTEST_SOURCE_DIR)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${QEV_GTEST_SOURCE_DIR}
                     ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)  # GoogleTest 1.11+ defines both
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  elseif(NOT TARGET GTest::gtest_main)
    find_package(GTest REQUIRED)
  endif()
endif()
