#pragma once

#include "render/graphics.h"

#include <memory>
#include <string>
#include <string_view>

namespace Gdiplus {
class GpFont;
class GpFontFamily;
}

// A GDI+ font in pixel units, with the em height and cell ascent of its family
// for its style taken when it is made.
class GdiplusFont final : public Font {
public:
    GdiplusFont(Gdiplus::GpFont* font, std::string face, float size, int style, float emHeight, float cellAscent);
    ~GdiplusFont() override;

    float emHeight() const override { return m_emHeight; }
    float cellAscent() const override { return m_cellAscent; }

    Gdiplus::GpFont* native() const { return m_font; }

private:
    Gdiplus::GpFont* m_font;
    float m_emHeight;
    float m_cellAscent;
};

// Makes fonts from a face name; a face that is not installed, or a font that
// cannot be made from it, falls back to the generic sans-serif family. GDI+
// must run for the factory's whole life.
class GdiplusFontFactory final : public FontFactory {
public:
    GdiplusFontFactory() = default;
    ~GdiplusFontFactory() override = default;
    GdiplusFontFactory(GdiplusFontFactory const&) = delete;
    GdiplusFontFactory& operator=(GdiplusFontFactory const&) = delete;

    std::unique_ptr<Font> createFont(std::string_view face, float size, int style) override;

private:
    // Made on first use and kept: GDI+ hands out one shared generic family.
    Gdiplus::GpFontFamily* sansSerif();
    std::unique_ptr<Font> fontFromFamily(Gdiplus::GpFontFamily*, std::string face, float size, int style);

    Gdiplus::GpFontFamily* m_sansSerif = nullptr;
};
