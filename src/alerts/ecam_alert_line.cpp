#include "alerts/ecam_alert_line.h"

#include <array>
#include <cmath>

namespace {

// Message lines use no string format: the origin is the text's top left.
StringFormat const kPlain;

constexpr std::size_t kMaxDots = 60;
constexpr std::array<char16_t, kMaxDots> kDots = [] {
    std::array<char16_t, kMaxDots> dots {};
    dots.fill(u'.');
    return dots;
}();

std::u16string_view dots(std::size_t count)
{
    return { kDots.data(), std::min(count, kMaxDots) };
}

struct MemoParts {
    std::u16string_view item;
    std::u16string_view action;
};

MemoParts splitAction(std::u16string_view body)
{
    auto const mark = body.find(kEcamActionMark);
    if (mark == std::u16string_view::npos)
        return { body, {} };
    return { body.substr(0, mark), body.substr(mark + 1) };
}

float width(Graphics& graphics, std::u16string_view text, Font const& font)
{
    return graphics.measureString(text, font, {}, kPlain).width;
}

// The width one more dot adds, free of the padding a measured string carries.
float dotAdvance(Graphics& graphics, Font const& font)
{
    constexpr std::size_t kMany = 10;
    constexpr std::size_t kFew = 5;
    return (width(graphics, dots(kMany), font) - width(graphics, dots(kFew), font)) / (kMany - kFew);
}

void drawAction(Graphics& graphics, std::u16string_view action, PointF itemEnd, Font const& font, EcamMemoPaint const& memo)
{
    if (memo.actionBrush == nullptr)
        return;
    float const actionX = memo.actionRight - width(graphics, action, font);
    float const advance = dotAdvance(graphics, font);
    if (advance > 0 && actionX > itemEnd.x) {
        auto const count = static_cast<std::size_t>(std::floor((actionX - itemEnd.x) / advance));
        graphics.drawString(dots(count), font, itemEnd, kPlain, *memo.actionBrush);
    }
    graphics.drawString(action, font, { actionX, itemEnd.y }, kPlain, *memo.actionBrush);
}

} // namespace

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
    Font const* underlinedFont, Brush const& brush, EcamMemoPaint const* memo)
{
    bool const titleHidden = !text.empty() && text.front() == kEcamHiddenTitleMark;
    if (titleHidden)
        text.remove_prefix(1);
    auto const titled = splitEcamTitle(text);
    PointF at = position;
    std::u16string_view body = text;
    if (titled && underlinedFont != nullptr) {
        RectF const titleBox = graphics.measureString(titled->title, *underlinedFont, position, kPlain);
        if (!titleHidden)
            graphics.drawString(titled->title, *underlinedFont, position, kPlain, brush);
        at = { titleBox.x + titleBox.width, position.y };
        body = titled->remainder;
    }
    MemoParts const parts = memo != nullptr ? splitAction(body) : MemoParts { body, {} };
    graphics.drawString(parts.item, alertFont, at, kPlain, brush);
    if (parts.action.empty())
        return;
    RectF const itemBox = graphics.measureString(parts.item, alertFont, at, kPlain);
    drawAction(graphics, parts.action, { itemBox.x + itemBox.width, at.y }, alertFont, *memo);
}

float ecamMemoLineWidth(Graphics& graphics, std::u16string_view text, Font const& alertFont, Font const* underlinedFont)
{
    if (!text.empty() && text.front() == kEcamHiddenTitleMark)
        text.remove_prefix(1);
    auto const titled = splitEcamTitle(text);
    float titleWidth = 0;
    std::u16string_view body = text;
    if (titled && underlinedFont != nullptr) {
        titleWidth = width(graphics, titled->title, *underlinedFont);
        body = titled->remainder;
    }
    MemoParts const parts = splitAction(body);
    if (parts.action.empty())
        return 0;
    return titleWidth + width(graphics, parts.item, alertFont) + 2 * dotAdvance(graphics, alertFont)
        + width(graphics, parts.action, alertFont);
}
