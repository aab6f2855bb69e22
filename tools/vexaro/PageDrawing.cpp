#include "PageDrawing.h"

#include <cmath>
#include <string>
#include <vector>

#include "AnsiText.h"
#include "DialogFont.h"
#include "IconImage.h"

namespace vexaro {

namespace {

// The system colours of the Windows 95 standard scheme.
struct Colour {
    double r, g, b;
};
constexpr Colour kFace{0.753, 0.753, 0.753};    // 192,192,192
constexpr Colour kShadow{0.502, 0.502, 0.502};  // 128,128,128
constexpr Colour kLight{0.875, 0.875, 0.875};   // 223,223,223
constexpr Colour kWhite{1, 1, 1};
constexpr Colour kBlack{0, 0, 0};

constexpr int kBoxSize = 13;  // check box and radio button glyphs

// Where DrawPage hands its lines of text, when it does not draw them.
const cairo_user_data_key_t kTextSinkKey = {};

// The dialog font's ascent and height (the step from one line to the next).
double FontAscent(cairo_t* cr) {
    cairo_font_extents_t e;
    cairo_font_extents(cr, &e);
    return std::round(e.ascent);
}
double FontHeight(cairo_t* cr) {
    cairo_font_extents_t e;
    cairo_font_extents(cr, &e);
    return std::round(e.ascent + e.descent);
}

// Draws a line of the registry's text (code page 1252, control characters
// shown as escapes) with its baseline starting at x, y; or hands it on.
void ShowText(cairo_t* cr, double x, double y, const std::string& ansi) {
    const std::string text = Shown(ansi);
    auto* sink = static_cast<std::vector<PlacedText>*>(cairo_get_user_data(cr, &kTextSinkKey));
    if (sink == nullptr) {
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, text.c_str());
        return;
    }
    PlacedText t;
    t.x = x;
    t.y = y;
    t.text = text;
    cairo_clip_extents(cr, &t.clipLeft, &t.clipTop, &t.clipRight, &t.clipBottom);
    double alpha;
    cairo_pattern_get_rgba(cairo_get_source(cr), &t.red, &t.green, &t.blue, &alpha);
    sink->push_back(t);
}

void SetColour(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, Colour c) {
    SetColour(cr, c);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

// One-pixel lines along pixel centres.
void HLine(cairo_t* cr, double x0, double x1, double y, Colour c) {
    SetColour(cr, c);
    cairo_move_to(cr, x0, y + 0.5);
    cairo_line_to(cr, x1, y + 0.5);
    cairo_stroke(cr);
}
void VLine(cairo_t* cr, double x, double y0, double y1, Colour c) {
    SetColour(cr, c);
    cairo_move_to(cr, x + 0.5, y0);
    cairo_line_to(cr, x + 0.5, y1);
    cairo_stroke(cr);
}

// A frame of two lines on each side: top-left colours, then bottom-right.
void Frame(cairo_t* cr, int l, int t, int r, int b, Colour outerTl, Colour outerBr, Colour innerTl,
           Colour innerBr) {
    HLine(cr, l, r - 1, t, outerTl);
    VLine(cr, l, t, b - 1, outerTl);
    HLine(cr, l, r, b - 1, outerBr);
    VLine(cr, r - 1, t, b, outerBr);
    HLine(cr, l + 1, r - 2, t + 1, innerTl);
    VLine(cr, l + 1, t + 1, b - 2, innerTl);
    HLine(cr, l + 1, r - 1, b - 2, innerBr);
    VLine(cr, r - 2, t + 1, b - 1, innerBr);
}

// A caption with its mnemonic: "&" underlines the next character, "&&"
// stands for a single "&".
struct Mnemonic {
    std::string text;
    int underline = -1;  // byte index in text
};

Mnemonic ParseMnemonic(const std::string& caption) {
    Mnemonic m;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && m.underline < 0) m.underline = static_cast<int>(m.text.size());
        }
        m.text += caption[i];
    }
    return m;
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t ext;
    cairo_text_extents(cr, Shown(text).c_str(), &ext);
    return ext.x_advance;
}

// Shows a caption with its baseline at y and returns its width.
double ShowCaption(cairo_t* cr, const std::string& caption, double x, double y, Colour c) {
    Mnemonic m = ParseMnemonic(caption);
    SetColour(cr, c);
    ShowText(cr, x, y, m.text);
    if (m.underline >= 0) {
        double from = x + TextWidth(cr, m.text.substr(0, m.underline));
        double to = from + TextWidth(cr, m.text.substr(m.underline, 1));
        HLine(cr, from, to, y + 1, c);
    }
    return TextWidth(cr, m.text);
}

// The baseline that centres a line of text between top and bottom, as a
// button centres its caption: the line's top at whole pixels.
double Baseline(cairo_t* cr, int top, int bottom) {
    return top + static_cast<int>((bottom - top - FontHeight(cr)) / 2) + FontAscent(cr);
}

void ClipTo(cairo_t* cr, const vx::Rect& r) {
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr);
}

// Left-aligned text broken into lines at blanks, as a static text control does.
void DrawText(cairo_t* cr, const ControlView& c) {
    cairo_save(cr);
    ClipTo(cr, c.rect);
    double width = c.rect.right - c.rect.left;
    std::vector<std::string> lines;
    std::string line, word;
    std::string text = ParseMnemonic(c.caption).text + " ";
    for (char ch : text) {
        if (ch != ' ') {
            word += ch;
            continue;
        }
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, candidate) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        word.clear();
    }
    if (!line.empty()) lines.push_back(line);
    double y = c.rect.top + FontAscent(cr);
    for (const std::string& l : lines) {
        SetColour(cr, kBlack);
        ShowText(cr, c.rect.left, y, l);
        y += FontHeight(cr);
    }
    cairo_restore(cr);
}

// The icon: resource 113 at its own size (an icon control takes the size
// of its icon), its top left corner at the control's.
void DrawIcon(cairo_t* cr, const ControlView& c) {
    const IconImage& icon = PageIcon();
    if (icon.width == 0) return;
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, icon.width, icon.height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_surface_flush(image);
    unsigned char* bytes = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < icon.height; ++y) {
        // Alpha is 0 or 255, so the colours need no premultiplying.
        auto* row = reinterpret_cast<uint32_t*>(bytes + static_cast<size_t>(y) * stride);
        for (int x = 0; x < icon.width; ++x) {
            row[x] = icon.pixels[static_cast<size_t>(y) * icon.width + x];
        }
    }
    cairo_surface_mark_dirty(image);
    cairo_save(cr);
    cairo_set_source_surface(cr, image, c.rect.left, c.rect.top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, c.rect.left, c.rect.top, icon.width, icon.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

void DrawPushButton(cairo_t* cr, const ControlView& c) {
    const vx::Rect& r = c.rect;
    FillRect(cr, r.left, r.top, r.right - r.left, r.bottom - r.top, kFace);
    Frame(cr, r.left, r.top, r.right, r.bottom, kWhite, kBlack, kLight, kShadow);
    cairo_save(cr);
    ClipTo(cr, r);
    double w = TextWidth(cr, ParseMnemonic(c.caption).text);
    ShowCaption(cr, c.caption, (r.left + r.right - w) / 2.0, Baseline(cr, r.top, r.bottom), kBlack);
    cairo_restore(cr);
}

void DrawGroupBox(cairo_t* cr, const ControlView& c) {
    const vx::Rect& r = c.rect;
    double lineY = r.top + static_cast<int>(FontHeight(cr) / 2);
    // Etched frame: a shadow line with a white one below and right of it.
    SetColour(cr, kShadow);
    cairo_rectangle(cr, r.left + 0.5, lineY + 0.5, r.right - r.left - 2, r.bottom - lineY - 2);
    cairo_stroke(cr);
    SetColour(cr, kWhite);
    cairo_rectangle(cr, r.left + 1.5, lineY + 1.5, r.right - r.left - 2, r.bottom - lineY - 2);
    cairo_stroke(cr);
    if (c.caption.empty()) return;
    cairo_save(cr);
    ClipTo(cr, r);
    double w = TextWidth(cr, ParseMnemonic(c.caption).text);
    FillRect(cr, r.left + 7, r.top, w + 4, FontHeight(cr), kFace);
    ShowCaption(cr, c.caption, r.left + 9, r.top + FontAscent(cr), kBlack);
    cairo_restore(cr);
}

void DrawCheckGlyph(cairo_t* cr, double x, double y, bool checked) {
    FillRect(cr, x, y, kBoxSize, kBoxSize, kWhite);
    Frame(cr, x, y, x + kBoxSize, y + kBoxSize, kShadow, kWhite, kBlack, kLight);
    if (!checked) return;
    SetColour(cr, kBlack);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x + 3, y + 6);
    cairo_line_to(cr, x + 5.5, y + 8.5);
    cairo_line_to(cr, x + 10, y + 3.5);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
}

void DrawRadioGlyph(cairo_t* cr, double x, double y, bool checked) {
    double cx = x + 6, cy = y + 6;
    SetColour(cr, kWhite);
    cairo_arc(cr, cx, cy, 5.5, 0, 6.2832);
    cairo_fill(cr);
    // Sunken ring: dark on the upper left, light on the lower right.
    SetColour(cr, kShadow);
    cairo_arc(cr, cx, cy, 5.5, 2.356, 5.498);
    cairo_stroke(cr);
    SetColour(cr, kWhite);
    cairo_arc(cr, cx, cy, 5.5, 5.498, 2.356 + 6.2832);
    cairo_stroke(cr);
    SetColour(cr, kBlack);
    cairo_arc(cr, cx, cy, 4.5, 2.356, 5.498);
    cairo_stroke(cr);
    if (!checked) return;
    cairo_arc(cr, cx, cy, 2, 0, 6.2832);
    cairo_fill(cr);
}

void DrawButton(cairo_t* cr, const ControlView& c, bool radio) {
    const vx::Rect& r = c.rect;
    cairo_save(cr);
    ClipTo(cr, r);
    double glyphY = r.top + ((r.bottom - r.top) - kBoxSize) / 2;
    if (radio) {
        DrawRadioGlyph(cr, r.left, glyphY, c.checked);
    } else {
        DrawCheckGlyph(cr, r.left, glyphY, c.checked);
    }
    ShowCaption(cr, c.caption, r.left + kBoxSize + 4, Baseline(cr, r.top, r.bottom), kBlack);
    cairo_restore(cr);
}

void DrawControl(cairo_t* cr, const ControlView& c) {
    if (c.kind == "Text") {
        DrawText(cr, c);
    } else if (c.kind == "Icon") {
        DrawIcon(cr, c);
    } else if (c.kind == "PushButton") {
        DrawPushButton(cr, c);
    } else if (c.kind == "Group") {
        DrawGroupBox(cr, c);
    } else if (c.kind == "Check" || c.kind == "Radio") {
        DrawButton(cr, c, c.kind == "Radio");
    }
}

}  // namespace

void DrawPage(cairo_t* cr, const PageSnapshot& page, std::vector<PlacedText>* texts) {
    cairo_set_user_data(cr, &kTextSinkKey, texts, nullptr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    FillRect(cr, 0, 0, page.width, page.height, kFace);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_line_width(cr, 1);
    UseDialogFont(cr);
    for (const ControlView& c : page.templateControls) DrawControl(cr, c);
    for (const ControlView& c : page.controls) DrawControl(cr, c);
}

}  // namespace vexaro
