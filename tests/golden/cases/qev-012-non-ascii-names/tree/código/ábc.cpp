// ábc.cpp
