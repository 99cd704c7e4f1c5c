#include "platform/win32/gdiplus_fonts.h"

#include "platform/win32/gdiplus_api.h"
#include "platform/win32/text_encoding.h"

GdiplusFont::GdiplusFont(gdip::GpFont* font, std::string face, float size, int style, float emHeight, float cellAscent)
    : Font(std::move(face), size, style)
    , m_font(font)
    , m_emHeight(emHeight)
    , m_cellAscent(cellAscent)
{
}

GdiplusFont::~GdiplusFont()
{
    gdip::GdipDeleteFont(m_font);
}

namespace {

std::string familyName(gdip::GpFontFamily* family)
{
    WCHAR name[LF_FACESIZE] = {};
    if (gdip::GdipGetFamilyName(family, name, LANG_NEUTRAL) != gdip::Ok)
        return {};
    return narrowFromWide(name);
}

} // namespace

std::unique_ptr<Font> GdiplusFontFactory::createFont(std::string_view face, float size, int style)
{
    std::wstring const wideFace = wideFromAnsi(face);
    gdip::GpFontFamily* named = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(wideFace.c_str(), nullptr, &named) != gdip::Ok)
        named = nullptr;

    std::unique_ptr<Font> font;
    if (named != nullptr)
        font = fontFromFamily(named, std::string(face), size, style);
    if (font == nullptr) {
        if (gdip::GpFontFamily* const fallback = sansSerif())
            font = fontFromFamily(fallback, familyName(fallback), size, style);
    }
    if (named != nullptr)
        gdip::GdipDeleteFontFamily(named);
    return font;
}

gdip::GpFontFamily* GdiplusFontFactory::sansSerif()
{
    if (m_sansSerif == nullptr && gdip::GdipGetGenericFontFamilySansSerif(&m_sansSerif) != gdip::Ok)
        m_sansSerif = nullptr;
    return m_sansSerif;
}

std::unique_ptr<Font> GdiplusFontFactory::fontFromFamily(gdip::GpFontFamily* family, std::string face, float size, int style)
{
    gdip::GpFont* font = nullptr;
    if (gdip::GdipCreateFont(family, size, style, gdip::UnitPixel, &font) != gdip::Ok)
        return nullptr;
    UINT16 emHeight = 0;
    UINT16 cellAscent = 0;
    gdip::GdipGetEmHeight(family, style, &emHeight);
    gdip::GdipGetCellAscent(family, style, &cellAscent);
    // A family without metrics would put the baseline at infinity; treat
    // the whole cell as ascent instead.
    if (emHeight == 0)
        emHeight = cellAscent = 1;
    return std::make_unique<GdiplusFont>(font, std::move(face), size, style, emHeight, cellAscent);
}
