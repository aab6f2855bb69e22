// preview: the page as the extension would lay it out. Runs on the registry
// in memory and writes nothing back, although showing the page deletes
// the data of evicted and pruned entries there.
#include "AnsiText.h"
#include "Commands.h"
#include "IniFiles.h"
#include "PreviewOutput.h"
#include "Render.h"
#include "Session.h"

namespace vexaro {

int RunPreview(const Options& options, std::ostream& out, std::ostream& err) {
    Session session;
    std::string error;
    if (!session.Open(options, &error)) {
        err << "vexaro: " << Printable(error) << "\n";
        return kExitError;
    }
    session.ShowPage();
    PageSnapshot page = session.Snapshot();
    // An INI file that cannot be found is shown as the page would show it,
    // with a word on why.
    for (const IniFileUse& use :
         IniFileUsesOnPage(session.StoredBefore(), page, session.Folders())) {
        if (use.verdict == vx::ProfilePathVerdict::kResolved) continue;
        err << "vexaro: warning: " << Shown(RefusalText(use))
            << ": the page reads nothing from it\n";
    }
    if (!options.svgFile.empty() && !RenderSvg(page, options.svgFile, &error)) {
        err << "vexaro: " << Printable(error) << "\n";
        return kExitError;
    }
    if (!options.pngFile.empty() && !RenderPng(page, options.pngFile, &error)) {
        err << "vexaro: " << Printable(error) << "\n";
        return kExitError;
    }
    if (options.json) {
        WriteJson(page, out);
    } else {
        WriteTable(page, out);
    }
    return kExitOk;
}

}  // namespace vexaro
