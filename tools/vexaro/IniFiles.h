// The INI files that the page's entries name, where each one lies on the
// host (or why it lies nowhere), and which entries name it.
#pragma once

#include <string>
#include <vector>

#include "Files.h"
#include "Findings.h"
#include "Snapshot.h"
#include "StoredData.h"
#include "platform/host/ProfilePath.h"

namespace vexaro {

// The file that a run reads the driver's data from.
struct InputFile {
    std::string name;  // as the user gave it
    std::string what;  // "registry file" or "INF file"
    InputIdentity identity;
};

// What is at a resolved name on the host.
enum class IniFileKind { kMissing, kFile, kDirectory, kOther };

struct IniFileUse {
    std::string name;  // "INIFile" as the first entry that names it stores it
    vx::ProfilePathVerdict verdict = vx::ProfilePathVerdict::kResolved;
    std::string hostPath;                      // when resolved
    std::string realPath;                      // where a refused symbolic link leads
    IniFileKind kind = IniFileKind::kMissing;  // when resolved
    bool isInput = false;                      // the registry or INF file that the run reads
    std::vector<std::string> entries;          // the Layout value names that name it
};

// The "INIFile" of every stored entry that has one, in the order of the
// stored entries; names that lead to the same host file are one use.
// Group entries, whose state the page never writes, are left out.
std::vector<IniFileUse> IniFileUses(const StoredLayout& stored, const vx::ProfileFolders& folders,
                                    const InputFile& input);

// The same for the entries that are in the page's list after the layout
// pass: the files that Apply writes.
std::vector<IniFileUse> IniFileUsesOnPage(const StoredLayout& stored, const PageSnapshot& page,
                                          const vx::ProfileFolders& folders,
                                          const InputFile& input);

// Why apply must not write the file: the refusal of its name, a folder or
// something else in its place, or the input of the run; empty when it may.
std::string WriteRefusal(const IniFileUse& use, const InputFile& input);

// Texts here are the registry's bytes; they are converted where shown.
// One line on why the name is refused, naming --drive where one would help:
// "INIFile "C:\x.ini" (Check1_1, Check1_2) is a path on drive C:, ...".
std::string RefusalText(const IniFileUse& use);

// "Check1_1, Check1_2".
std::string EntryList(const std::vector<std::string>& entries);

// check's findings about the files: "ini-path" for a name that leads
// nowhere, "ini-not-file" for a folder, pipe or device, "ini-input" for the
// run's own registry or INF file, "ini-missing" for one that leads to no
// file; the entry is the first that names it, the message names them all.
std::vector<Finding> IniFileFindings(const std::vector<IniFileUse>& uses, const InputFile& input);

}  // namespace vexaro
