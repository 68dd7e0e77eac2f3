// Ärger.cpp
