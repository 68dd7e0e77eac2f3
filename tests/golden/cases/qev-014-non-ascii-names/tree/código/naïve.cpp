// naïve.cpp
