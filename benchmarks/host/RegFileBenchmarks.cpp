// Reading a registry file into the host registry (parsing and importing,
// as vexaro does before anything else): many values in one key, and files
// of about 50 MB of the usual shape (keys of seven values each).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/host/HostRegistryTree.h"

namespace vxbench {

namespace {

const char kLayout[] =
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0000\\Vexaro\\"
    "Layout]\r\n";

std::string ValuesInOneKey(int values) {
    std::string text = std::string("REGEDIT4\r\n\r\n") + kLayout;
    for (int i = 0; i < values; ++i) {
        text +=
            "\"Check" + std::to_string(i) + "\"=\"Caption of entry " + std::to_string(i) + "\"\r\n";
    }
    return text;
}

std::string ManyKeys(size_t bytes) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (int i = 0; text.size() < bytes; ++i) {
        text +=
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0000\\"
            "Vexaro\\Association\\Check" +
            std::to_string(i) +
            "]\r\n\"INIFile\"=\"vexaro.ini\"\r\n\"Section\"=\"Acceleration\"\r\n"
            "\"KeyString\"=\"TextFlags\"\r\n\"Default\"=\"On\"\r\n\"AndMask\"=hex:fb\r\n"
            "\"OrMask\"=dword:00000004\r\n\"Action\"=\"Dynamic\"\r\n\r\n";
    }
    return text;
}

void Read(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        vx::HostRegistryTree registry;
        vx::regfile::ParseError error;
        if (!registry.ImportText(text, &error)) state.SkipWithError(error.reason.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_ReadValuesInOneKey(benchmark::State& state) {
    Read(state, ValuesInOneKey(static_cast<int>(state.range(0))));
}

void BM_Read50MB(benchmark::State& state) {
    Read(state, ManyKeys(50u * 1000 * 1000));
}

}  // namespace

BENCHMARK(BM_ReadValuesInOneKey)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read50MB)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace vxbench
