// preview: the page as the extension would lay it out. Runs on the registry
// in memory and writes nothing back, although showing the page deletes
// the data of evicted and pruned entries there.
#include "AnsiText.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "IniFiles.h"
#include "InputWarnings.h"
#include "PreviewOutput.h"
#include "Render.h"
#include "Session.h"

namespace vexaro {

int RunPreview(const Options& options, std::ostream& out, std::ostream& err) {
    const ErrorReport errors = ErrorReport::For(options, out, err);
    const bool svgOut = options.svgFile == kStandardStream;
    const bool pngOut = options.pngFile == kStandardStream;
    if (svgOut && pngOut) {
        return errors.Fail("--svg - and --png - cannot both write to standard output");
    }
    if ((svgOut || pngOut) && options.json) {
        return errors.Fail(std::string("--json and ") + (svgOut ? "--svg -" : "--png -") +
                           " cannot both write to standard output");
    }
    Session session;
    std::string error;
    if (!session.Open(options, &error) ||
        !HandleInputWarnings(session.InputWarnings(), options, err, &error)) {
        return errors.Fail(error);
    }
    session.ShowPage();
    PageSnapshot page = session.Snapshot();
    // An INI file that cannot be found is shown as the page would show it,
    // with a word on why.
    for (const IniFileUse& use :
         IniFileUsesOnPage(session.StoredBefore(), page, session.Folders(), session.Input())) {
        if (use.verdict == vx::ProfilePathVerdict::kResolved) continue;
        err << "vexaro: warning: " << Shown(RefusalText(use))
            << ": the page reads nothing from it\n";
    }
    if (!options.svgFile.empty() && !RenderSvg(page, options.svgFile, out, &error)) {
        return errors.Fail(error);
    }
    if (!options.pngFile.empty() && !RenderPng(page, options.pngFile, out, &error)) {
        return errors.Fail(error);
    }
    // A picture on standard output is all that goes there.
    if (svgOut || pngOut) return kExitOk;
    if (options.json) {
        WriteJson(page, out);
    } else {
        WriteTable(page, out);
    }
    return kExitOk;
}

}  // namespace vexaro
