#include "ewd/thrust_block.h"

#include "config/profile_reader.h"
#include "gauges/number_text.h"
#include "render/text_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace {

constexpr std::u16string_view kMissing = u"XX";
constexpr int kMaxDecimals = 3;

std::u16string_view modeText(ThrustLimitCode mode)
{
    switch (mode) {
    case ThrustLimitCode::Climb:
        return u"CL";
    case ThrustLimitCode::MaxContinuous:
        return u"MCT";
    case ThrustLimitCode::Flex:
        return u"FLX";
    case ThrustLimitCode::TakeOffGoAround:
        return u"TOGA";
    case ThrustLimitCode::MaxReverse:
        return u"MREV";
    case ThrustLimitCode::None:
        break;
    }
    return kMissing;
}

StringFormat aligned(StringAlignment align)
{
    StringFormat format;
    format.align = align;
    return format;
}

PointF offsetBy(PointF at, PointF offset)
{
    return { at.x + offset.x, at.y + offset.y };
}

void drawLimitBlock(Graphics& graphics, ThrustIndications const& shown, ThrustBlockLayout const& layout, ThrustBlockPaint const& paint,
    CeprMapping const* eprFromN1)
{
    Font const& font = *paint.font;
    StringFormat const left = aligned(StringAlignment::Near);
    StringFormat const right = aligned(StringAlignment::Far);
    bool const known = shown.mode != ThrustLimitCode::None;
    drawTextAtBaseline(graphics, modeText(shown.mode), font, layout.limitPosition, left, known ? *paint.mode : *paint.missing);
    if (!known)
        return;

    PointF const valueAt = offsetBy(layout.limitPosition, layout.limitValueOffset);
    if (shown.n1Limit && std::isfinite(*shown.n1Limit)) {
        std::array<char16_t, 12> digits {};
        double const limit = eprFromN1 ? commandedEpr(*shown.n1Limit, *eprFromN1) : *shown.n1Limit;
        std::size_t const length = writeFixed(limit, layout.decimals, digits);
        drawTextAtBaseline(graphics, { digits.data(), length }, font, valueAt, right, *paint.value);
    } else {
        drawTextAtBaseline(graphics, kMissing, font, valueAt, right, *paint.missing);
    }
    drawTextAtBaseline(graphics, layout.unit, font, valueAt, left, *paint.mode);

    if (shown.mode != ThrustLimitCode::Flex)
        return;
    PointF const flexAt = offsetBy(layout.limitPosition, layout.flexOffset);
    if (!shown.flexTemp || !std::isfinite(*shown.flexTemp)) {
        drawTextAtBaseline(graphics, kMissing, font, flexAt, left, *paint.missing);
        return;
    }
    // "+58°C": signed whole degrees.
    std::array<char16_t, 16> text {};
    std::size_t length = 0;
    text[length++] = *shown.flexTemp < 0 ? u'-' : u'+';
    length += writeFixed(std::fabs(*shown.flexTemp), 0, std::span(text).subspan(length, 9));
    text[length++] = u'\u00B0';
    text[length++] = u'C';
    drawTextAtBaseline(graphics, { text.data(), length }, font, flexAt, left, *paint.mode);
}

} // namespace

ThrustBlockLayout readThrustBlockLayout(ProfileReader const& reader)
{
    ThrustBlockLayout layout;
    std::optional<PointF> const limit = reader.readOptionalPoint("ThrustLimitPosition");
    layout.limitShown = limit.has_value();
    layout.limitPosition = limit.value_or(PointF {});
    layout.limitValueOffset = reader.readPoint("ThrustLimitValueOffset", "170,0");
    layout.flexOffset = reader.readPoint("ThrustLimitFlexOffset", "0,35");
    layout.decimals = std::clamp(reader.readInt("ThrustLimitDecimals", 1), 0, kMaxDecimals);
    layout.unit = reader.readWideString("ThrustLimitUnit", u"%");
    layout.face = reader.readRaw("ThrustLimitFont").value_or("Arial");
    layout.fontSize = reader.readPositiveFloat("ThrustLimitFontSize", layout.fontSize);

    std::optional<PointF> const idle = reader.readOptionalPoint("IdlePosition");
    layout.idleShown = idle.has_value();
    layout.idlePosition = idle.value_or(PointF {});
    layout.settings.idleN1 = reader.readDouble("IdleN1", layout.settings.idleN1);
    std::optional<PointF> const alphaFloor = reader.readOptionalPoint("AlphaFloorPosition");
    layout.alphaFloorShown = alphaFloor.has_value();
    layout.alphaFloorPosition = alphaFloor.value_or(PointF {});

    ThrustLeverDetents& detents = layout.settings.detents;
    detents.climb = reader.readDouble("ThrottleClimbDetent", detents.climb);
    detents.flexMct = reader.readDouble("ThrottleFlexMctDetent", detents.flexMct);
    detents.toga = reader.readDouble("ThrottleTogaDetent", detents.toga);
    detents.reverse = reader.readDouble("ThrottleReverseDetent", detents.reverse);
    return layout;
}

void drawThrustBlock(Graphics& graphics, ThrustIndications const& shown, ThrustBlockLayout const& layout, ThrustBlockPaint const& paint,
    CeprMapping const* eprFromN1)
{
    if (paint.font == nullptr || paint.mode == nullptr || paint.value == nullptr || paint.missing == nullptr)
        return;
    if (layout.limitShown)
        drawLimitBlock(graphics, shown, layout, paint, eprFromN1);
    if (layout.idleShown && shown.idle)
        drawTextAtBaseline(graphics, u"IDLE", *paint.font, layout.idlePosition, aligned(StringAlignment::Center), *paint.value);
    if (layout.alphaFloorShown && shown.alphaFloor)
        drawTextAtBaseline(graphics, u"A.FLOOR", *paint.font, layout.alphaFloorPosition, aligned(StringAlignment::Near), *paint.missing);
}
