#include "gauges/efis_display.h"
#include "gauges/gauge_scale.h"
#include "gauges/number_text.h"
#include "gauges/table_rows.h"

#include <cmath>

namespace {

// The readout box takes these fractions of the measured sample width.
constexpr float kEngineReadoutWidthRatio = 0.8f;
constexpr float kSingleReadoutWidthRatio = 0.7f;

// A value cut towards zero to a multiple of the gauge's precision, when that
// is more than 1.
double quantised(GaugeRecord const& gauge, double value)
{
    if (gauge.precision > 1)
        return value - std::fmod(value, gauge.precision);
    return value;
}

// The widest text the readout shows: the scale maximum in the readout's
// format, one more character when it has no decimals, all of it zeros.
NumberText readoutSample(GaugeRecord const& gauge)
{
    NumberText sample = formatFixed(gauge.max / gauge.labelValueDivider, gauge.decimals);
    if (gauge.decimals == 0)
        sample.append(u'0');
    sample.fill(u'0');
    return sample;
}

}

void EfisDisplay::drawEngineReadouts(int index)
{
    GaugeRecord& gauge = engineGauges[index];
    int const n = engineColumnCount();
    if (layoutPending)
        layoutReadouts(gauge, n, true);
    for (int k = 0; k < n; ++k) {
        double const value = quantised(gauge, engineValue(index, k));
        drawValueReadout(value, gauge.readoutPositions[k], gauge, engineIsRunning(k), engineReadoutEmphasis(index, k, value));
    }
}

void EfisDisplay::drawSingleReadout(int index)
{
    GaugeRecord& gauge = singleGauges[index];
    if (layoutPending)
        layoutReadouts(gauge, 1, false);
    drawValueReadout(quantised(gauge, singleValue(index)), gauge.readoutPositions[0], gauge, true);
}

void EfisDisplay::layoutReadouts(GaugeRecord& gauge, int engineCount, bool engineGauge)
{
    Font const* digitFont = font(FontRow::Digit);
    if (digitFont) {
        NumberText const sample = readoutSample(gauge);
        RectF const size = graphics->measureString(sample.view(), *digitFont, {}, StringFormat {});
        gauge.readoutWidth = size.width * (engineGauge ? kEngineReadoutWidthRatio : kSingleReadoutWidthRatio);
        gauge.readoutHeight = size.height;
    }

    float const middleY = gauge.box.y + gauge.box.height * 0.5f;
    switch (gauge.displayType) {
    case DisplayType::Text: {
        // Spread from the box's left edge to its right edge.
        float const step = engineCount > 1 ? (gauge.box.width - gauge.readoutWidth) / static_cast<float>(engineCount - 1) : 0;
        for (int k = 0; k < engineCount; ++k)
            gauge.readoutPositions[k] = { gauge.box.x + gauge.readoutWidth * 0.5f + static_cast<float>(k) * step, middleY };
        break;
    }
    case DisplayType::Quadrant:
    case DisplayType::Ring:
    case DisplayType::Bar:
    case DisplayType::Stack:
        for (int k = 0; k < engineCount; ++k)
            gauge.readoutPositions[k] = { gauge.centres[k].x + gauge.valueOffset.x, gauge.centres[k].y + gauge.valueOffset.y };
        break;
    case DisplayType::None:
        break;
    }
}

void EfisDisplay::drawValueReadout(double value, PointF position, GaugeRecord const& gauge, bool running, ReadoutEmphasis const& emphasis)
{
    RectF const box { position.x - gauge.readoutWidth / 2, position.y - gauge.readoutHeight / 2, gauge.readoutWidth, gauge.readoutHeight };
    if (emphasis.fill)
        graphics->fillRectangle(*emphasis.fill, box);
    if (gauge.frame) {
        if (Pen const* framePen = pen(ColourRow::QuadrantNormal))
            graphics->drawRectangle(*framePen, box);
    }

    NumberText text;
    int row;
    Brush const* textBrush = nullptr;
    if (!running && engineOffChar != kNoEngineOffChar) {
        // The substitute has the width of the maximum; a NUL character ends
        // the text at once.
        if (engineOffGlyph != 0) {
            text = formatFixed(gauge.max / gauge.labelValueDivider, gauge.decimals);
            text.fill(engineOffGlyph);
        }
        row = engineOffManaged ? ColourRow::QuadrantOff : ColourRow::TextNormal;
    } else {
        text = formatFixed(value / gauge.labelValueDivider, gauge.decimals);
        bool const danger = valueInDanger(gauge, value);
        row = danger ? ColourRow::TextDanger : ColourRow::TextNormal;
        if (!danger)
            textBrush = emphasis.digits;
    }

    Font const* digitFont = font(FontRow::Digit);
    if (!textBrush)
        textBrush = brush(row);
    if (digitFont && textBrush)
        graphics->drawString(text.view(), *digitFont, position, stringFormat, *textBrush);
}
