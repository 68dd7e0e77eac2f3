# textutil is built with the same tools as the rest of the example. make runs
# in this directory, so the path leads from here.
include ../../build/Makedefs.LINUX.mk
