#include "Render.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>

#include "PageDrawing.h"
#include "platform/host/AtomicFile.h"

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

bool Failed(cairo_status_t status, const std::string& path, std::string* error) {
    if (status == CAIRO_STATUS_SUCCESS) return false;
    *error = "cannot write " + path + ": " + cairo_status_to_string(status);
    return true;
}

// Draws onto the surface and finishes it; the surface's own status tells
// whether its file could be written.
bool Draw(cairo_surface_t* surface, const PageSnapshot& page, const std::string& path,
          std::string* error) {
    if (Failed(cairo_surface_status(surface), path, error)) return false;
    {
        Context cr(cairo_create(surface));
        DrawPage(cr.get(), page);
        if (Failed(cairo_status(cr.get()), path, error)) return false;
    }
    cairo_surface_flush(surface);
    return !Failed(cairo_surface_status(surface), path, error);
}

// Lets cairo and fontconfig drop the caches they keep for the process, once
// the picture is done and its surface gone.
void ReleaseFontCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// "cannot write PATH: reason".
bool Save(const std::string& path, const std::string& bytes, std::string* error) {
    std::string reason;
    if (vx::WriteFileAtomically(path, bytes, &reason)) return true;
    const size_t colon = reason.rfind(": ");
    *error = "cannot write " + path +
             (colon == std::string::npos ? std::string() : reason.substr(colon));
    return false;
}

// The picture is made in memory and then replaces the file whole, so that
// a failure leaves no part of a picture behind.
bool WriteSvg(const PageSnapshot& page, const std::string& path, std::string* error) {
    std::string bytes;
    {
        Surface surface(
            cairo_svg_surface_create_for_stream(Collect, &bytes, page.width, page.height));
        if (!Draw(surface.get(), page, path, error)) return false;
        cairo_surface_finish(surface.get());
        if (Failed(cairo_surface_status(surface.get()), path, error)) return false;
    }
    return Save(path, bytes, error);
}

bool WritePng(const PageSnapshot& page, const std::string& path, std::string* error) {
    std::string bytes;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.width, page.height));
    if (!Draw(surface.get(), page, path, error)) return false;
    if (Failed(cairo_surface_write_to_png_stream(surface.get(), Collect, &bytes), path, error)) {
        return false;
    }
    return Save(path, bytes, error);
}

}  // namespace

bool RenderSvg(const PageSnapshot& page, const std::string& path, std::string* error) {
    bool ok = WriteSvg(page, path, error);
    ReleaseFontCaches();
    return ok;
}

bool RenderPng(const PageSnapshot& page, const std::string& path, std::string* error) {
    bool ok = WritePng(page, path, error);
    ReleaseFontCaches();
    return ok;
}

}  // namespace vexaro
