#include "alerts/ecam_alert_line.h"

std::optional<EcamTitledText> splitEcamTitle(std::u16string_view text)
{
    auto const open = text.find(u'!');
    if (open == std::u16string_view::npos)
        return std::nullopt;
    auto const close = text.find(u'!', open + 1);
    if (close == std::u16string_view::npos)
        return std::nullopt;
    return EcamTitledText { text.substr(open + 1, close - open - 1), text.substr(close + 1) };
}

void drawEcamAlertLine(Graphics& graphics, std::u16string_view text, PointF position, Font const& alertFont,
    Font const* underlinedFont, Brush const& brush)
{
    // Message lines use no string format: the origin is the text's top left.
    StringFormat const plain;
    auto const titled = splitEcamTitle(text);
    if (!titled || underlinedFont == nullptr) {
        graphics.drawString(text, alertFont, position, plain, brush);
        return;
    }
    RectF const titleBox = graphics.measureString(titled->title, *underlinedFont, position, plain);
    graphics.drawString(titled->title, *underlinedFont, position, plain, brush);
    graphics.drawString(titled->remainder, alertFont, { titleBox.x + titleBox.width, position.y }, plain, brush);
}
