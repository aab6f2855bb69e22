#include "Render.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <memory>

#include "DialogFont.h"
#include "Files.h"
#include "PageDrawing.h"

namespace vexaro {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

bool Failed(cairo_status_t status, std::string* error) {
    if (status == CAIRO_STATUS_SUCCESS) return false;
    *error = std::string("cannot draw the page: ") + cairo_status_to_string(status);
    return true;
}

cairo_status_t AppendTo(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// Draws onto the surface and flushes it.
bool Draw(cairo_surface_t* surface, const PageSnapshot& page, std::vector<PlacedText>* texts,
          std::string* error) {
    if (Failed(cairo_surface_status(surface), error)) return false;
    {
        Context cr(cairo_create(surface));
        DrawPage(cr.get(), page, texts);
        if (Failed(cairo_status(cr.get()), error)) return false;
    }
    cairo_surface_flush(surface);
    return !Failed(cairo_surface_status(surface), error);
}

// Lets cairo and fontconfig drop the caches they keep for the process, once
// the picture is done and its surface gone.
void ReleaseFontCaches() {
    ReleaseDialogFont();
    cairo_debug_reset_static_data();
    FcFini();
}

// Text for XML: markup characters escaped, and characters that XML cannot
// carry (control characters, broken UTF-8) shown as U+FFFD.
std::string XmlText(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80         ? 1
                        : (c >> 5) == 6  ? 2
                        : (c >> 4) == 14 ? 3
                        : (c >> 3) == 30 ? 4
                                         : 0;
        bool valid = length != 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (!valid || (c < 0x20 && c != '\t')) {
            out += "\uFFFD";
            i += valid ? length : 1;
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

std::string Number(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", value);
    return buf;
}

}  // namespace

std::string AddSvgTexts(const std::string& svg, const std::vector<PlacedText>& texts,
                        double fontPixels) {
    const size_t end = svg.rfind("</svg>");
    if (end == std::string::npos || texts.empty()) return svg;
    std::string add = "<g font-family=\"'" + std::string(kDialogFontFamily) +
                      "', 'Microsoft Sans Serif', sans-serif\" font-size=\"" + Number(fontPixels) +
                      "px\" xml:space=\"preserve\">\n";
    for (size_t i = 0; i < texts.size(); ++i) {
        const PlacedText& t = texts[i];
        const std::string id = "vexaro-text-clip-" + std::to_string(i);
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", static_cast<int>(t.red * 255 + 0.5),
                      static_cast<int>(t.green * 255 + 0.5), static_cast<int>(t.blue * 255 + 0.5));
        add += "<clipPath id=\"" + id + "\"><rect x=\"" + Number(t.clipLeft) + "\" y=\"" +
               Number(t.clipTop) + "\" width=\"" + Number(t.clipRight - t.clipLeft) +
               "\" height=\"" + Number(t.clipBottom - t.clipTop) + "\"/></clipPath>\n";
        add += "<text x=\"" + Number(t.x) + "\" y=\"" + Number(t.y) + "\" fill=\"" + colour +
               "\" clip-path=\"url(#" + id + ")\">" + XmlText(t.text) + "</text>\n";
    }
    add += "</g>\n";
    return svg.substr(0, end) + add + svg.substr(end);
}

bool RenderSvg(const PageSnapshot& page, const std::string& path, std::ostream& out,
               std::string* error) {
    std::string bytes;
    std::vector<PlacedText> texts;
    bool ok;
    {
        Surface surface(
            cairo_svg_surface_create_for_stream(AppendTo, &bytes, page.width, page.height));
        cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
        ok = Draw(surface.get(), page, &texts, error);
        cairo_surface_finish(surface.get());
        ok = ok && !Failed(cairo_surface_status(surface.get()), error);
    }
    const double fontPixels = LoadDialogFont().pixelSize;
    ReleaseFontCaches();
    return ok && WriteOutput(path, AddSvgTexts(bytes, texts, fontPixels), out, error);
}

bool RenderPng(const PageSnapshot& page, const std::string& path, std::ostream& out,
               std::string* error) {
    std::string bytes;
    bool ok;
    {
        Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.width, page.height));
        ok = Draw(surface.get(), page, nullptr, error) &&
             !Failed(cairo_surface_write_to_png_stream(surface.get(), AppendTo, &bytes), error);
    }
    ReleaseFontCaches();
    return ok && WriteOutput(path, bytes, out, error);
}

}  // namespace vexaro
