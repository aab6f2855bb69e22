// Registry files: the reader never crashes, and whatever it accepts can be
// written and read back to the same document; whatever the host registry
// takes from it can be saved and loaded again to the same registry.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "platform/host/HostRegistryTree.h"
#include "platform/regfile/RegFile.h"

namespace {

using vx::regfile::Document;

std::string ValueText(const vx::regfile::Value& value) {
    std::string text = "\"" + vxfuzz::Printable(value.name) + "\" type " +
                       std::to_string(value.type) + (value.deleted ? " deleted" : "") + " data ";
    return text + vxfuzz::Printable(std::string(value.data.begin(), value.data.end()));
}

// The first difference between two documents; empty when they are the same.
std::string Difference(const Document& a, const Document& b) {
    for (size_t k = 0; k < a.keys.size() || k < b.keys.size(); ++k) {
        if (k >= a.keys.size()) return "extra key " + vxfuzz::Printable(b.keys[k].path);
        if (k >= b.keys.size()) return "missing key " + vxfuzz::Printable(a.keys[k].path);
        const vx::regfile::Key& x = a.keys[k];
        const vx::regfile::Key& y = b.keys[k];
        if (x.path != y.path || x.deleted != y.deleted) {
            return "key " + std::to_string(k) + ": " + vxfuzz::Printable(x.path) + " against " +
                   vxfuzz::Printable(y.path);
        }
        for (size_t v = 0; v < x.values.size() || v < y.values.size(); ++v) {
            if (v >= x.values.size()) return "extra value " + ValueText(y.values[v]);
            if (v >= y.values.size()) return "missing value " + ValueText(x.values[v]);
            const vx::regfile::Value& p = x.values[v];
            const vx::regfile::Value& q = y.values[v];
            if (p.name != q.name || p.type != q.type || p.data != q.data ||
                p.deleted != q.deleted) {
                return "under " + vxfuzz::Printable(x.path) + ": " + ValueText(p) + " against " +
                       ValueText(q);
            }
        }
    }
    return {};
}

// Parses text that this program wrote; a failure is a broken property.
Document Reread(const std::string& text, const char* what) {
    Document document;
    vx::regfile::ParseError error;
    if (!vx::regfile::Parse(text, &document, &error)) {
        vxfuzz::Broken(std::string(what) + " does not read back: line " +
                       std::to_string(error.line) + ": " + error.reason + "\n" +
                       vxfuzz::Printable(text));
    }
    return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Document document;
    vx::regfile::ParseError error;
    if (!vx::regfile::Parse(bytes, &document, &error)) {
        vxfuzz::Require(error.line >= 1 && !error.reason.empty(),
                        "a refused file without a line or a reason");
        return 0;
    }

    // The document written and read back.
    const std::string written = vx::regfile::Write(document);
    const Document again = Reread(written, "the written document");
    std::string difference = Difference(document, again);
    vxfuzz::Require(difference.empty(), "written and read back differently: " + difference);
    vxfuzz::Require(vx::regfile::Write(again) == written, "a second writing differs");

    // The registry loaded from it, saved and loaded again.
    vx::HostRegistryTree first;
    if (!first.Import(document, &error)) return 0;
    const Document exported = first.Export();
    const Document saved = Reread(vx::regfile::Write(exported), "the saved registry");
    vx::HostRegistryTree second;
    if (!second.Import(saved, &error)) {
        vxfuzz::Broken("the saved registry is refused: " + error.reason);
    }
    difference = Difference(exported, second.Export());
    vxfuzz::Require(difference.empty(), "saved and loaded differently: " + difference);
    return 0;
}
