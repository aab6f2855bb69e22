// vexaro: the page's settings on Linux.
#include <cerrno>
#include <cstdio>
#include <iostream>

#include "CommandLine.h"
#include "ErrorReport.h"

int main(int argc, char** argv) {
    const int code = vexaro::RunTool(argc, argv, std::cout, std::cerr);
    // Output that did not reach its file (a full disk, a closed pipe) is
    // an error too, even when all else went well.
    errno = 0;
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int cause = errno;
        std::cerr << "vexaro: cannot write to standard output: " << vexaro::SystemError(cause)
                  << "\n";
        return vexaro::kExitError;
    }
    return code;
}
