#include "RegistrySnapshot.h"

#include "FuzzCheck.h"

namespace vxfuzz {

namespace {

void Walk(const vx::RegistryNode::Ptr& node, const std::string& path,
          std::vector<const vx::RegistryNode*>& ancestors, std::vector<KeyRecord>* out) {
    out->push_back({node, path, ancestors, node->Values()});
    ancestors.push_back(node.get());
    for (const vx::RegistryNode::Ptr& subkey : node->Subkeys()) {
        Walk(subkey, path + "\\" + subkey->Name(), ancestors, out);
    }
    ancestors.pop_back();
}

bool SameValue(const vx::RegistryValue& a, const vx::RegistryValue& b) {
    return a.name == b.name && a.type == b.type && a.data == b.data;
}

std::string ValuesDifference(const KeyRecord& before, const KeyRecord& after,
                             const AllowedRemovals& allowed) {
    std::vector<vx::RegistryValue> kept;
    for (const vx::RegistryValue& value : before.values) {
        const bool mayGo =
            before.node.get() == allowed.valueKey && allowed.valueNames.count(value.name) != 0;
        if (!mayGo) kept.push_back(value);
    }
    size_t next = 0;
    for (const vx::RegistryValue& value : after.values) {
        if (next < kept.size() && SameValue(value, kept[next])) {
            ++next;
            continue;
        }
        return "value " + Printable(value.name) + " of " + Printable(after.path) +
               " is new, changed or out of its place";
    }
    if (next < kept.size()) {
        return "value " + Printable(kept[next].name) + " of " + Printable(before.path) + " is gone";
    }
    return {};
}

}  // namespace

RegistrySnapshot::RegistrySnapshot(const vx::HostRegistryTree& registry) {
    std::vector<const vx::RegistryNode*> ancestors;
    Walk(registry.Root("HKEY_LOCAL_MACHINE"), "HKEY_LOCAL_MACHINE", ancestors, &keys);
}

const KeyRecord* RegistrySnapshot::Find(const vx::RegistryNode* node) const {
    for (const KeyRecord& key : keys) {
        if (key.node.get() == node) return &key;
    }
    return nullptr;
}

std::string RegistryDifference(const RegistrySnapshot& before, const RegistrySnapshot& after,
                               const AllowedRemovals& allowed) {
    for (const KeyRecord& key : after.keys) {
        if (before.Find(key.node.get()) == nullptr) return "key " + Printable(key.path) + " is new";
    }
    for (const KeyRecord& key : before.keys) {
        const KeyRecord* now = after.Find(key.node.get());
        if (now == nullptr) {
            bool mayGo = allowed.keys.count(key.node.get()) != 0;
            for (const vx::RegistryNode* ancestor : key.ancestors) {
                mayGo = mayGo || allowed.keys.count(ancestor) != 0;
            }
            if (!mayGo) return "key " + Printable(key.path) + " is gone";
            continue;
        }
        const std::string difference = ValuesDifference(key, *now, allowed);
        if (!difference.empty()) return difference;
    }
    return {};
}

}  // namespace vxfuzz
