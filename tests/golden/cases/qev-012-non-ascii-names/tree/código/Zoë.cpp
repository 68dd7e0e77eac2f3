// Zoë.cpp
