#include "gauges/efis_display.h"
#include "gauges/gauge_scale.h"
#include "gauges/number_text.h"
#include "gauges/table_rows.h"

#include <algorithm>
#include <cmath>

namespace {

// Tick labels stand at this fraction of the radius from the centre.
constexpr float kTickLabelRadius = 0.6f;

}

void EfisDisplay::layoutEngineDial(int index)
{
    if (!layoutPending)
        return;
    GaugeRecord& gauge = engineGauges[index];
    gauge.radius = gauge.box.height * 0.5f;
    layoutEngineColumns(gauge);
}

void EfisDisplay::layoutSingleDial(int index)
{
    if (!layoutPending)
        return;
    GaugeRecord& gauge = singleGauges[index];
    gauge.radius = std::min(gauge.box.width, gauge.box.height) * 0.5f;
    gauge.centres[0] = { gauge.box.x + gauge.box.width * 0.5f, gauge.box.y + gauge.box.height * 0.5f };
}

void EfisDisplay::layoutEngineColumns(GaugeRecord& gauge)
{
    int const n = engineColumnCount();
    float const columnWidth = n > 0 ? gauge.box.width / static_cast<float>(n) : 0;
    for (int k = 0; k < n; ++k)
        gauge.centres[k] = { gauge.box.x + columnWidth * (static_cast<float>(k) + 0.5f),
            gauge.box.y + gauge.box.height * 0.5f };
}

void EfisDisplay::fillEngineSectors(int index)
{
    GaugeRecord const& gauge = engineGauges[index];
    for (int k = 0; k < engineColumnCount(); ++k) {
        if (engineDrawnAsOff(engineIsRunning(k)))
            continue;
        fillValueSector(engineValue(index, k), gauge.centres[k], gauge);
    }
}

void EfisDisplay::drawEngineScales(int index)
{
    GaugeRecord const& gauge = engineGauges[index];
    for (int k = 0; k < engineColumnCount(); ++k)
        drawScale(gauge.centres[k], gauge, engineIsRunning(k));
}

void EfisDisplay::drawEngineNeedles(int index)
{
    GaugeRecord const& gauge = engineGauges[index];
    for (int k = 0; k < engineColumnCount(); ++k) {
        if (engineDrawnAsOff(engineIsRunning(k)))
            continue;
        drawNeedle(engineValue(index, k), gauge.centres[k], gauge);
    }
}

void EfisDisplay::fillSingleSector(int index)
{
    GaugeRecord const& gauge = singleGauges[index];
    fillValueSector(singleValue(index), gauge.centres[0], gauge);
}

void EfisDisplay::drawSingleScale(int index)
{
    GaugeRecord const& gauge = singleGauges[index];
    drawScale(gauge.centres[0], gauge, true);
}

void EfisDisplay::drawSingleNeedle(int index)
{
    GaugeRecord const& gauge = singleGauges[index];
    drawNeedle(singleValue(index), gauge.centres[0], gauge);
}

void EfisDisplay::fillValueSector(double value, PointF centre, GaugeRecord const& gauge)
{
    bool const danger = valueInDanger(gauge, value);
    int row;
    float outerRadius;
    if (gauge.displayType == DisplayType::Ring) {
        row = danger ? ColourRow::RingDanger : ColourRow::RingNormal;
        outerRadius = gauge.needleEndRadiusRatio * gauge.radius;
    } else {
        if (danger ? pieDangerTransparent : pieNormalTransparent)
            return;
        row = danger ? ColourRow::PieDanger : ColourRow::PieNormal;
        outerRadius = gauge.radius;
    }
    Brush const* fill = brush(row);
    if (!fill)
        return;
    auto const sweep = static_cast<float>((clampToScale(gauge, value) - gauge.min) * gauge.scaleFactor);
    graphics->fillPie(*fill, squareAround(centre, outerRadius), gauge.startAngle, sweep);

    // The background disc over the pie's middle leaves a ring sector.
    if (gauge.displayType == DisplayType::Ring && gauge.needleStartRadiusRatio > 0) {
        if (Brush const* background = brush(ColourRow::Background))
            graphics->fillEllipse(*background, squareAround(centre, gauge.needleStartRadiusRatio * gauge.radius));
    }
}

void EfisDisplay::drawScale(PointF centre, GaugeRecord const& gauge, bool running)
{
    if (gauge.displayType == DisplayType::Quadrant) {
        RectF const scaleRect = squareAround(centre, gauge.radius);
        drawNormalArc(scaleRect, gauge, !gauge.dangerZone, running);
        drawDangerArc(scaleRect, gauge, running);
    }
    // An engine that is off shows no ticks and no tick labels.
    if (engineDrawnAsOff(running))
        return;
    if (gauge.tickInterval <= 0 || gauge.tickSize <= 0)
        return;
    drawTicks(centre, gauge);
}

void EfisDisplay::drawTicks(PointF centre, GaugeRecord const& gauge)
{
    Pen const* normalPen = pen(ColourRow::QuadrantNormal);
    Pen const* dangerPen = pen(ColourRow::QuadrantDanger);
    if (!normalPen || !dangerPen)
        return;
    // Danger ticks take the danger pen only while the danger zone is shown and
    // that pen is no thicker than the normal one.
    bool const dangerTicks = gauge.dangerZone
        && colours[ColourRow::QuadrantDanger].penWidth <= colours[ColourRow::QuadrantNormal].penWidth;
    Font const* tickFont = font(FontRow::Tick);
    Brush const* labelBrush = brush(ColourRow::QuadrantNormal);

    Pen const* lastPen = normalPen;
    // Each tick's value is computed from its index, so no error accumulates
    // along the scale.
    for (int k = 0; k < kMaxScaleTicks; ++k) {
        float const t = gauge.firstTick + static_cast<float>(k) * gauge.tickInterval;
        if (!(t <= gauge.max))
            break;
        float const angle = dialAngle(gauge, t);
        lastPen = dangerTicks && tickInDanger(gauge, t) ? dangerPen : normalPen;

        bool const hiddenMinimumTick = t <= gauge.min && !gauge.extremumTick && gauge.dangerSide == DangerSide::Low;
        if (!hiddenMinimumTick)
            drawTick(*lastPen, centre, gauge, angle);

        if (gauge.tickLabelInterval == 0 || !tickFont || !labelBrush)
            continue;
        double const q = (t - gauge.firstTick) / gauge.tickLabelInterval;
        bool const labelled = std::fabs(q - std::floor(q + 0.5)) < 0.001 && (gauge.displayZero || t > gauge.min);
        if (!labelled)
            continue;
        PointF const at = rotateAbout({ centre.x + kTickLabelRadius * gauge.radius, centre.y }, centre, angle);
        NumberText const text = formatFixed(t / gauge.tickValueDivider, gauge.tickLabelDecimals);
        graphics->drawString(text.view(), *tickFont, at, stringFormat, *labelBrush);
    }

    if (gauge.dangerSide == DangerSide::High && gauge.extremumTick)
        drawTick(*lastPen, centre, gauge, gauge.endAngle);
}

void EfisDisplay::drawNormalArc(RectF const& scaleRect, GaugeRecord const& gauge, bool whole, bool running)
{
    Pen const* arcPen = pen(engineDrawnAsOff(running) ? ColourRow::QuadrantOff : ColourRow::QuadrantNormal);
    if (!arcPen)
        return;
    float const span = gauge.endAngle - gauge.startAngle;
    if (whole || !gauge.dangerZone || gauge.dangerSide == DangerSide::None) {
        graphics->drawArc(*arcPen, scaleRect, gauge.startAngle, span);
        return;
    }
    float const d = (gauge.dangerThreshold - gauge.min) * gauge.scaleFactor;
    if (gauge.dangerSide == DangerSide::High)
        graphics->drawArc(*arcPen, scaleRect, gauge.startAngle, d);
    else
        graphics->drawArc(*arcPen, scaleRect, gauge.startAngle + d, span - d);
}

void EfisDisplay::drawDangerArc(RectF const& scaleRect, GaugeRecord const& gauge, bool running)
{
    if (!gauge.dangerZone || gauge.dangerSide == DangerSide::None)
        return;
    Pen const* arcPen = pen(engineDrawnAsOff(running) ? ColourRow::QuadrantOff : ColourRow::QuadrantDanger);
    if (!arcPen)
        return;
    float const span = gauge.endAngle - gauge.startAngle;
    float const d = (gauge.dangerThreshold - gauge.min) * gauge.scaleFactor;
    if (gauge.dangerSide == DangerSide::High)
        graphics->drawArc(*arcPen, scaleRect, gauge.startAngle + d, span - d);
    else
        graphics->drawArc(*arcPen, scaleRect, gauge.startAngle, d);
}

void EfisDisplay::drawTick(Pen const& tickPen, PointF centre, GaugeRecord const& gauge, float angle)
{
    PointF const outer = rotateAbout({ centre.x + gauge.radius, centre.y }, centre, angle);
    PointF const inner = rotateAbout({ centre.x + gauge.radius - gauge.tickSize, centre.y }, centre, angle);
    graphics->drawLine(tickPen, outer, inner);
}

void EfisDisplay::drawNeedle(double value, PointF centre, GaugeRecord const& gauge)
{
    Pen const* needlePen = pen(valueInDanger(gauge, value) ? ColourRow::NeedleDanger : ColourRow::NeedleNormal);
    if (!needlePen)
        return;
    float const angle = dialAngle(gauge, clampToScale(gauge, value));
    PointF const from = rotateAbout({ centre.x + gauge.needleStartRadiusRatio * gauge.radius, centre.y }, centre, angle);
    PointF const to = rotateAbout({ centre.x + gauge.needleEndRadiusRatio * gauge.radius, centre.y }, centre, angle);
    graphics->drawLine(*needlePen, from, to);
}
