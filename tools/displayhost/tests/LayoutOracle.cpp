#include "LayoutOracle.h"

#include <algorithm>

namespace shelltest {

namespace {

struct Entry {
    LayoutValue value;
    std::string kind;
    int group = 0;
    int order = 0;
    bool IsGroup() const { return kind == "Group"; }
};

Entry Parse(const LayoutValue& value) {
    Entry e{value, "", 0, 0};
    for (const char* kind : {"Group", "Check", "Radio"})
        if (value.name.compare(0, 5, kind) == 0) {
            e.kind = kind;
            break;
        }
    e.group = static_cast<signed char>(value.name.at(5)) - '0';
    e.order = static_cast<signed char>(value.name.at(7)) - '0';
    return e;
}

bool SortsBefore(const Entry& a, const Entry& b) {
    if (a.group != b.group) return a.group < b.group;
    if (a.IsGroup() != b.IsGroup()) return a.IsGroup();
    return a.order < b.order;
}

bool Admits(const Entry& group, const Entry& member) {
    return group.group == member.group && group.order >= member.order;
}

class Cursor {
  public:
    Cursor(const PageMetrics& metrics, bool oneColumn) : m(metrics), one(oneColumn) {}

    void Advance(const Entry& e, bool oneColumn) {
        if (e.IsGroup()) {
            x = 11;
            y += (members != 0 || e.order == 0) ? 25 : 8;
        } else if (e.kind == "Check" || e.kind == "Radio") {
            if (x != 20 || oneColumn) {
                x = 20;
                y += 22;
            } else {
                x = m.secondColumnX;
            }
        }
    }

    void Create(const Entry& e, std::vector<ExpectedControl>* out) {
        if (e.kind.empty()) return;
        Advance(e, one);
        ExpectedControl c;
        c.caption = e.value.caption;
        c.name = e.value.name;
        if (e.IsGroup()) {
            int top = one ? y - 22 * members - 25 : y - 11 * ((members + 1) & ~1) - 25;
            c.rect = {x, top, x + m.groupBoxWidth, y};
            c.style = 0x50000007;
            members = 0;
        } else {
            c.rect = {x, y, x + (one ? 2 : 1) * m.columnWidth, y + 15};
            c.style = e.kind == "Check" ? 0x50000003 : 0x50000009;
            c.firstOfGroup = members == 0;
            if (c.firstOfGroup) c.style |= WS_GROUP | WS_TABSTOP;
            c.on = e.value.on;
            ++members;
        }
        c.id = ++id;
        out->push_back(c);
    }

  private:
    const PageMetrics& m;
    bool one;
    int x = 10, y = 50, id = 2000, members = 0;
};

}  // namespace

PageMetrics MeasureMetrics(const RECT& resetButton, const RECT& icon) {
    PageMetrics m;
    m.groupBoxWidth = resetButton.right - icon.left;
    unsigned half = static_cast<unsigned>(m.groupBoxWidth) >> 1;
    m.columnWidth = static_cast<int>(half) - 17;
    m.secondColumnX = static_cast<int>(half) + 19;
    m.availableHeight = static_cast<unsigned>(resetButton.top - icon.bottom - 17);
    return m;
}

ExpectedLayout ExpectLayout(std::vector<LayoutValue> values, const PageMetrics& metrics) {
    std::vector<Entry> entries;
    for (const LayoutValue& v : values) entries.push_back(Parse(v));
    std::stable_sort(entries.begin(), entries.end(), SortsBefore);

    ExpectedLayout layout;
    unsigned sum = 0;
    const Entry* last = nullptr;
    for (const Entry& e : entries) {
        if (e.IsGroup()) {
            sum += last ? 33 : 25;
            last = &e;
        } else if (last && Admits(*last, e)) {
            sum += 22;
        }
    }
    layout.oneColumn = metrics.availableHeight >= sum;

    Cursor cursor(metrics, layout.oneColumn);
    const Entry* current = nullptr;
    const Entry* pending = nullptr;
    for (const Entry& e : entries) {
        if (e.IsGroup()) {
            if (pending) {
                cursor.Create(*pending, &layout.controls);
                cursor.Advance(*pending, true);
            }
            current = pending = &e;
        } else if (!current) {
            continue;
        } else if (Admits(*current, e)) {
            cursor.Create(e, &layout.controls);
        } else {
            layout.pruned.push_back(e.value.name);
        }
    }
    if (pending) cursor.Create(*pending, &layout.controls);
    return layout;
}

}  // namespace shelltest
