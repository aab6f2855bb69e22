// The page under Wine beside its floor: the same registry, profile and
// window calls made again straight against the Windows API. Prints one
// line per case:
//     RESULT <tab> case <tab> N <tab> min ms <tab> median ms <tab> floor min ms
//            <tab> floor median ms
// (no floor for the INI cases: their other side is the host program).
//
// Options: --entries=N (255), --repetitions=R (15), --ini-calls=FOLDER
// (the INI calls of Apply that the host program wrote; they are replayed
// against the profile functions of Wine's kernel32 and compared with the
// calls that the page makes here).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "IniSequence.h"
#include "RecordingPlatform.h"
#include "Roads.h"
#include "Timing.h"
#include "WinSetup.h"
#include "layout/PendingAction.h"
#include "platform/framework/WinApp.h"
#include "platform/win32/Win32Platform.h"
#include "server/AdvancedPageApp.h"
#include "store/DriverKey.h"

namespace vxbench {
namespace {

struct Options {
    int entries = 255;
    int repetitions = 15;
    std::string iniCalls;
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&arg](const char* name) -> const char* {
            const size_t n = std::strlen(name);
            return arg.compare(0, n, name) == 0 ? arg.c_str() + n : nullptr;
        };
        if (const char* v = value("--entries=")) {
            options->entries = std::atoi(v);
        } else if (const char* v = value("--repetitions=")) {
            options->repetitions = std::atoi(v);
        } else if (const char* v = value("--ini-calls=")) {
            options->iniCalls = v;
        } else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return false;
        }
    }
    return options->entries > 0 && options->repetitions > 0;
}

// One showing of the page with its three Apply calls, on the page road,
// logged. The slices say where each part lies in the log.
LogSlices RecordPageRoad(PageRoad& road, RecordingPlatform& recorder) {
    LogSlices s;
    road.NewPage();
    recorder.Clear();
    recorder.Install();
    OpenSheet sheet = road.Open();
    const CallLog& log = recorder.Log();
    s.beforeSheetBegin = 0;
    for (size_t i = 0; i < log.calls.size(); ++i) {
        if (log.calls[i].op == Op::kCreatePage) s.beforeSheetEnd = i + 1;
    }
    s.initBegin = s.beforeSheetEnd;
    s.initEnd = log.calls.size();
    PumpMessages();

    auto apply = [&](size_t* begin, size_t* end) {
        *begin = recorder.Log().calls.size();
        PressApply(sheet);
        *end = recorder.Log().calls.size();
        PumpMessages();
    };
    apply(&s.applyUnchangedBegin, &s.applyUnchangedEnd);
    ClickCheckBoxes(sheet.page);
    apply(&s.applyThereBegin, &s.applyThereEnd);
    ClickCheckBoxes(sheet.page);
    apply(&s.applyBackBegin, &s.applyBackEnd);
    recorder.Uninstall();
    CloseSheet(&sheet);
    return s;
}

CallLog Slice(const CallLog& log, size_t begin, size_t end) {
    CallLog part;
    part.calls.assign(log.calls.begin() + begin, log.calls.begin() + end);
    return part;
}

bool SameCalls(const IniSequence& a, const IniSequence& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].write != b[i].write || a[i].section != b[i].section || a[i].key != b[i].key ||
            a[i].value != b[i].value || a[i].file != b[i].file) {
            return false;
        }
    }
    return true;
}

struct Case {
    Samples page;
    Samples floor;
};

void Print(const char* name, int entries, const Samples& time, const Samples* floor) {
    std::printf("RESULT\t%s\t%d\t%.4f\t%.4f", name, entries, time.Min(), time.Median());
    if (floor != nullptr) std::printf("\t%.4f\t%.4f", floor->Min(), floor->Median());
    std::printf("\n");
    std::fflush(stdout);
}

void ReplayIni(const IniSequence& sequence, const std::string& folder) {
    for (const IniCall& c : sequence) {
        const std::string file = folder + c.file;
        if (c.write) {
            WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.value.c_str(),
                                       file.c_str());
        } else {
            GetPrivateProfileIntA(c.section.c_str(), c.key.c_str(), std::atoi(c.value.c_str()),
                                  file.c_str());
        }
    }
}

// The times of one round on a road: the sheet opened, Apply with nothing
// changed, then Apply twice after a click on every check box (there and
// back). beforeApply(step) runs before each Apply, steps 0 to 2.
struct RoundTimes {
    double opened = 0;
    double applied = 0;
    double changed[2] = {0, 0};
};

template <typename Road, typename BeforeApply>
RoundTimes TimeRound(Road& road, BeforeApply beforeApply) {
    RoundTimes times;
    Stopwatch t;
    OpenSheet sheet = road.Open();
    times.opened = t.Milliseconds();
    PumpMessages();
    beforeApply(0);
    Stopwatch a;
    PressApply(sheet);
    times.applied = a.Milliseconds();
    PumpMessages();
    for (int i = 0; i < 2; ++i) {
        ClickCheckBoxes(sheet.page);
        beforeApply(i + 1);
        Stopwatch c;
        PressApply(sheet);
        times.changed[i] = c.Milliseconds();
        PumpMessages();
    }
    CloseSheet(&sheet);
    return times;
}

int Run(const Options& options) {
    vx::Win32Platform platform;
    platform.Install();
    // Loaded as the shell loads the module; the program carries its resources.
    if (vx::AfxGetModuleState()->m_pCurrentWinApp != &vx::theApp ||
        !vx::AfxModuleAttach(reinterpret_cast<vx::InstanceHandle>(GetModuleHandleA(nullptr)))) {
        std::fprintf(stderr, "the module's application object could not start\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (!HoldControlKey()) {
        std::fprintf(stderr, "cannot hold the Ctrl key down\n");
        return 1;
    }
    WinSettings settings(options.entries);
    if (!settings.Ok()) {
        std::fprintf(stderr, "cannot write the settings into the registry and INI files\n");
        return 1;
    }
    vx::DriverKeyPath = kDriverKey;
    vx::PendingAction = "Dynamic";

    PageRoad road;
    if (!road.Ok()) {
        std::fprintf(stderr, "the extension object could not be made\n");
        return 1;
    }
    RecordingPlatform recorder;
    const LogSlices slices = RecordPageRoad(road, recorder);
    const CallLog& log = recorder.Log();
    std::fprintf(stderr,
                 "page road: %zu calls (%d key opens, %d INI reads, %d INI writes, %d buttons), "
                 "dialog initialisation %zu, Apply %zu\n",
                 log.calls.size(), log.Count(Op::kOpenKey), log.Count(Op::kGetInt),
                 log.Count(Op::kWriteString), log.Count(Op::kCreateButton),
                 slices.initEnd - slices.initBegin,
                 slices.applyUnchangedEnd - slices.applyUnchangedBegin);
    if (log.Count(Op::kCreateButton) == 0 || log.outsideWindows.size() != 1) {
        std::fprintf(stderr, "the page road did not show the page as expected\n");
        return 1;
    }

    // The INI calls of the host's Apply: the same as the page's here?
    IniSequence hostUnchanged, hostThere, hostBack;
    const bool haveHost =
        !options.iniCalls.empty() &&
        LoadIniSequence(options.iniCalls + "/apply-unchanged.ini-calls", &hostUnchanged) &&
        LoadIniSequence(options.iniCalls + "/apply-changed-1.ini-calls", &hostThere) &&
        LoadIniSequence(options.iniCalls + "/apply-changed-2.ini-calls", &hostBack);
    if (haveHost) {
        const bool same =
            SameCalls(hostUnchanged, IniCallsOf(Slice(log, slices.applyUnchangedBegin,
                                                      slices.applyUnchangedEnd))) &&
            SameCalls(hostThere,
                      IniCallsOf(Slice(log, slices.applyThereBegin, slices.applyThereEnd))) &&
            SameCalls(hostBack, IniCallsOf(Slice(log, slices.applyBackBegin, slices.applyBackEnd)));
        std::fprintf(stderr, "INI calls of Apply: %s the host's\n", same ? "the same as" : "NOT");
    }

    FloorRoad floor(log, slices);
    Case init, applyUnchanged, applyChanged;
    // One round of each road; the first round warms up and is not counted.
    auto add = [&](const RoundTimes& times, Samples Case::*side) {
        (init.*side).Add(times.opened);
        (applyUnchanged.*side).Add(times.applied);
        for (double ms : times.changed) (applyChanged.*side).Add(ms);
    };
    auto pageRound = [&](bool counted) {
        road.NewPage();
        const RoundTimes times = TimeRound(road, [](int) {});
        if (counted) add(times, &Case::page);
    };
    auto floorRound = [&](bool counted) {
        floor.Reset();
        const size_t begins[3] = {slices.applyUnchangedBegin, slices.applyThereBegin,
                                  slices.applyBackBegin};
        const size_t ends[3] = {slices.applyUnchangedEnd, slices.applyThereEnd,
                                slices.applyBackEnd};
        const RoundTimes times =
            TimeRound(floor, [&](int step) { floor.SetApply(begins[step], ends[step]); });
        if (counted) add(times, &Case::floor);
    };
    pageRound(false);
    floorRound(false);
    for (int r = 0; r < options.repetitions; ++r) {
        // Alternate which road goes first, so that neither always follows the other.
        if (r % 2 == 0) {
            pageRound(true);
            floorRound(true);
        } else {
            floorRound(true);
            pageRound(true);
        }
    }
    Print("wine-page-init", options.entries, init.page, &init.floor);
    Print("wine-apply", options.entries, applyUnchanged.page, &applyUnchanged.floor);
    Print("wine-apply-all-changed", options.entries, applyChanged.page, &applyChanged.floor);

    if (haveHost) {
        settings.ResetIniFiles();
        Samples unchanged, changed;
        for (int r = 0; r <= options.repetitions; ++r) {
            Stopwatch u;
            ReplayIni(hostUnchanged, settings.Folder());
            const double ums = u.Milliseconds();
            Stopwatch t;
            ReplayIni(hostThere, settings.Folder());
            const double tms = t.Milliseconds();
            Stopwatch b;
            ReplayIni(hostBack, settings.Folder());
            const double bms = b.Milliseconds();
            if (r == 0) continue;  // warm-up
            unchanged.Add(ums);
            changed.Add(tms);
            changed.Add(bms);
        }
        Print("wine-ini-apply", options.entries, unchanged, nullptr);
        Print("wine-ini-apply-all-changed", options.entries, changed, nullptr);
    }

    vx::AfxModuleDetach();
    platform.Uninstall();
    return 0;
}

}  // namespace
}  // namespace vxbench

int main(int argc, char** argv) {
    vxbench::Options options;
    if (!vxbench::ParseOptions(argc, argv, &options)) return 2;
    return vxbench::Run(options);
}
