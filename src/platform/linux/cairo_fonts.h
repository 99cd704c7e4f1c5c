#pragma once

#include "render/graphics.h"

#include <memory>

typedef struct _cairo_font_face cairo_font_face_t;
typedef struct FT_LibraryRec_* FT_Library;

// Design metrics of a face, in font units.
struct CairoFontMetrics {
    float emHeight = 2048;
    float cellAscent = 1854;
    float lineSpacing = 2355;
    float underlinePosition = -217; // centre of the stroke, negative below the baseline
    float underlineThickness = 150;
};

// A font realised through fontconfig and FreeType, drawn by Cairo.
class CairoFont final : public Font {
public:
    CairoFont(std::string face, float size, int style, cairo_font_face_t* cairoFace, CairoFontMetrics const& metrics);
    ~CairoFont() override;

    float emHeight() const override { return m_metrics.emHeight; }
    float cellAscent() const override { return m_metrics.cellAscent; }
    CairoFontMetrics const& metrics() const { return m_metrics; }
    cairo_font_face_t* cairoFace() const { return m_cairoFace; }
    // Design units to page units at this font's size.
    float scale() const { return size() / m_metrics.emHeight; }

private:
    cairo_font_face_t* m_cairoFace;
    CairoFontMetrics m_metrics;
};

// Resolves faces through fontconfig. The Windows faces the layouts name map
// to their metric-compatible Liberation faces ("Arial" to "Liberation Sans",
// "Courier" and "Courier New" to "Liberation Mono", "Times New Roman" to
// "Liberation Serif"). A face counts as installed when fontconfig's match has
// that family; otherwise the font falls back to the generic sans-serif family
// and reports that family's name as its face.
class CairoFontFactory final : public FontFactory {
public:
    CairoFontFactory();
    ~CairoFontFactory() override;
    CairoFontFactory(CairoFontFactory const&) = delete;
    CairoFontFactory& operator=(CairoFontFactory const&) = delete;

    std::unique_ptr<Font> createFont(std::string_view face, float size, int style) override;

private:
    FT_Library m_freetype = nullptr;
};
