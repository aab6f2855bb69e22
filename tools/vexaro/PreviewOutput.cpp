#include "PreviewOutput.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "AnsiText.h"
#include "Columns.h"

namespace vexaro {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kJsonSchemaVersion = 1;

Json RectJson(const vx::Rect& r) {
    return Json::array({r.left, r.top, r.right, r.bottom});
}

Json ControlJson(const ControlView& c) {
    Json j;
    j["id"] = c.id;
    j["kind"] = c.kind;
    j["caption"] = Utf8(c.caption);
    j["rect"] = RectJson(c.rect);
    j["style"] = StyleText(c.style);
    j["currentStyle"] = StyleText(c.currentStyle);
    if (c.kind == "Check" || c.kind == "Radio") j["checked"] = c.checked;
    j["entry"] = c.entry.empty() ? Json(nullptr) : Json(Utf8(c.entry));
    j["entryBytes"] = c.entry.empty() ? Json(nullptr) : Json(HexBytes(c.entry));
    j["position"] = c.position < 0 ? Json(nullptr) : Json(c.position);
    return j;
}

Json EntryJson(const EntryView& e) {
    Json j;
    j["position"] = e.position;
    j["name"] = Utf8(e.name);
    j["nameBytes"] = HexBytes(e.name);
    j["kind"] = e.kind;
    j["group"] = e.group;
    j["order"] = e.order;
    j["caption"] = Utf8(e.caption);
    j["state"] = e.state;
    j["control"] = e.controlId == 0 ? Json(nullptr) : Json(e.controlId);
    return j;
}

std::string RectText(const vx::Rect& r) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return buf;
}

// entryWidth: the width of the entry column; longer names are clipped.
void Row(std::ostream& out, size_t entryWidth, const std::string& id, const std::string& kind,
         const std::string& rect, const std::string& style, const std::string& check,
         const std::string& entry, const std::string& caption) {
    // Each column at least as wide as its heading and one blank after it;
    // only names are clipped, numbers never. Text arrives as UTF-8 with its
    // controls escaped.
    const std::pair<const std::string&, size_t> columns[] = {
        {id, 5}, {kind, 10}, {rect, 19}, {style, 10}, {check, 5}};
    for (const auto& [text, width] : columns) {
        out << text << std::string(width - std::min(width, Columns(text)), ' ') << ' ';
    }
    out << FitColumn(entry, entryWidth) << ' ' << caption << "\n";
}

void ControlRow(std::ostream& out, size_t entryWidth, const ControlView& c) {
    std::string check;
    if (c.kind == "Check" || c.kind == "Radio") check = c.checked ? "on" : "off";
    Row(out, entryWidth, std::to_string(c.id), c.kind, RectText(c.rect), StyleText(c.style), check,
        c.entry.empty() ? "-" : Shown(c.entry), Shown(c.caption));
}

}  // namespace

std::string StyleText(uint32_t style) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", style);
    return buf;
}

void WriteJson(const PageSnapshot& page, std::ostream& out) {
    Json j;
    j["schema"] = kJsonSchemaVersion;
    j["page"] = {{"caption", page.caption},
                 {"width", page.width},
                 {"height", page.height},
                 {"driverKey", Utf8(page.driverKeyPath)}};
    j["metrics"] = {{"groupBoxWidth", page.metrics.groupBoxWidth},
                    {"columnWidth", page.metrics.columnWidth},
                    {"secondColumnX", page.metrics.secondColumnX},
                    {"availableHeight", page.metrics.availableHeight},
                    {"columns", page.metrics.oneColumn ? 1 : 2}};
    j["template"] = Json::array();
    for (const ControlView& c : page.templateControls) j["template"].push_back(ControlJson(c));
    j["controls"] = Json::array();
    for (const ControlView& c : page.controls) j["controls"].push_back(ControlJson(c));
    j["entries"] = Json::array();
    for (const EntryView& e : page.entries) j["entries"].push_back(EntryJson(e));
    j["removed"] = Json::array();
    for (const Removal& r : page.removals) {
        j["removed"].push_back({{"name", Utf8(r.name)},
                                {"nameBytes", HexBytes(r.name)},
                                {"reason", r.reason},
                                {"by", Utf8(r.by)},
                                {"byBytes", HexBytes(r.by)},
                                {"associationDeleted", r.associationDeleted}});
    }
    j["notVisited"] = Json::array();
    j["notVisitedBytes"] = Json::array();
    for (const std::string& name : page.notVisited) {
        j["notVisited"].push_back(Utf8(name));
        j["notVisitedBytes"].push_back(HexBytes(name));
    }
    j["pendingAction"] = page.pendingAction;
    // Every string is UTF-8 already; should one not be, it is replaced
    // rather than ending the program.
    out << EscapeJsonControls(j.dump(2, ' ', false, Json::error_handler_t::replace)) << "\n";
}

void WriteTable(const PageSnapshot& page, std::ostream& out) {
    out << "Page \"" << page.caption << "\" " << page.width << "x" << page.height
        << " pixels, driver key "
        << (page.driverKeyPath.empty() ? std::string("(not found)") : Shown(page.driverKeyPath))
        << "\n";
    out << "Metrics: group box width " << page.metrics.groupBoxWidth << ", column width "
        << page.metrics.columnWidth << ", second column x " << page.metrics.secondColumnX
        << ", available height " << page.metrics.availableHeight << ", "
        << (page.metrics.oneColumn ? "one column" : "two columns") << "\n\n";
    size_t entryWidth = 9;  // "Check1_1" and a blank
    for (const ControlView& c : page.controls) {
        entryWidth = std::max(entryWidth, Columns(Shown(c.entry)));
    }
    entryWidth = std::min(entryWidth, kEntryColumnWidth);
    Row(out, entryWidth, "Id", "Kind", "Rectangle", "Style", "Check", "Entry", "Caption");
    for (const ControlView& c : page.templateControls) ControlRow(out, entryWidth, c);
    for (const ControlView& c : page.controls) ControlRow(out, entryWidth, c);
    for (const EntryView& e : page.entries) {
        if (e.controlId != 0 || e.kind == "Group") continue;
        out << "(no control) " << Shown(e.name) << " at list position " << e.position << ": "
            << (e.kind.empty() ? "unknown kind" : "no group before it") << "\n";
    }
    for (const Removal& r : page.removals) {
        out << "(removed) " << Shown(r.name) << ": " << r.reason
            << (r.reason == "evicted" ? " by " : " from group ") << Shown(r.by) << "\n";
    }
    for (const std::string& name : page.notVisited) {
        out << "(not loaded) " << Shown(name) << ": skipped by this pass, loaded next time\n";
    }
}

}  // namespace vexaro
