// The keys and values under HKEY_LOCAL_MACHINE at one moment, kept with
// the key objects themselves so that a later snapshot tells which keys went.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/host/HostRegistryTree.h"

namespace vxfuzz {

struct KeyRecord {
    vx::RegistryNode::Ptr node;
    std::string path;
    std::vector<const vx::RegistryNode*> ancestors;  // the root first
    std::vector<vx::RegistryValue> values;
};

struct RegistrySnapshot {
    explicit RegistrySnapshot(const vx::HostRegistryTree& registry);
    const KeyRecord* Find(const vx::RegistryNode* node) const;

    std::vector<KeyRecord> keys;
};

// What may go between two snapshots: whole keys (with everything under
// them), and the named values of one key. Empty when nothing else changed.
struct AllowedRemovals {
    std::set<const vx::RegistryNode*> keys;
    const vx::RegistryNode* valueKey = nullptr;
    std::set<std::string> valueNames;
};

std::string RegistryDifference(const RegistrySnapshot& before, const RegistrySnapshot& after,
                               const AllowedRemovals& allowed);

}  // namespace vxfuzz
