// The scripted run: the host drives the open sheet the way a user would and
// reports what it saw on the way.
#pragma once

#include <cstdio>

#include "DisplaySheet.h"
#include "Options.h"

namespace displayhost {

// Exit codes of the scripted run.
enum ScriptResult {
    kScriptDone = 0,
    kScriptFailed = 1,
    kScriptNoExtensionPage = 2,
};

// Opens the sheet modeless, shows the first extension page, saves its
// picture, clicks one setting per action kind, applies, answers the restart
// question No and closes the sheet. Writes its report to out.
ScriptResult RunScript(DisplaySheet* sheet, const Options& options, std::FILE* out);

}  // namespace displayhost
