#include "HostRegistryTree.h"

#include <fstream>
#include <sstream>

#include "AtomicFile.h"
#include "platform/regfile/RegRoots.h"

namespace vx {

bool SplitKeyPath(const std::string& path, std::vector<std::string>* names) {
    names->clear();
    if (!path.empty() && path[0] == '\\') return false;
    size_t start = 0;
    while (start < path.size()) {
        size_t slash = path.find('\\', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash > start) names->push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return true;
}

RegistryNode::Ptr FindKeyUnder(RegistryNode::Ptr base, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (base == nullptr) break;
        base = base->FindSubkey(name);
    }
    return base;
}

HostRegistryTree::HostRegistryTree() {
    for (const char* name : {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                             "HKEY_USERS", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"}) {
        m_roots.push_back({name, std::make_shared<RegistryNode>(name)});
    }
}

RegistryNode::Ptr HostRegistryTree::Root(const std::string& name) const {
    std::string canonical = regfile::CanonicalRoot(name);
    for (const RootEntry& root : m_roots) {
        if (canonical == root.name) return root.node;
    }
    return nullptr;
}

RegistryNode::Ptr HostRegistryTree::Resolve(const std::string& path,
                                            std::vector<std::string>* names) const {
    size_t slash = path.find('\\');
    RegistryNode::Ptr root = Root(path.substr(0, slash));
    std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    if (root == nullptr || !SplitKeyPath(rest, names)) return nullptr;
    return root;
}

RegistryNode::Ptr HostRegistryTree::FindKey(const std::string& path) const {
    std::vector<std::string> names;
    return FindKeyUnder(Resolve(path, &names), names);
}

RegistryNode::Ptr HostRegistryTree::CreateKey(const std::string& path) {
    std::vector<std::string> names;
    RegistryNode::Ptr key = Resolve(path, &names);
    for (const std::string& name : names) {
        if (key == nullptr) break;
        key = key->AddSubkey(name);
    }
    return key;
}

bool HostRegistryTree::DeleteKey(const std::string& path) {
    std::vector<std::string> names;
    RegistryNode::Ptr root = Resolve(path, &names);
    if (root == nullptr || names.empty()) return false;
    std::string last = names.back();
    names.pop_back();
    RegistryNode::Ptr parent = FindKeyUnder(root, names);
    return parent != nullptr && parent->RemoveSubkey(last);
}

bool HostRegistryTree::SetValue(const std::string& keyPath, const std::string& name, uint32_t type,
                                const std::vector<uint8_t>& data) {
    RegistryNode::Ptr key = CreateKey(keyPath);
    if (key == nullptr) return false;
    key->SetValue(name, type, data);
    return true;
}

bool HostRegistryTree::SetString(const std::string& keyPath, const std::string& name,
                                 const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return SetValue(keyPath, name, 1, data);
}

bool HostRegistryTree::ReadValue(const std::string& keyPath, const std::string& name,
                                 RegistryValue* out) const {
    RegistryNode::Ptr key = FindKey(keyPath);
    const RegistryValue* value = key != nullptr ? key->FindValue(name) : nullptr;
    if (value == nullptr) return false;
    if (out != nullptr) *out = *value;
    return true;
}

bool HostRegistryTree::DeleteValue(const std::string& keyPath, const std::string& name) {
    RegistryNode::Ptr key = FindKey(keyPath);
    return key != nullptr && key->DeleteValue(name);
}

std::vector<std::string> HostRegistryTree::ValueNames(const std::string& keyPath) const {
    std::vector<std::string> names;
    if (RegistryNode::Ptr key = FindKey(keyPath)) {
        key->ForEachValue([&](const RegistryValue& value) { names.push_back(value.name); });
    }
    return names;
}

std::vector<std::string> HostRegistryTree::SubkeyNames(const std::string& keyPath) const {
    std::vector<std::string> names;
    if (RegistryNode::Ptr key = FindKey(keyPath)) {
        for (const RegistryNode::Ptr& subkey : key->Subkeys()) names.push_back(subkey->Name());
    }
    return names;
}

void HostRegistryTree::Clear() {
    for (RootEntry& root : m_roots) root.node->Clear();
}

bool HostRegistryTree::Import(const regfile::Document& document, regfile::ParseError* error) {
    regfile::ParseError ignored;
    if (error == nullptr) error = &ignored;
    for (const regfile::Key& key : document.keys) {
        std::vector<std::string> names;
        if (Resolve(key.path, &names) == nullptr) {
            *error = {0, "cannot hold the key \"" + key.path + "\""};
            return false;
        }
        if (key.deleted && names.empty()) {
            *error = {0, "cannot delete the root key \"" + key.path + "\""};
            return false;
        }
    }
    for (const regfile::Key& key : document.keys) {
        if (key.deleted) {
            DeleteKey(key.path);
            continue;
        }
        RegistryNode::Ptr node = CreateKey(key.path);
        for (const regfile::Value& value : key.values) {
            if (value.deleted) {
                node->DeleteValue(value.name);
            } else {
                node->SetValue(value.name, value.type, value.data);
            }
        }
    }
    return true;
}

bool HostRegistryTree::ImportText(const std::string& text, regfile::ParseError* error,
                                  std::vector<regfile::ParseError>* skipped) {
    regfile::Document document;
    if (!regfile::Parse(text, &document, error) || !Import(document, error)) return false;
    if (skipped != nullptr) *skipped = std::move(document.skipped);
    return true;
}

bool HostRegistryTree::LoadFile(const std::string& fileName, regfile::ParseError* error) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        if (error != nullptr) *error = {0, "cannot read " + fileName};
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ImportText(text.str(), error);
}

namespace {

void ExportKey(const RegistryNode& node, const std::string& path, bool isRoot,
               regfile::Document* out) {
    if (!isRoot || node.ValueCount() > 0) {
        regfile::Key key;
        key.path = path;
        key.values.reserve(node.ValueCount());
        node.ForEachValue([&](const RegistryValue& value) {
            key.values.push_back({value.name, value.type, value.data, false});
        });
        out->keys.push_back(std::move(key));
    }
    for (const RegistryNode::Ptr& subkey : node.Subkeys()) {
        ExportKey(*subkey, path + "\\" + subkey->Name(), false, out);
    }
}

}  // namespace

regfile::Document HostRegistryTree::Export() const {
    regfile::Document document;
    for (const RootEntry& root : m_roots) ExportKey(*root.node, root.name, true, &document);
    return document;
}

bool HostRegistryTree::SaveFile(const std::string& fileName, std::string* error) const {
    return ReplaceFileAtomically(fileName, regfile::Write(Export()), error);
}

}  // namespace vx
