#pragma once

#include "render/graphics.h"

#include <memory>
#include <optional>
#include <string_view>

// A font size from the layout, as the fonts are made from it. The page is
// stretched to the window, so a font of a few pages' size, or a page a
// fraction of a unit wide, asks for glyphs millions of pixels high: the
// drawing library then fails, or takes gigabytes and seconds per frame.
//
// Sizes are held to kMaxFontSizePerPageSide times the page's shorter side
// (page units), which keeps every glyph within that many windows. Sizes of
// 0 or less make no font, and the text in it is not drawn: GDI+ refuses such
// fonts, and elsewhere a negative size would draw the text mirrored.
inline constexpr float kMaxFontSizePerPageSide = 2;

std::optional<float> usableFontSize(float size, float pageWidth, float pageHeight);

// The one way a font of the page is made: at its usable size, or null.
std::unique_ptr<Font> makePageFont(FontFactory&, std::string_view face, float size, int style, float pageWidth, float pageHeight);
