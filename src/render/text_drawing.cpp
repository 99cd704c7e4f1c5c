#include "render/text_drawing.h"

#include "config/profile_reader.h"

StringFormat& applyAlignment(StringFormat& format, int flags)
{
    format.align = StringAlignment::Near;
    format.lineAlign = StringAlignment::Near;
    if (flags & Alignment::Right)
        format.align = StringAlignment::Far;
    else if (flags & Alignment::HCenter)
        format.align = StringAlignment::Center;
    if (flags & Alignment::Bottom)
        format.lineAlign = StringAlignment::Far;
    else if (flags & Alignment::VCenter)
        format.lineAlign = StringAlignment::Center;
    return format;
}

void drawTextAtBaseline(Graphics& graphics, std::u16string_view text, Font const& font, PointF origin, StringFormat const& format, Brush const& brush)
{
    StringFormat topAligned = format;
    topAligned.lineAlign = StringAlignment::Near;
    graphics.drawString(text, font, { origin.x, origin.y - font.ascent() }, topAligned, brush);
}

void drawTextOnBox(Graphics& graphics, std::u16string_view text, Font const& font, PointF origin, StringFormat const& format,
    Brush const& background, Brush const& foreground)
{
    graphics.fillRectangle(background, graphics.measureString(text, font, origin, format));
    graphics.drawString(text, font, origin, format, foreground);
}
