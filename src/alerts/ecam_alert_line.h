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

// The lines of the T.O and LDG memos carry two more marks. A '\t' parts the
// item from its action: the action is drawn in the action colour, ending at
// the memo's action column, after a dotted run from the item. A leading '\v'
// keeps the title out of sight but in place, so the item stands where the
// first line's item stands. Other messages have neither mark.
constexpr char16_t kEcamActionMark = u'\t';
constexpr char16_t kEcamHiddenTitleMark = u'\v';

struct EcamMemoPaint {
    Brush const* actionBrush = nullptr;
    // Page x where the actions of the memo lines end.
    float actionRight = 0;
};

// Draws one message line at position (top left): the title with the
// underlined font and the remainder right after it with the alert font, or
// the whole text with the alert font when there is no title or no underlined
// font. With memo paint, memo lines draw their actions.
void drawEcamAlertLine(Graphics&, std::u16string_view text, PointF position, Font const& alertFont,
    Font const* underlinedFont, Brush const&, EcamMemoPaint const* memo = nullptr);

// How far a memo line reaches from its start with its action set off by two
// dots: the action column of a memo is its widest line's. Zero for a line
// without an action.
float ecamMemoLineWidth(Graphics&, std::u16string_view text, Font const& alertFont, Font const* underlinedFont);
