#include "DialogFont.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <cstring>
#include <vector>

namespace vexaro {

namespace {

constexpr int kDialogPixels = 13;       // 8 points at 96 dots per inch
constexpr double kSubstituteSize = 10;  // a sans-serif font about as wide

// Where Wine's fonts lie: the folder found when the tool was built, then
// the usual places of Wine packages. VEXARO_DIALOG_FONT names a file to
// use instead.
std::vector<std::string> Candidates() {
    std::vector<std::string> files;
    const char* chosen = std::getenv("VEXARO_DIALOG_FONT");
    if (chosen != nullptr && *chosen != '\0') files.push_back(chosen);
#ifdef VEXARO_WINE_FONT
    files.push_back(VEXARO_WINE_FONT);
#endif
    for (const char* folder :
         {"/usr/share/wine/fonts", "/usr/lib/wine/fonts", "/usr/local/share/wine/fonts",
          "/opt/wine-stable/share/wine/fonts", "/usr/share/fonts/wine"}) {
        files.push_back(std::string(folder) + "/ms_sans_serif.ttf");
    }
    return files;
}

struct Loaded {
    FT_Library library = nullptr;
    DialogFont font;
    bool tried = false;
};

Loaded& State() {
    static Loaded state;
    return state;
}

void DoneFace(void* face) {
    FT_Done_Face(static_cast<FT_Face>(face));
}

const cairo_user_data_key_t kFaceKey = {};

// A face of the dialog family that can draw 13 pixels high, as a bitmap
// strike or as outlines.
bool Fits(FT_Face face) {
    if (face->family_name == nullptr || std::strcmp(face->family_name, kDialogFontFamily) != 0) {
        return false;
    }
    if (FT_IS_SCALABLE(face)) return true;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
        if (face->available_sizes[i].y_ppem == kDialogPixels * 64) return true;
    }
    return false;
}

}  // namespace

const DialogFont& LoadDialogFont() {
    Loaded& s = State();
    if (s.tried) return s.font;
    s.tried = true;
    s.font = DialogFont{nullptr, kSubstituteSize, ""};
    if (s.library == nullptr && FT_Init_FreeType(&s.library) != 0) {
        s.library = nullptr;
        return s.font;
    }
    for (const std::string& file : Candidates()) {
        FT_Face face = nullptr;
        if (FT_New_Face(s.library, file.c_str(), 0, &face) != 0) continue;
        if (!Fits(face)) {
            FT_Done_Face(face);
            continue;
        }
        cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
        if (cairo_font_face_set_user_data(cairoFace, &kFaceKey, face, DoneFace) !=
            CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(cairoFace);
            FT_Done_Face(face);
            continue;
        }
        s.font = DialogFont{cairoFace, kDialogPixels, file};
        break;
    }
    return s.font;
}

void ReleaseDialogFont() {
    Loaded& s = State();
    // The FreeType face goes when cairo lets go of it, which may be only
    // when its caches are emptied; the library stays for the process.
    if (s.font.face != nullptr) cairo_font_face_destroy(s.font.face);
    s.font = DialogFont{};
    s.tried = false;
}

void UseDialogFont(cairo_t* cr) {
    const DialogFont& font = LoadDialogFont();
    if (font.face != nullptr) {
        cairo_set_font_face(cr, font.face);
    } else {
        cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    }
    cairo_set_font_size(cr, font.pixelSize);
}

}  // namespace vexaro
