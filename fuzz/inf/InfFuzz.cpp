// INF files: the reader never crashes and gives a line and a reason when it
// refuses; every section that reads as AddReg lines fills a registry or is
// refused with a reason. Registry data made from the input is written as
// AddReg lines, or refused with a reason; what is written reads back to the
// same keys, names, types and data.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "platform/host/HostRegistryTree.h"
#include "platform/host/InfImport.h"
#include "platform/regfile/InfFile.h"

namespace {

using vx::regfile::AddRegEntry;
using vx::regfile::Key;
using vx::regfile::Value;

void ReadAnything(const std::string& bytes) {
    vx::regfile::InfDocument inf;
    vx::regfile::ParseError error;
    if (!vx::regfile::ParseInf(bytes, &inf, &error)) {
        vxfuzz::Require(!error.reason.empty() && error.line >= 0, "a refusal without reason");
        return;
    }
    for (const vx::regfile::InfSection& section : inf.sections) {
        std::vector<AddRegEntry> entries;
        vx::regfile::ParseError sectionError;
        if (!vx::regfile::ReadAddReg(inf, section.name, &entries, &sectionError)) {
            vxfuzz::Require(!sectionError.reason.empty(), "a section refused without reason");
            continue;
        }
        vx::HostRegistryTree registry;
        vx::regfile::ParseError importError;
        if (!vx::ImportAddReg(registry, entries, "HKEY_LOCAL_MACHINE\\Drv", &importError)) {
            vxfuzz::Require(!importError.reason.empty(), "an import refused without reason");
        }
    }
}

std::vector<uint8_t> Data(FuzzedDataProvider& in, uint32_t type) {
    std::string bytes = in.ConsumeRandomLengthString(48);
    // Text types mostly as plain text, so that most values can be written.
    if ((type == 1 || type == 2) && in.ConsumeBool()) bytes += '\0';
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::string EntryText(const AddRegEntry& e) {
    return vxfuzz::Printable(e.subkey) + " \"" + vxfuzz::Printable(e.name) + "\" type " +
           std::to_string(e.type) + (e.keyOnly ? " key only" : "") + " data " +
           vxfuzz::Printable(std::string(e.data.begin(), e.data.end()));
}

void WriteAndReadBack(FuzzedDataProvider& in) {
    static const uint32_t kTypes[] = {0, 1, 2, 3, 4, 7, 6, 0xFFFF, 0x10000};
    std::vector<Key> keys;
    const int keyCount = in.ConsumeIntegralInRange(1, 4);
    for (int k = 0; k < keyCount; ++k) {
        Key key;
        key.path = in.ConsumeBool() ? "Vexaro\\" + in.ConsumeRandomLengthString(16)
                                    : in.ConsumeRandomLengthString(16);
        const int valueCount = in.ConsumeIntegralInRange(0, 5);
        for (int v = 0; v < valueCount; ++v) {
            Value value;
            value.name = in.ConsumeRandomLengthString(16);
            value.type = in.PickValueInArray(kTypes);
            value.data = Data(in, value.type);
            value.deleted = in.ConsumeIntegralInRange(0, 7) == 0;
            key.values.push_back(value);
        }
        keys.push_back(key);
    }
    std::string lines;
    std::string reason;
    if (!vx::regfile::WriteAddReg(keys, &lines, &reason)) {
        vxfuzz::Require(!reason.empty(), "data refused without reason");
        return;
    }
    vx::regfile::InfDocument inf;
    vx::regfile::ParseError error;
    std::vector<AddRegEntry> entries;
    const std::string text = "[S]\r\n" + lines;
    vxfuzz::Require(vx::regfile::ParseInf(text, &inf, &error) &&
                        vx::regfile::ReadAddReg(inf, "S", &entries, &error),
                    "written lines do not read back: line " + std::to_string(error.line) + ": " +
                        error.reason + "\n" + vxfuzz::Printable(text));
    size_t e = 0;
    for (const Key& key : keys) {
        bool any = false;
        for (const Value& value : key.values) {
            if (value.deleted) continue;
            any = true;
            vxfuzz::Require(e < entries.size(), "a value is missing\n" + vxfuzz::Printable(text));
            const AddRegEntry& got = entries[e++];
            vxfuzz::Require(got.root == "HKR" && !got.keyOnly && got.subkey == key.path &&
                                got.name == value.name && got.type == value.type &&
                                got.data == value.data,
                            "read back as " + EntryText(got) + "\n" + vxfuzz::Printable(text));
        }
        if (!any && e < entries.size() && entries[e].keyOnly && entries[e].subkey == key.path) ++e;
    }
    vxfuzz::Require(e == entries.size(), "extra lines\n" + vxfuzz::Printable(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        WriteAndReadBack(in);
    } else {
        ReadAnything(in.ConsumeRemainingBytesAsString());
    }
    return 0;
}
