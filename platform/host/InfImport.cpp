#include "InfImport.h"

#include <cstdint>
#include <map>

namespace vx {

namespace {

constexpr uint32_t kTypeMultiSz = 7;

std::string EntryKeyPath(const regfile::AddRegEntry& entry, const std::string& hkrPath) {
    std::string root = entry.root == "HKR" ? hkrPath : entry.root;
    return entry.subkey.empty() ? root : root + "\\" + entry.subkey;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The strings of multi-string data, without the list's final zero.
std::vector<std::string> Strings(const std::vector<uint8_t>& data) {
    std::vector<std::string> out;
    std::string current;
    for (uint8_t b : data) {
        if (b != 0) {
            current += static_cast<char>(b);
        } else if (!current.empty()) {
            out.push_back(current);
            current.clear();
        } else {
            break;
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}

// Appends the strings of addition that existing lacks (compared without
// regard to the case of ASCII letters).
std::vector<uint8_t> Appended(const std::vector<uint8_t>& existing,
                              const std::vector<uint8_t>& addition) {
    std::vector<std::string> strings = Strings(existing);
    for (const std::string& s : Strings(addition)) {
        bool present = false;
        for (const std::string& t : strings) present |= Lower(s) == Lower(t);
        if (!present) strings.push_back(s);
    }
    std::vector<uint8_t> data;
    for (const std::string& s : strings) {
        data.insert(data.end(), s.begin(), s.end());
        data.push_back(0);
    }
    data.push_back(0);
    return data;
}

// Applies one line; true when the registry changed.
bool Apply(HostRegistryTree& registry, const regfile::AddRegEntry& entry,
           const std::string& hkrPath) {
    std::string path = EntryKeyPath(entry, hkrPath);
    if (!entry.keyOnly && (entry.flags & regfile::kAddRegDeleteValue)) {
        return registry.DeleteValue(path, entry.name);
    }
    const bool existed = registry.KeyExists(path);
    RegistryNode::Ptr key = registry.CreateKey(path);
    if (entry.keyOnly) return !existed;
    const RegistryValue* existing = key->FindValue(entry.name);
    if ((entry.flags & regfile::kAddRegNoClobber) && existing != nullptr) return !existed;
    if ((entry.flags & regfile::kAddRegOverwriteOnly) && existing == nullptr) return !existed;
    if ((entry.flags & regfile::kAddRegAppend) && entry.type == kTypeMultiSz) {
        // Only to an existing list of texts.
        if (existing == nullptr || existing->type != kTypeMultiSz) return !existed;
        std::vector<uint8_t> data = Appended(existing->data, entry.data);
        if (data == existing->data) return !existed;
        key->SetValue(entry.name, kTypeMultiSz, std::move(data));
        return true;
    }
    if (existing != nullptr && existing->type == entry.type && existing->data == entry.data) {
        return !existed;
    }
    key->SetValue(entry.name, entry.type, entry.data);
    return true;
}

}  // namespace

bool ImportAddReg(HostRegistryTree& registry, const std::vector<regfile::AddRegEntry>& entries,
                  const std::string& hkrPath, regfile::ParseError* error,
                  const std::vector<regfile::AddRegRun>* runs) {
    regfile::ParseError ignored;
    if (error == nullptr) error = &ignored;
    for (const regfile::AddRegEntry& entry : entries) {
        std::vector<std::string> names;
        std::string path = EntryKeyPath(entry, hkrPath);
        size_t slash = path.find('\\');
        if (registry.Root(path.substr(0, slash)) == nullptr ||
            !SplitKeyPath(slash == std::string::npos ? "" : path.substr(slash + 1), &names)) {
            *error = {entry.line, "cannot hold the key \"" + path + "\""};
            return false;
        }
    }
    if (runs == nullptr) {
        for (const regfile::AddRegEntry& entry : entries) Apply(registry, entry, hkrPath);
        return true;
    }
    // For each run (by its first entry): the count of changes when it last
    // changed nothing.
    std::map<size_t, uint64_t> idleSince;
    uint64_t changes = 0;
    for (const regfile::AddRegRun& run : *runs) {
        auto idle = idleSince.find(run.first);
        if (idle != idleSince.end() && idle->second == changes) continue;
        const uint64_t before = changes;
        for (size_t i = run.first; i < run.first + run.count && i < entries.size(); ++i) {
            if (Apply(registry, entries[i], hkrPath)) ++changes;
        }
        idleSince[run.first] = changes == before ? changes : UINT64_MAX;
    }
    return true;
}

}  // namespace vx
