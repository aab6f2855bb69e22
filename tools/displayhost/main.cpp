// displayhost: plays the Display control panel. It collects the pages of the
// property sheet handlers registered for Display through shell32, with the
// Ctrl key held, and shows them in a "Display Properties" sheet next to a
// Settings page of its own.
#include <windows.h>
// The common controls need the definitions above.
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "DebugTraceCapture.h"
#include "DisplaySheet.h"
#include "HeldCtrlKey.h"
#include "Options.h"
#include "RegistryImport.h"
#include "ScriptRun.h"
#include "ShellExtensionPages.h"
#include "platform/win32/WinHandles.h"

using namespace displayhost;

namespace {

int Run(const Options& options) {
    std::FILE* out = stdout;
    if (!options.registerFile.empty()) {
        std::fprintf(out, "... importing %s\n", options.registerFile.c_str());
        if (!ImportRegistryFile(options.registerFile)) {
            std::fprintf(stderr, "displayhost: regedit could not import %s\n",
                         options.registerFile.c_str());
            return 1;
        }
    }

    const vx::UniqueApartment com = vx::EnterComApartment();
    if (!com) {
        std::fprintf(stderr, "displayhost: COM could not be initialised\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    DebugTraceCapture::Echo echo;
    if (options.trace)
        echo = [out](const std::string& text) {
            std::fprintf(out, "trace: %s\n", StripLineEnd(text).c_str());
            std::fflush(out);
        };
    DebugTraceCapture capture(echo);

    // The handlers live until the sheet has gone, as under the shell.
    std::fprintf(out, "... collecting the Display pages%s\n",
                 options.holdCtrl ? " with Ctrl held" : "");
    std::fflush(out);
    PageHandles pages;
    PropSheetExtArray handlers(HKEY_LOCAL_MACHINE, kDisplayControlsKey, options.maxHandlers);
    if (!handlers.Valid()) std::fprintf(out, "no property sheet handler array was created\n");
    {
        std::unique_ptr<HeldCtrlKey> ctrl;
        if (options.holdCtrl) ctrl = std::make_unique<HeldCtrlKey>();
        handlers.AddPages(&pages);
    }
    std::fprintf(out, "extension pages added: %zu\n", pages.Count());

    DisplaySheet sheet(pages.Release());
    if (options.script) return RunScript(&sheet, options, out);
    sheet.RunModal(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
        std::fprintf(stderr, "displayhost: %s\n%s", error.c_str(), kUsage);
        return 1;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return Run(options);
}
