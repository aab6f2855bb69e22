// The vexaro tool as a user runs it, over registry files of any bytes:
// preview (table, JSON, SVG, PNG), check --json and apply. Whatever the
// data, the tool ends with 0, 1 (check only) or 2; what it prints is UTF-8
// without control characters but line feeds; JSON parses; a picture is
// there whole after success and not at all after a failure; no temporary
// file stays; nothing appears outside the run's folders; preview and check
// change no file; an apply that fails changes nothing (unless it says that
// it could not write an INI file), and a registry file that a successful
// one wrote still reads.
//
// Input: one byte that chooses the command and its options, the apply
// settings up to the first line feed, then the registry file's bytes.
#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "FuzzCheck.h"
#include "WorkFolder.h"
#include "layout/PendingAction.h"
#include "platform/regfile/RegFile.h"
#include "store/DriverKey.h"

namespace {

namespace fs = std::filesystem;

const char kIniText[] =
    "[Acceleration]\r\nTextFlags=5\r\nPointer=1\r\n\r\n[Refresh]\r\nRefreshMode=2\r\n";

// The run's folder "w" inside a folder of its own, so that a file written
// beside it shows.
struct Folders {
    Folders() : root(vxfuzz::MakeWorkFolder("tool")), work(root + "/w") {}
    ~Folders() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    std::string root;
    std::string work;
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every file under the folder by its path relative to it, with its bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file()) {
            files[fs::relative(it->path(), folder).string()] = ReadFile(it->path().string());
        }
    }
    return files;
}

bool IsUtf8WithoutControls(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80                      ? 0
                    : (lead >= 0xC2 && lead <= 0xDF) ? 1
                    : (lead >= 0xE0 && lead <= 0xEF) ? 2
                    : (lead >= 0xF0 && lead <= 0xF4) ? 3
                                                     : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0)) return false;
        if (extra == 0 && ((lead < 0x20 && lead != '\n') || lead == 0x7F)) return false;
        uint32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp >= 0x80 && cp < 0xA0) return false;  // C1 controls
        i += extra + 1;
    }
    return true;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word && words.size() < 4) words.push_back(word);
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folders folders;
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t lineEnd = rest.find('\n');
    const std::string settings = lineEnd == std::string::npos ? "" : rest.substr(0, lineEnd);
    const std::string registry = lineEnd == std::string::npos ? rest : rest.substr(lineEnd + 1);

    const std::string& work = folders.work;
    std::error_code ignored;
    fs::remove_all(work, ignored);
    fs::create_directories(work + "/win", ignored);
    fs::create_directories(work + "/drive/WINDOWS", ignored);
    WriteFile(work + "/driver.reg", registry);
    WriteFile(work + "/win/vexaro.ini", kIniText);
    WriteFile(work + "/drive/WINDOWS/VEXARO.INI", kIniText);

    const int command = choice % 6;
    const bool drive = (choice & 0x08) != 0;
    const bool failSafe = (choice & 0x10) != 0;
    const bool noRegistry = (choice & 0x20) != 0;
    static const char* const kCommands[] = {"preview", "preview", "preview",
                                            "preview", "check",   "apply"};
    std::vector<std::string> args = {"vexaro",     kCommands[command],
                                     "--registry", work + "/driver.reg",
                                     "--windir",   work + "/win"};
    if (drive) args.insert(args.end(), {"--drive", work + "/drive"});
    if (failSafe) args.push_back("--fail-safe");
    std::string picture;
    if (command == 1 || command == 4) args.push_back("--json");
    if (command == 2) picture = work + "/page.svg";
    if (command == 3) picture = work + "/page.png";
    if (!picture.empty()) args.insert(args.end(), {command == 2 ? "--svg" : "--png", picture});
    if (command == 5) {
        args.push_back("--no-wait");
        if (noRegistry) args.push_back("--no-registry");
        std::vector<std::string> words = Words(settings);
        if (words.empty()) words.push_back("Check1_1=off");
        args.insert(args.end(), words.begin(), words.end());
    }

    const std::map<std::string, std::string> before = Files(work);
    // A fresh module state, as in a new process.
    vx::DriverKeyPath.Empty();
    vx::PendingAction = "Dynamic";
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out;
    std::ostringstream err;
    const int rc = vexaro::RunTool(static_cast<int>(argv.size()), argv.data(), out, err);
    const std::map<std::string, std::string> after = Files(work);

    const std::string what = std::string(kCommands[command]) + " (choice " +
                             std::to_string(choice) + "): exit " + std::to_string(rc) +
                             ", stderr: " + vxfuzz::Printable(err.str());
    vxfuzz::Require(rc == 0 || rc == 2 || (rc == 1 && command == 4), what + ": exit code");
    vxfuzz::Require(IsUtf8WithoutControls(out.str()),
                    what + ": output not UTF-8 or with controls: " +
                        vxfuzz::Printable(out.str().substr(0, 2000)));
    vxfuzz::Require(IsUtf8WithoutControls(err.str()), what + ": error output");
    if ((command == 1 || command == 4) && rc != 2) {
        try {
            (void)nlohmann::json::parse(out.str());
        } catch (const std::exception& e) {
            vxfuzz::Broken(what + ": JSON does not parse: " + e.what());
        }
    }

    // Nothing beside the run's folder, and no temporary file in it.
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(folders.root, ignored)) {
        (void)entry;
        ++entries;
    }
    vxfuzz::Require(entries == 1, what + ": a file appeared beside the run's folder");
    for (const auto& [name, bytes] : after) {
        // The replacements' temporary files carry this process's id.
        vxfuzz::Require(name.find(".~" + std::to_string(getpid()) + "-") == std::string::npos &&
                            name.rfind("page.svg.", 0) != 0 && name.rfind("page.png.", 0) != 0 &&
                            name.rfind("driver.reg.", 0) != 0,
                        what + ": temporary file left: " + name);
    }

    if (!picture.empty()) {
        const std::string name = picture.substr(work.size() + 1);
        auto it = after.find(name);
        if (rc == 0) {
            vxfuzz::Require(it != after.end(), what + ": no picture");
            const bool whole = command == 3 ? it->second.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0
                                            : it->second.find("</svg>") != std::string::npos;
            vxfuzz::Require(whole, what + ": picture not whole");
        } else {
            vxfuzz::Require(it == after.end(), what + ": picture left after a failure");
        }
    }

    std::map<std::string, std::string> kept = after;
    if (!picture.empty()) kept.erase(picture.substr(work.size() + 1));
    if (command != 5) {
        vxfuzz::Require(kept == before, what + ": a file changed");
        return 0;
    }
    if (rc == 2) {
        const bool partial = err.str().find("cannot write") != std::string::npos;
        vxfuzz::Require(partial || kept == before, what + ": a failed apply changed files");
    }
    if (noRegistry) {
        vxfuzz::Require(after.at("driver.reg") == registry,
                        what + ": --no-registry changed the registry file");
    }
    // A registry file that apply wrote reads (one it left may be anything).
    if (rc == 0 && after.at("driver.reg") != registry) {
        vx::regfile::Document document;
        vx::regfile::ParseError error;
        vxfuzz::Require(vx::regfile::Parse(after.at("driver.reg"), &document, &error),
                        what + ": the registry file written does not read: " + error.reason);
    }
    return 0;
}
