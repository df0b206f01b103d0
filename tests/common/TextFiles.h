#pragma once
// Whole text files for tests that compare what the program wrote byte for byte.

#include <fstream>
#include <sstream>
#include <string>

inline std::string readTextFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}
