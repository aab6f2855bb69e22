// vexaro: the page's settings on Linux.
#include <iostream>

#include "CommandLine.h"

int main(int argc, char** argv) {
    return vexaro::RunTool(argc, argv, std::cout, std::cerr);
}
