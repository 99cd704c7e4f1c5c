#pragma once

#include "render/graphics.h"

#include <optional>
#include <string_view>

// An ECAM message "!TITLE! REST": the title is drawn underlined and the rest
// follows it on the same line. Text before the first '!' is not shown.
struct EcamTitledText {
    std::u16string_view title;
    std::u16string_view remainder; // after the closing '!', its leading blank included
};

// The title and remainder of a text with a '!' pair; nullopt when the text
// has no '!' or no closing '!' (such a text is drawn whole).
std::optional<EcamTitledText> splitEcamTitle(std::u16string_view text);

// Draws one message line at position (top left): the title with the
// underlined font and the remainder right after it with the alert font, or
// the whole text with the alert font when there is no title or no underlined
// font.
void drawEcamAlertLine(Graphics&, std::u16string_view text, PointF position, Font const& alertFont,
    Font const* underlinedFont, Brush const&);
