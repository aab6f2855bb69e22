#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include "AnsiText.h"
#include "Commands.h"

namespace vexaro {

namespace {

void AddCommonOptions(CLI::App& cmd, Options& o) {
    cmd.add_option("--registry", o.registryFile, "REGEDIT4 file with the display driver's data")
        ->required()
        ->type_name("FILE");
    cmd.add_option("--windir", o.windowsDir,
                   "Windows folder: INI file names without a path lie here")
        ->required()
        ->type_name("DIR");
    cmd.add_option("--drive", o.driveDir,
                   "folder that stands for C:\\: INI file names such as C:\\x.ini or \\x.ini lie "
                   "under it")
        ->type_name("DIR");
    cmd.add_flag("--fail-safe", o.failSafe, "act as after a fail-safe start of Windows");
}

// The first line of a parse error, without CLI11's trailing advice.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

}  // namespace

int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    Options o;
    CLI::App app{
        "vexaro: the Vexaro display page's settings on Linux. Runs the page's own logic over\n"
        "a registry file and a folder of INI files, as the page would on Windows."};
    app.name("vexaro");
    app.require_subcommand(1);

    CLI::App* preview =
        app.add_subcommand("preview", "show the page as it would be laid out (changes nothing)");
    AddCommonOptions(*preview, o);
    preview->add_flag("--json", o.json, "print JSON instead of a table");
    auto* svg =
        preview->add_option("--svg", o.svgFile, "also draw the page as SVG")->type_name("FILE");
    auto* png =
        preview->add_option("--png", o.pngFile, "also draw the page as PNG")->type_name("FILE");
    svg->excludes(png);

    CLI::App* check = app.add_subcommand(
        "check",
        "list what the page would delete or mishandle (changes nothing); exit 1 on "
        "findings");
    AddCommonOptions(*check, o);
    check->add_flag("--json", o.json, "print JSON instead of a table");

    CLI::App* apply = app.add_subcommand(
        "apply", "set entries on or off, apply them as the page would, write the files back");
    AddCommonOptions(*apply, o);
    apply->add_flag("--no-wait", o.noWait,
                    "fail at once when another apply holds the files, instead of waiting");
    apply->add_flag("--force", o.force, "write the registry file back even when it is read-only");
    apply->add_flag("--no-registry", o.noRegistry,
                    "leave the registry file as it is; report what the page deleted");
    apply->add_option("settings", o.assignments, "Layout value name and state")
        ->required()
        ->type_name("NAME=on|off");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        err << "vexaro: " << Printable(FirstLine(e.what())) << " (see vexaro --help)\n";
        return kExitError;
    }
    if (preview->parsed()) return RunPreview(o, out, err);
    if (check->parsed()) return RunCheck(o, out, err);
    return RunApply(o, out, err);
}

}  // namespace vexaro
