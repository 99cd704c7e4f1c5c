#pragma once

#include "render/graphics.h"

#include <string_view>

// The display's own text operations over the Graphics port.

// Sets both alignments from alignment flags (1 left, 2 centre, 4 right; 8 top,
// 16 baseline, 32 bottom, 64 centre): right wins over centre, bottom over
// centre; left, top and baseline keep near.
StringFormat& applyAlignment(StringFormat& format, int flags);

// Draws the text so that its first line's baseline lies on origin.y, keeping
// the format's horizontal alignment.
void drawTextAtBaseline(Graphics&, std::u16string_view text, Font const&, PointF origin, StringFormat const&, Brush const&);

// Fills the text's bounding box with the background, then draws the text on it.
void drawTextOnBox(Graphics&, std::u16string_view text, Font const&, PointF origin, StringFormat const&,
    Brush const& background, Brush const& foreground);
