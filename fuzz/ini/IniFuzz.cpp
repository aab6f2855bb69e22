// The INI profile functions over a real file: random file contents, then
// random reads and writes. A write changes no byte outside the line it
// edits or the lines it adds or removes, never touches the file when the
// text stays the same, and leaves the file as the reference reading says;
// reads of plain numbers agree with the reference reading.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "IniLines.h"
#include "IniModel.h"
#include "WorkFolder.h"
#include "platform/host/HostProfile.h"
#include "platform/host/ProfileCache.h"

namespace {

using vxfuzz::IniModel;
using vxfuzz::Printable;

constexpr char kFileName[] = "t.ini";

// The folder lives as long as the process; it holds one file.
struct Folder {
    Folder() : path(vxfuzz::MakeWorkFolder("ini")), file(path + "/" + kFileName) {}
    ~Folder() {
        unlink(file.c_str());
        rmdir(path.c_str());
    }
    std::string path;
    std::string file;
};

struct FileState {
    bool exists = false;
    ino_t inode = 0;
    std::string text;
};

FileState Read(const std::string& path) {
    FileState state;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return state;
    state.exists = true;
    state.inode = info.st_ino;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    state.text = text.str();
    return state;
}

// A C string as the profile functions receive it.
std::string CText(std::string text) {
    return text.substr(0, std::strlen(text.c_str()));
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

const char* const kWords[] = {"Display", "display", " Display ", "",  "[x]", "a=b", ";c",
                              "Ü",       "x]",      "[",         "=", " ",   "\t"};

// A section name: one of the text's own (perhaps in other letter case or
// with blanks around), a word from the list or random bytes.
std::string PickSection(FuzzedDataProvider& in, const IniModel& model) {
    const auto& sections = model.Sections();
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return CText(in.ConsumeRandomLengthString(16));
        case 1:
            return kWords[in.ConsumeIntegralInRange<size_t>(0, std::size(kWords) - 1)];
        default: {
            std::string name =
                sections[in.ConsumeIntegralInRange<size_t>(0, sections.size() - 1)].name;
            if (in.ConsumeBool()) {
                for (char& c : name)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            return in.ConsumeBool() ? " " + name + "\t" : name;
        }
    }
}

std::string PickKey(FuzzedDataProvider& in, const IniModel& model, const std::string& section) {
    const auto& sections = model.Sections();
    const vxfuzz::IniModelSection* found = nullptr;
    for (const auto& s : sections) {
        if (vxfuzz::SameIniName(s.name, vxfuzz::TrimIni(section))) {
            found = &s;
            break;
        }
    }
    const int choice = in.ConsumeIntegralInRange(0, 3);
    if (choice == 0 || (choice >= 2 && (found == nullptr || found->keys.empty()))) {
        return CText(in.ConsumeRandomLengthString(16));
    }
    if (choice == 1) return kWords[in.ConsumeIntegralInRange<size_t>(0, std::size(kWords) - 1)];
    std::string name =
        found->keys[in.ConsumeIntegralInRange<size_t>(0, found->keys.size() - 1)].name;
    if (in.ConsumeBool()) {
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

std::string PickValue(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return std::to_string(in.ConsumeIntegral<int32_t>());
    return CText(in.ConsumeRandomLengthString(40));
}

// A value that every reading turns into the same number.
bool PlainNumber(const std::string& value, int64_t* number) {
    size_t digits = value.size();
    size_t start = 0;
    if (!value.empty() && (value[0] == '-' || value[0] == '+')) start = 1;
    if (value.size() - start < 1 || value.size() - start > 9) return false;
    for (size_t i = start; i < digits; ++i) {
        if (value[i] < '0' || value[i] > '9') return false;
    }
    *number = std::strtoll(value.c_str(), nullptr, 10);
    return true;
}

void CheckRead(vx::HostProfile& profile, const IniModel& model, const std::string& section,
               const std::string& key, int32_t fallback) {
    const uint32_t got = profile.GetInt(section.c_str(), key.c_str(), fallback, kFileName);
    std::string value;
    int64_t number = 0;
    uint32_t expected = static_cast<uint32_t>(fallback);
    if (model.Find(section, key, &value)) {
        if (!value.empty()) {
            if (!PlainNumber(value, &number)) return;
            expected = static_cast<uint32_t>(number);
        }
    }
    vxfuzz::Require(got == expected, "[" + Printable(section) + "] " + Printable(key) + " reads " +
                                         std::to_string(got) + ", the reference reading " +
                                         std::to_string(expected));
}

enum class Op { kSet, kDeleteKey, kDeleteSection };

// Whether a line "key=value" reads back as that key: not so for a key with
// an '=' (its name ends there), one that starts with '[' (the line may be a
// section header) or with the UTF-8 mark (which a first line loses).
bool PlainKey(const std::string& key) {
    const std::string name = vxfuzz::TrimIni(key);
    return name.find('=') == std::string::npos && (name.empty() || name[0] != '[') &&
           name.compare(0, 3, "\xEF\xBB\xBF") != 0;
}

std::string Describe(Op op, const std::string& section, const std::string& key,
                     const std::string& value) {
    switch (op) {
        case Op::kSet:
            return "set [" + Printable(section) + "] " + Printable(key) + "=" + Printable(value);
        case Op::kDeleteKey:
            return "delete [" + Printable(section) + "] " + Printable(key);
        default:
            return "delete section [" + Printable(section) + "]";
    }
}

// The lines an edit took away and put in are those the operation names.
void CheckLines(Op op, const std::string& section, const std::string& key,
                const vxfuzz::IniEdit& edit, const std::string& what) {
    // Names that the written line itself reads differently are not compared.
    const bool plainKey = op != Op::kSet || PlainKey(key);
    // Removing lines may bring a line that begins with the mark's bytes to
    // the start, where they read as the mark.
    vxfuzz::Require(edit.markKept || !plainKey || (op != Op::kSet && edit.markArrived),
                    what + ": the UTF-8 mark moved");
    std::string name;
    const std::string keyName = vxfuzz::TrimIni(key);
    auto namesKey = [&](const vxfuzz::IniLine& line) {
        return !plainKey || (vxfuzz::IsKeyLine(line, &name) && vxfuzz::SameIniName(name, keyName));
    };
    switch (op) {
        case Op::kSet:
            if (edit.removed.empty() && edit.added.empty()) return;
            if (edit.removed.size() == 1 && edit.added.size() == 1) {
                vxfuzz::Require(namesKey(edit.removed[0]) && namesKey(edit.added[0]),
                                what + ": changed the line " + Printable(edit.removed[0].text));
                vxfuzz::Require(edit.removed[0].end == edit.added[0].end,
                                what + ": changed a line end");
                return;
            }
            vxfuzz::Require(edit.removed.empty() && !edit.added.empty() && edit.added.size() <= 2,
                            what + ": changed " + std::to_string(edit.removed.size()) +
                                " lines and added " + std::to_string(edit.added.size()));
            vxfuzz::Require(namesKey(edit.added.back()), what + ": added a line not of its key");
            if (edit.added.size() == 2) {
                vxfuzz::Require(vxfuzz::IsHeaderLine(edit.added[0], &name) &&
                                    vxfuzz::SameIniName(name, vxfuzz::TrimIni(section)),
                                what + ": added a line not of its section");
            }
            return;
        case Op::kDeleteKey:
            vxfuzz::Require(edit.added.empty() && edit.removed.size() <= 1,
                            what + ": changed more than one line");
            if (!edit.removed.empty()) {
                vxfuzz::Require(namesKey(edit.removed[0]), what + ": removed another key");
            }
            return;
        case Op::kDeleteSection: {
            vxfuzz::Require(edit.added.empty(), what + ": added lines");
            // Where equal lines stand around the section, the removed block
            // may be found shifted; it still holds one header at most.
            size_t headers = 0;
            for (const vxfuzz::IniLine& line : edit.removed) {
                if (vxfuzz::IsHeaderLine(line, &name)) ++headers;
            }
            vxfuzz::Require(headers <= 1, what + ": removed a second section");
            return;
        }
    }
}

void Write(vx::HostProfile& profile, IniModel& model, const std::string& path, Op op,
           const std::string& section, const std::string& key, const std::string& value) {
    const FileState before = Read(path);
    const int result =
        profile.WriteString(section.c_str(), op == Op::kDeleteSection ? nullptr : key.c_str(),
                            op == Op::kSet ? value.c_str() : nullptr, kFileName);
    // The file as the end of an Apply leaves it.
    vx::WriteBackProfileFiles();
    const FileState after = Read(path);
    const std::string what = Describe(op, section, key, value);

    const bool refused = HasLineBreak(section) || (op != Op::kDeleteSection && HasLineBreak(key)) ||
                         (op == Op::kSet && HasLineBreak(value));
    vxfuzz::Require(result == (refused ? 0 : 1), what + ": result " + std::to_string(result));
    if (after.text == before.text) {
        vxfuzz::Require(after.exists == before.exists && after.inode == before.inode,
                        what + ": the file was written without a change");
        if (refused) return;
    }
    vxfuzz::Require(!refused, what + ": changed the file although refused");
    const vxfuzz::IniEdit edit = vxfuzz::EditBetween(before.text, after.text);
    CheckLines(op, section, key, edit,
               what + "\nbefore: " + Printable(before.text) + "\nafter:  " + Printable(after.text));

    const IniModel reread(after.text);
    switch (op) {
        case Op::kSet:
            model.Set(section, key, value);
            break;
        case Op::kDeleteKey:
            model.DeleteKey(section, key);
            break;
        case Op::kDeleteSection:
            model.DeleteSection(section);
            break;
    }
    // A key whose written line reads as something else is not compared, nor
    // a text whose first line now begins with the mark's bytes.
    if ((op != Op::kSet || PlainKey(key)) && !edit.markArrived) {
        const std::string difference = model.Difference(reread);
        vxfuzz::Require(difference.empty(),
                        what + ": the file reads otherwise than expected: " + difference +
                            "\nbefore:\n" + Printable(before.text) + "\nafter:\n" +
                            Printable(after.text));
    }
    model = reread;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folder folder;
    static vx::HostProfile profile(vx::ProfileFolders{folder.path, {}, true});
    FuzzedDataProvider in(data, size);

    unlink(folder.file.c_str());
    const bool exists = in.ConsumeBool();
    const std::string text = in.ConsumeRandomLengthString(4096);
    if (exists) {
        std::ofstream out(folder.file, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    IniModel model(exists ? text : std::string());

    for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
        const int choice = in.ConsumeIntegralInRange(0, 7);
        // As the profile functions receive them: up to a zero byte.
        const std::string section = CText(PickSection(in, model));
        const std::string key = CText(PickKey(in, model, section));
        if (choice <= 2) {
            CheckRead(profile, model, section, key, in.ConsumeIntegral<int32_t>());
        } else if (choice <= 5) {
            Write(profile, model, folder.file, Op::kSet, section, key, PickValue(in));
        } else if (choice == 6) {
            Write(profile, model, folder.file, Op::kDeleteKey, section, key, {});
        } else {
            Write(profile, model, folder.file, Op::kDeleteSection, section, key, {});
        }
    }
    return 0;
}
