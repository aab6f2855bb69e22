// The page over the host platform: dialog initialisation (entries loaded
// from the registry and the INI files, controls created) and Apply, for
// growing numbers of Layout values; and the host's INI functions on the
// calls that Apply makes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "BenchmarkSetup.h"
#include "HostBench.h"

namespace vxbench {

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start, Clock::time_point stop) {
    return std::chrono::duration<double>(stop - start).count();
}

void Describe(benchmark::State& state, const HostBench& bench) {
    state.counters["groups"] = bench.Data().groups;
    state.counters["checkboxes"] = bench.Data().members;
}

// From a fresh page object to the end of its dialog initialisation.
void BM_PageInit(benchmark::State& state) {
    HostBench bench(static_cast<int>(state.range(0)));
    if (!bench.Ok()) {
        state.SkipWithError("cannot set up the INI folder");
        return;
    }
    for (auto _ : state) {
        ShownPage page;
        const Clock::time_point start = Clock::now();
        page.Show();
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    Describe(state, bench);
}

// The sheet's Apply on a shown page whose settings did not change: every
// INI integer is read and written back unchanged.
void BM_Apply(benchmark::State& state) {
    HostBench bench(static_cast<int>(state.range(0)));
    if (!bench.Ok()) {
        state.SkipWithError("cannot set up the INI folder");
        return;
    }
    ShownPage page;
    page.Show();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        page.Apply();
        state.SetIterationTime(Seconds(start, Clock::now()));
        page.ForgetMessages();
    }
    Describe(state, bench);
}

// Apply after a click on every check box: every INI integer changes.
void BM_ApplyAllChanged(benchmark::State& state) {
    HostBench bench(static_cast<int>(state.range(0)));
    if (!bench.Ok()) {
        state.SkipWithError("cannot set up the INI folder");
        return;
    }
    ShownPage page;
    page.Show();
    for (auto _ : state) {
        page.ClickCheckBoxes();
        const Clock::time_point start = Clock::now();
        page.Apply();
        state.SetIterationTime(Seconds(start, Clock::now()));
        page.ForgetMessages();
    }
    Describe(state, bench);
}

// The host's INI functions alone, on the calls that Apply made (recorded
// once, see BenchmarkSetup.h). The changed variant replays the two Apply
// calls of a round trip in turn, so the files go back and forth.
void BM_IniApply(benchmark::State& state, bool changed) {
    HostBench bench(static_cast<int>(state.range(0)));
    if (!bench.Ok()) {
        state.SkipWithError("cannot set up the INI folder");
        return;
    }
    const IniWorkload workload = RecordApplyIniCalls(bench);
    const std::vector<IniSequence> sequences =
        changed ? std::vector<IniSequence>{workload.changedThere, workload.changedBack}
                : std::vector<IniSequence>{workload.unchanged};
    bench.ResetIniFiles();
    size_t next = 0;
    for (auto _ : state) {
        const IniSequence& sequence = sequences[next];
        next = (next + 1) % sequences.size();
        const Clock::time_point start = Clock::now();
        bench.Replay(sequence);
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    state.counters["calls"] = static_cast<double>(sequences[0].size());
}

double Minimum(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {16, 64, 255, 1024, 2040}) b->Arg(n);
    b->ArgName("N")->UseManualTime()->Unit(benchmark::kMillisecond);
    b->ComputeStatistics("min", Minimum);
}

}  // namespace

BENCHMARK(BM_PageInit)->Apply(Sizes);
BENCHMARK(BM_Apply)->Apply(Sizes);
BENCHMARK(BM_ApplyAllChanged)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_IniApply, unchanged, false)
    ->Arg(255)
    ->ArgName("N")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Minimum);
BENCHMARK_CAPTURE(BM_IniApply, changed, true)
    ->Arg(255)
    ->ArgName("N")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Minimum);

}  // namespace vxbench
