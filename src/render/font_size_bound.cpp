#include "render/font_size_bound.h"

#include <algorithm>
#include <cmath>

std::optional<float> usableFontSize(float size, float pageWidth, float pageHeight)
{
    if (!(size > 0) || !std::isfinite(size))
        return std::nullopt;
    return std::min(size, kMaxFontSizePerPageSide * std::min(pageWidth, pageHeight));
}
