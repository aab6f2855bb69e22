// The host platform's registry: a tree of keys in memory that behaves as
// the Windows 95 registry does. Key and value names compare without regard
// to case and keep their case; values enumerate in the order they were
// created and deleting one closes the gap; deleting a key deletes
// everything under it. The root keys (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
// HKEY_CLASSES_ROOT, HKEY_USERS, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA) are
// separate trees. The registry reads and writes registry files.
//
// Paths given to this class are full paths that start with a root key, in
// full or abbreviated (HKLM\Software\Corvane).
#pragma once

#include <string>
#include <vector>

#include "RegistryNode.h"
#include "platform/regfile/RegFile.h"

namespace vx {

// The names of a key path relative to some key. As in the Windows API, a
// path must not start with a backslash; further backslashes in a row, or
// at the end, stand for one.
bool SplitKeyPath(const std::string& path, std::vector<std::string>* names);

// The key reached from base through names; null when one is missing.
RegistryNode::Ptr FindKeyUnder(RegistryNode::Ptr base, const std::vector<std::string>& names);

class HostRegistryTree {
  public:
    HostRegistryTree();
    HostRegistryTree(const HostRegistryTree&) = delete;
    HostRegistryTree& operator=(const HostRegistryTree&) = delete;

    // A root key by its full or abbreviated name; null for none.
    RegistryNode::Ptr Root(const std::string& name) const;

    RegistryNode::Ptr FindKey(const std::string& path) const;
    bool KeyExists(const std::string& path) const { return FindKey(path) != nullptr; }
    // Creates the key and the keys above it that are missing; null when the
    // path is malformed.
    RegistryNode::Ptr CreateKey(const std::string& path);
    // Deletes the key with all its subkeys and values; false when it is
    // missing or a root key.
    bool DeleteKey(const std::string& path);

    // Sets a value, creating its key when needed.
    bool SetValue(const std::string& keyPath, const std::string& name, uint32_t type,
                  const std::vector<uint8_t>& data);
    bool SetString(const std::string& keyPath, const std::string& name, const std::string& text);
    bool ReadValue(const std::string& keyPath, const std::string& name, RegistryValue* out) const;
    bool DeleteValue(const std::string& keyPath, const std::string& name);
    // Names in enumeration order; empty when the key is missing.
    std::vector<std::string> ValueNames(const std::string& keyPath) const;
    std::vector<std::string> SubkeyNames(const std::string& keyPath) const;

    // Empties every root key.
    void Clear();

    // Applies the keys and values of a registry file in file order, with its
    // deletions. A document that names a key this registry cannot hold is
    // refused before anything changes.
    bool Import(const regfile::Document& document, regfile::ParseError* error);
    // skipped, when given, receives the lines of the text that were passed over.
    bool ImportText(const std::string& text, regfile::ParseError* error,
                    std::vector<regfile::ParseError>* skipped = nullptr);
    bool LoadFile(const std::string& fileName, regfile::ParseError* error);

    // Every key (parents before their subkeys, in creation order) with its values.
    regfile::Document Export() const;
    // Writes the REGEDIT4 text of Export to a file, atomically.
    bool SaveFile(const std::string& fileName, std::string* error) const;

  private:
    struct RootEntry {
        const char* name;
        RegistryNode::Ptr node;
    };
    // Splits a full path into its root key and the names under it.
    RegistryNode::Ptr Resolve(const std::string& path, std::vector<std::string>* names) const;

    std::vector<RootEntry> m_roots;
};

}  // namespace vx
