// preview: the page as the extension would lay it out. Runs on the registry
// in memory and writes nothing back, although showing the page deletes
// the data of evicted and pruned entries there.
#include "Commands.h"
#include "PreviewOutput.h"
#include "Render.h"
#include "Session.h"

namespace vexaro {

int RunPreview(const Options& options, std::ostream& out, std::ostream& err) {
    Session session;
    std::string error;
    if (!session.Open(options, &error)) {
        err << "vexaro: " << error << "\n";
        return kExitError;
    }
    session.ShowPage();
    PageSnapshot page = session.Snapshot();
    if (!options.svgFile.empty() && !RenderSvg(page, options.svgFile, &error)) {
        err << "vexaro: " << error << "\n";
        return kExitError;
    }
    if (!options.pngFile.empty() && !RenderPng(page, options.pngFile, &error)) {
        err << "vexaro: " << error << "\n";
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
