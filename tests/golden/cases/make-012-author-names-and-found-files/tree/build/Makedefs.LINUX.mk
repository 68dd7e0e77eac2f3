# Platform definitions for the makefiles that qev writes for LINUX. The
# project makefile includes this file by name, so it lives in the directory
# that make runs in.

# Where object files go, below the directory that make runs in.
OBJS_DIR    = obj

ECHO        = echo
# Removes object directories and output files alike.
RMDIR       = rm -rf

CXX         = g++
CC          = gcc
# Links programs; g++, since their objects may be C++.
CCLD        = g++
AR          = ar
RANLIB      = ranlib

# Run after every compile. Header dependencies are not tracked: nothing to do.
PARSEDEPEND = :
