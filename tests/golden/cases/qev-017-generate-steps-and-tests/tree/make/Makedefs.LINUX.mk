# Platform definitions for the makefiles that qev writes for LINUX. The
# project makefile includes this file by name, so it lives in the directory
# that make runs in.

# Where object files go, below the directory that make runs in.
OBJS_DIR    = obj

ECHO        = echo
# Removes object directories and output files alike.
RMDIR       = rm -rf

# Compiles also write the headers each object includes into a .d file
# beside it (-MMD), with an empty rule per header (-MP) so that a removed
# header stops no build.
CXX         = g++ -MMD -MP
CC          = gcc -MMD -MP
# Links programs; g++, since their objects may be C++.
CCLD        = g++
AR          = ar
RANLIB      = ranlib

# Run after every compile: the .d files need nothing more.
PARSEDEPEND = :

# The header dependencies of earlier builds: an edited header recompiles
# the objects that include it. They hold rules, so "all" is named as the
# goal a bare make builds.
.DEFAULT_GOAL := all
-include $(shell find $(OBJS_DIR) -name '*.d' 2>/dev/null)
