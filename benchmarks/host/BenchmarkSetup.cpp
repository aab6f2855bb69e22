#include "BenchmarkSetup.h"

#include "RecordingPlatform.h"

namespace vxbench {

IniWorkload RecordApplyIniCalls(HostBench& bench) {
    bench.ResetIniFiles();
    IniWorkload workload;
    ShownPage page;
    page.Show();
    RecordingPlatform recorder;
    recorder.Install();
    page.Apply();
    workload.unchanged = IniCallsOf(recorder.Log());
    page.ClickCheckBoxes();
    recorder.Clear();
    page.Apply();
    workload.changedThere = IniCallsOf(recorder.Log());
    page.ClickCheckBoxes();
    recorder.Clear();
    page.Apply();
    workload.changedBack = IniCallsOf(recorder.Log());
    recorder.Uninstall();
    bench.ResetIniFiles();
    return workload;
}

bool WriteIniWorkload(int entries, const std::string& folder) {
    HostBench bench(entries);
    if (!bench.Ok()) return false;
    const IniWorkload w = RecordApplyIniCalls(bench);
    return SaveIniSequence(w.unchanged, folder + "/apply-unchanged.ini-calls") &&
           SaveIniSequence(w.changedThere, folder + "/apply-changed-1.ini-calls") &&
           SaveIniSequence(w.changedBack, folder + "/apply-changed-2.ini-calls");
}

}  // namespace vxbench
