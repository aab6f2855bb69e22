// Reads the export and import tables of a 32-bit PE module from its file.
#pragma once

#include <string>
#include <vector>

namespace shelltest {

struct PeTables {
    bool valid = false;
    std::string error;
    unsigned exportedFunctions = 0;    // entries in the export address table
    std::vector<std::string> exports;  // exported names
    std::vector<std::string> imports;  // imported module names, load-time
    std::vector<std::string> delayImports;
};

PeTables ReadPeTables(const std::string& bytes);

}  // namespace shelltest
