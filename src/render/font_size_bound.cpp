#include "render/font_size_bound.h"

#include <algorithm>
#include <cmath>

std::optional<float> usableFontSize(float size, float pageWidth, float pageHeight)
{
    if (!(size > 0) || !std::isfinite(size))
        return std::nullopt;
    return std::min(size, kMaxFontSizePerPageSide * std::min(pageWidth, pageHeight));
}

std::unique_ptr<Font> makePageFont(FontFactory& fonts, std::string_view face, float size, int style, float pageWidth, float pageHeight)
{
    std::optional<float> const usable = usableFontSize(size, pageWidth, pageHeight);
    return usable ? fonts.createFont(face, *usable, style) : nullptr;
}
