// The page over the host platform: dialog initialisation (entries loaded
// from the registry and the INI files, controls created) and Apply, for
// growing numbers of Layout values; and the host's INI functions on the
// calls that Apply makes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
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

// The bench for the run's number of Layout values; none, with the run
// marked as failed, when its INI folder cannot be made.
std::unique_ptr<HostBench> MakeBench(benchmark::State& state) {
    auto bench = std::make_unique<HostBench>(static_cast<int>(state.range(0)));
    if (bench->Ok()) return bench;
    state.SkipWithError("cannot set up the INI folder");
    return nullptr;
}

// From a fresh page object to the end of its dialog initialisation.
void BM_PageInit(benchmark::State& state) {
    const std::unique_ptr<HostBench> bench = MakeBench(state);
    if (!bench) return;
    for (auto _ : state) {
        ShownPage page;
        const Clock::time_point start = Clock::now();
        page.Show();
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    Describe(state, *bench);
}

// The sheet's Apply on a shown page: with its settings unchanged, every INI
// integer is read and written back unchanged; after a click on every check
// box first, every INI integer changes.
void ApplyShownPage(benchmark::State& state, bool clickCheckBoxes) {
    const std::unique_ptr<HostBench> bench = MakeBench(state);
    if (!bench) return;
    ShownPage page;
    page.Show();
    for (auto _ : state) {
        if (clickCheckBoxes) page.ClickCheckBoxes();
        const Clock::time_point start = Clock::now();
        page.Apply();
        state.SetIterationTime(Seconds(start, Clock::now()));
        page.ForgetMessages();
    }
    Describe(state, *bench);
}

void BM_Apply(benchmark::State& state) {
    ApplyShownPage(state, false);
}

void BM_ApplyAllChanged(benchmark::State& state) {
    ApplyShownPage(state, true);
}

// The host's INI functions alone, on the calls that Apply made (recorded
// once, see BenchmarkSetup.h). The changed variant replays the two Apply
// calls of a round trip in turn, so the files go back and forth.
void BM_IniApply(benchmark::State& state, bool changed) {
    const std::unique_ptr<HostBench> bench = MakeBench(state);
    if (!bench) return;
    const IniWorkload workload = RecordApplyIniCalls(*bench);
    const std::vector<IniSequence> sequences =
        changed ? std::vector<IniSequence>{workload.changedThere, workload.changedBack}
                : std::vector<IniSequence>{workload.unchanged};
    bench->ResetIniFiles();
    size_t next = 0;
    for (auto _ : state) {
        const IniSequence& sequence = sequences[next];
        next = (next + 1) % sequences.size();
        const Clock::time_point start = Clock::now();
        bench->Replay(sequence);
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    state.counters["calls"] = static_cast<double>(sequences[0].size());
}

double Minimum(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

// Manual times in milliseconds, with the minimum of the repetitions.
void Timed(benchmark::internal::Benchmark* b) {
    b->ArgName("N")->UseManualTime()->Unit(benchmark::kMillisecond);
    b->ComputeStatistics("min", Minimum);
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {16, 64, 255, 1024, 2040}) b->Arg(n);
    Timed(b);
}

// The Apply calls of 255 Layout values.
void ApplyCalls(benchmark::internal::Benchmark* b) {
    b->Arg(255);
    Timed(b);
}

}  // namespace

BENCHMARK(BM_PageInit)->Apply(Sizes);
BENCHMARK(BM_Apply)->Apply(Sizes);
BENCHMARK(BM_ApplyAllChanged)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_IniApply, unchanged, false)->Apply(ApplyCalls);
BENCHMARK_CAPTURE(BM_IniApply, changed, true)->Apply(ApplyCalls);

}  // namespace vxbench
