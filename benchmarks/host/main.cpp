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

namespace {

// An option that writes data for 'entries' Layout values into a folder.
struct WriteOption {
    const char* prefix;
    bool (*write)(int entries, const std::string& folder);
    int entries;
    const char* what;
};

const WriteOption kWriteOptions[] = {
    {"--vx_write_tool_data=", vxbench::WriteToolData, 5000, "the tool's data"},
    {"--vx_write_ini_calls=", vxbench::WriteIniWorkload, 255, "the INI calls"},
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        for (const WriteOption& option : kWriteOptions) {
            const size_t length = std::strlen(option.prefix);
            if (std::strncmp(argv[i], option.prefix, length) != 0) continue;
            const std::string folder = argv[i] + length;
            if (!option.write(option.entries, folder)) {
                std::fprintf(stderr, "cannot write %s into %s\n", option.what, folder.c_str());
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
