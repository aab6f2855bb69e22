// Google Benchmark's own main, plus two options of this program:
//     --vx_write_ini_calls=FOLDER   writes the INI calls of Apply for 255
//                                   Layout values into FOLDER and exits
//     --vx_write_tool_data=FOLDER   writes the data of 5,000 Layout values
//                                   for the vexaro tool into FOLDER
//                                   (ToolData.h) and exits
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchmarkSetup.h"
#include "ToolData.h"

int main(int argc, char** argv) {
    const char kOption[] = "--vx_write_ini_calls=";
    const char kToolOption[] = "--vx_write_tool_data=";
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], kToolOption, sizeof kToolOption - 1) == 0) {
            const std::string folder = argv[i] + sizeof kToolOption - 1;
            if (!vxbench::WriteToolData(5000, folder)) {
                std::fprintf(stderr, "cannot write the tool's data into %s\n", folder.c_str());
                return 1;
            }
            return 0;
        }
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) == 0) {
            const std::string folder = argv[i] + sizeof kOption - 1;
            if (!vxbench::WriteIniWorkload(255, folder)) {
                std::fprintf(stderr, "cannot write the INI calls into %s\n", folder.c_str());
                return 1;
            }
            return 0;
        }
        rest.push_back(argv[i]);
    }
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
