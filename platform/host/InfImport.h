// AddReg lines of an INF file applied to the host registry, as a setup
// engine applies them: in order, HKR standing for a given key, with the
// flags that keep an existing value (no-clobber), touch only an existing
// one (overwrite-only), delete one, create only the key, or add strings to
// an existing multi-string value (append).
#pragma once

#include <string>
#include <vector>

#include "HostRegistryTree.h"
#include "platform/regfile/InfFile.h"

namespace vx {

// hkrPath: the full path (with its root) that HKR stands for. A line whose
// key the registry cannot hold is refused, with its line, before anything
// changes.
//
// With runs (from ReadAddReg), the entries are applied run by run in that
// order. A run that changed nothing when it was last applied, with nothing
// changed since, is not applied again: it would change nothing again. So a
// section named thousands of times costs about what it costs once.
bool ImportAddReg(HostRegistryTree& registry, const std::vector<regfile::AddRegEntry>& entries,
                  const std::string& hkrPath, regfile::ParseError* error,
                  const std::vector<regfile::AddRegRun>* runs = nullptr);

}  // namespace vx
