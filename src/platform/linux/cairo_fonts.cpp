#include "platform/linux/cairo_fonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Windows faces and the installed faces with the same metrics.
struct MetricCompatibleFace {
    std::string_view windowsFace;
    std::string_view family;
};

constexpr std::array<MetricCompatibleFace, 4> kMetricCompatibleFaces { {
    { "Arial", "Liberation Sans" },
    { "Courier", "Liberation Mono" },
    { "Courier New", "Liberation Mono" },
    { "Times New Roman", "Liberation Serif" },
} };

constexpr char const* kGenericSansSerif = "sans-serif";

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    auto const lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view familyToAskFor(std::string_view face)
{
    for (MetricCompatibleFace const& row : kMetricCompatibleFaces) {
        if (equalIgnoringCase(row.windowsFace, face))
            return row.family;
    }
    return face;
}

// The best installed match for a family in the style, or null.
FcPattern* matchFamily(std::string_view family, int style)
{
    FcPattern* pattern = FcPatternCreate();
    std::string const name(family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8 const*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & FontStyleBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & FontStyleItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

bool matchHasFamily(FcPattern* match, std::string_view family)
{
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (equalIgnoringCase(reinterpret_cast<char const*>(value), family))
            return true;
    }
    return false;
}

std::string firstFamily(FcPattern* match)
{
    FcChar8* value = nullptr;
    return FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch ? reinterpret_cast<char const*>(value) : kGenericSansSerif;
}

// Reads the design metrics from the font file itself. Cell ascent is the
// Windows ascent, as GDI+ takes it.
bool readMetrics(FT_Library library, char const* file, int index, CairoFontMetrics& metrics)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, file, index, &face) != 0)
        return false;
    bool const scalable = FT_IS_SCALABLE(face) && face->units_per_EM > 0;
    if (scalable) {
        auto const* os2 = static_cast<TT_OS2 const*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        metrics.emHeight = face->units_per_EM;
        metrics.cellAscent = os2 && os2->usWinAscent > 0 ? os2->usWinAscent : face->ascender;
        metrics.lineSpacing = face->height;
        metrics.underlinePosition = face->underline_position;
        metrics.underlineThickness = std::max<float>(face->underline_thickness, 1);
    }
    FT_Done_Face(face);
    return scalable;
}

} // namespace

CairoFont::CairoFont(std::string face, float size, int style, cairo_font_face_t* cairoFace, CairoFontMetrics const& metrics)
    : Font(std::move(face), size, style)
    , m_cairoFace(cairoFace)
    , m_metrics(metrics)
{
}

CairoFont::~CairoFont()
{
    cairo_font_face_destroy(m_cairoFace);
}

CairoFontFactory::CairoFontFactory()
{
    FcInit();
    if (FT_Init_FreeType(&m_freetype) != 0)
        m_freetype = nullptr;
}

CairoFontFactory::~CairoFontFactory()
{
    if (m_freetype)
        FT_Done_FreeType(m_freetype);
}

std::unique_ptr<Font> CairoFontFactory::createFont(std::string_view face, float size, int style)
{
    if (!m_freetype)
        return nullptr;
    std::string reportedFace(face);
    FcPattern* match = matchFamily(familyToAskFor(face), style);
    if (!match || !(matchHasFamily(match, face) || matchHasFamily(match, familyToAskFor(face)))) {
        if (match)
            FcPatternDestroy(match);
        match = matchFamily(kGenericSansSerif, style);
        if (!match)
            return nullptr;
        reportedFace = firstFamily(match);
    }

    FcChar8* file = nullptr;
    int index = 0;
    CairoFontMetrics metrics;
    bool const usable = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch
        && (FcPatternGetInteger(match, FC_INDEX, 0, &index), readMetrics(m_freetype, reinterpret_cast<char const*>(file), index, metrics));
    if (!usable) {
        FcPatternDestroy(match);
        return nullptr;
    }
    // Only the file goes to Cairo: hinting and the rest come from the
    // drawing's own font options, the same for every face.
    FcPattern* fileOnly = FcPatternBuild(nullptr, FC_FILE, FcTypeString, file, FC_INDEX, FcTypeInteger, index, nullptr);
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_pattern(fileOnly);
    FcPatternDestroy(fileOnly);
    FcPatternDestroy(match);
    if (cairo_font_face_status(cairoFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(cairoFace);
        return nullptr;
    }
    return std::make_unique<CairoFont>(std::move(reportedFace), size, style, cairoFace, metrics);
}
