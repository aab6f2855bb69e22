// The display driver's registry data for one run of the page, made from the
// fuzzer's bytes: Layout values with names of every shape (the usual kind,
// group and order form, empty, short, long, with backslashes and high
// bytes) and data of every type and length, Association keys with their
// seven values (or some of them, of any type and length), two INI files,
// and registry data beside them that the page must leave alone.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "platform/host/HostRegistryTree.h"

namespace vxfuzz {

constexpr char kDriverKey[] = "System\\CurrentControlSet\\Services\\Class\\Display\\0001";

// Paths under HKEY_LOCAL_MACHINE, with the root's name in front.
std::string MachinePath(const std::string& path);
std::string LayoutPath();
std::string AssociationPath(const std::string& name);

struct IniFile {
    std::string name;
    std::string text;
};

// Fills the registry; returns the INI files to put into the Windows folder.
std::vector<IniFile> MakeDriverData(FuzzedDataProvider& in, vx::HostRegistryTree& registry);

}  // namespace vxfuzz
