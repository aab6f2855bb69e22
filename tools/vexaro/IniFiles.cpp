#include "IniFiles.h"

#include <sys/stat.h>

#include <set>

#include "AnsiText.h"

namespace vexaro {

namespace {

constexpr size_t kDataRoom = 256;  // the page's room for a registry text

// "INIFile" as the page reads it: up to its first zero byte; nothing when
// it does not fit the page's room.
bool IniFileName(const StoredEntry& entry, std::string* name) {
    auto it = entry.association.find("INIFile");
    if (it == entry.association.end() || it->second.data.size() > kDataRoom) return false;
    name->clear();
    for (uint8_t b : it->second.data) {
        if (b == 0) break;
        *name += static_cast<char>(b);
    }
    return true;
}

bool IsGroupName(const std::string& name) {
    return name.compare(0, 5, "Group") == 0;
}

// What is there (through symbolic links, which the name resolved past),
// and whether it is the input itself.
void LookAt(const std::string& path, const InputFile& input, IniFileUse* use) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return;
    use->kind = S_ISREG(info.st_mode)   ? IniFileKind::kFile
                : S_ISDIR(info.st_mode) ? IniFileKind::kDirectory
                                        : IniFileKind::kOther;
    use->isInput = input.identity.known && info.st_dev == input.identity.device &&
                   info.st_ino == input.identity.inode;
}

void AddUse(const StoredEntry& entry, const vx::ProfileFolders& folders, const InputFile& input,
            std::vector<IniFileUse>* uses) {
    std::string name;
    if (IsGroupName(entry.name) || !IniFileName(entry, &name)) return;
    IniFileUse use;
    use.name = name;
    use.verdict =
        vx::ClassifyProfilePath(name.c_str(), folders, &use.hostPath, true, &use.realPath);
    const bool resolved = use.verdict == vx::ProfilePathVerdict::kResolved;
    for (IniFileUse& known : *uses) {
        const bool same = resolved ? known.hostPath == use.hostPath
                                   : known.verdict == use.verdict && known.name == use.name;
        if (same) {
            known.entries.push_back(entry.name);
            return;
        }
    }
    if (resolved) LookAt(use.hostPath, input, &use);
    use.entries.push_back(entry.name);
    uses->push_back(use);
}

}  // namespace

std::vector<IniFileUse> IniFileUses(const StoredLayout& stored, const vx::ProfileFolders& folders,
                                    const InputFile& input) {
    std::vector<IniFileUse> uses;
    for (const StoredEntry& entry : stored.entries) AddUse(entry, folders, input, &uses);
    return uses;
}

std::vector<IniFileUse> IniFileUsesOnPage(const StoredLayout& stored, const PageSnapshot& page,
                                          const vx::ProfileFolders& folders,
                                          const InputFile& input) {
    std::set<std::string> listed;
    for (const EntryView& e : page.entries) listed.insert(e.name);
    std::vector<IniFileUse> uses;
    for (const StoredEntry& entry : stored.entries) {
        if (listed.count(entry.name)) AddUse(entry, folders, input, &uses);
    }
    return uses;
}

std::string EntryList(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries) text += (text.empty() ? "" : ", ") + e;
    return text;
}

std::string RefusalText(const IniFileUse& use) {
    std::string text = "INIFile \"" + use.name + "\" (" + EntryList(use.entries) + ") " +
                       vx::DescribeProfilePathVerdict(use.verdict);
    if (use.verdict == vx::ProfilePathVerdict::kNeedsDrive) {
        text += " (give --drive DIR, the folder that stands for C:\\)";
    }
    if (use.verdict == vx::ProfilePathVerdict::kLinkOutside) {
        text += " (" + (use.realPath.empty() ? "" : "it leads to " + use.realPath + "; ") +
                "copy the file in to use it)";
    }
    return text;
}

std::string WriteRefusal(const IniFileUse& use, const InputFile& input) {
    if (use.verdict != vx::ProfilePathVerdict::kResolved) return RefusalText(use);
    const std::string named = "INIFile \"" + use.name + "\" (" + EntryList(use.entries) + ") ";
    switch (use.kind) {
        case IniFileKind::kDirectory:
            return named + "is a directory (" + use.hostPath + ")";
        case IniFileKind::kOther:
            return named + "is not a regular file (" + use.hostPath + ")";
        case IniFileKind::kMissing:
        case IniFileKind::kFile:
            break;
    }
    if (use.isInput) {
        return named + "is the " + input.what + " " + input.name +
               ", which this run reads: it is never written as an INI file";
    }
    return "";
}

std::vector<Finding> IniFileFindings(const std::vector<IniFileUse>& uses, const InputFile& input) {
    std::vector<Finding> findings;
    auto severity = [](const std::string& code) {
        for (const FindingKind& k : FindingKinds()) {
            if (code == k.code) return k.severity;
        }
        return Severity::Error;
    };
    for (const IniFileUse& use : uses) {
        if (use.verdict != vx::ProfilePathVerdict::kResolved) {
            findings.push_back({"ini-path", use.entries.front(),
                                RefusalText(use) + ": the page reads nothing from it and apply " +
                                    "refuses to run",
                                severity("ini-path")});
        } else if (use.kind == IniFileKind::kDirectory || use.kind == IniFileKind::kOther) {
            findings.push_back({"ini-not-file", use.entries.front(),
                                WriteRefusal(use, input) +
                                    ": the page reads nothing from it and apply refuses to run",
                                severity("ini-not-file")});
        } else if (use.isInput) {
            findings.push_back({"ini-input", use.entries.front(),
                                WriteRefusal(use, input) + ": apply refuses to run",
                                severity("ini-input")});
        } else if (use.kind == IniFileKind::kMissing) {
            struct stat info;
            const size_t slash = use.hostPath.rfind('/');
            const std::string folder =
                slash == std::string::npos ? "." : use.hostPath.substr(0, slash + 1);
            const bool hasFolder = stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
            findings.push_back({"ini-missing", use.entries.front(),
                                "INIFile \"" + use.name + "\" (" + EntryList(use.entries) +
                                    ") is missing (" + use.hostPath + "): " +
                                    (hasFolder ? "the page reads no value from it; Apply creates it"
                                               : "and so is its folder: Apply cannot write it"),
                                severity("ini-missing")});
        }
    }
    return findings;
}

}  // namespace vexaro
