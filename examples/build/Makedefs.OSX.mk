# Platform definitions for the makefiles that qev writes for OSX. The
# project makefile includes this file by name, so it lives in the directory
# that make runs in.

# Where object files go, below the directory that make runs in.
OBJS_DIR    = obj

ECHO        = echo
# Removes object directories and output files alike.
RMDIR       = rm -rf

CXX         = clang++
CC          = clang
# Links programs; clang++, since their objects may be C++.
CCLD        = clang++
AR          = ar
RANLIB      = ranlib

# Run after every compile. Header dependencies are not tracked: nothing to do.
PARSEDEPEND = :
