// zebra.cpp
