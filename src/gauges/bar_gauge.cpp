#include "gauges/efis_display.h"
#include "gauges/gauge_scale.h"
#include "gauges/table_rows.h"

#include <cmath>

namespace {

// However small the blocks or tall the box, a stack draws at most this many
// blocks, so a frame always ends.
constexpr int kMaxBlocks = 1000;

// Page units per value unit over the box height; 0 without a drawable scale.
float columnScale(GaugeRecord const& gauge)
{
    return hasDrawableScale(gauge) ? gauge.box.height / (gauge.max - gauge.min) : 0;
}

float columnBottom(GaugeRecord const& gauge)
{
    return gauge.box.y + gauge.box.height;
}

}

void EfisDisplay::layoutEngineBar(int index)
{
    if (!layoutPending)
        return;
    GaugeRecord& gauge = engineGauges[index];
    layoutEngineColumns(gauge);
    gauge.scaleFactor = columnScale(gauge);
}

void EfisDisplay::layoutEngineStack(int index)
{
    layoutEngineBar(index);
}

void EfisDisplay::layoutSingleBar(int index)
{
    if (!layoutPending)
        return;
    GaugeRecord& gauge = singleGauges[index];
    gauge.centres[0] = { gauge.box.x + gauge.box.width * 0.5f, gauge.box.y + gauge.box.height * 0.5f };
    gauge.scaleFactor = columnScale(gauge);
}

void EfisDisplay::layoutSingleStack(int index)
{
    layoutSingleBar(index);
}

// Engine columns: the outline lies over the fill. Single columns: the fill
// lies over the outline.
void EfisDisplay::drawEngineBars(int index)
{
    GaugeRecord const& gauge = engineGauges[index];
    for (int k = 0; k < engineColumnCount(); ++k) {
        fillBar(engineValue(index, k), gauge.centres[k].x, gauge);
        drawBarFrame(gauge.centres[k].x, gauge, engineIsRunning(k));
    }
}

void EfisDisplay::drawEngineStacks(int index)
{
    // Blocks that take no room are not drawn; the outline still is.
    GaugeRecord const& gauge = engineGauges[index];
    for (int k = 0; k < engineColumnCount(); ++k) {
        fillStack(engineValue(index, k), gauge.centres[k].x, gauge);
        drawBarFrame(gauge.centres[k].x, gauge, engineIsRunning(k));
    }
}

void EfisDisplay::drawSingleBar(int index)
{
    GaugeRecord const& gauge = singleGauges[index];
    drawBarFrame(gauge.centres[0].x, gauge, true);
    fillBar(singleValue(index), gauge.centres[0].x, gauge);
}

void EfisDisplay::drawSingleStack(int index)
{
    GaugeRecord const& gauge = singleGauges[index];
    drawBarFrame(gauge.centres[0].x, gauge, true);
    fillStack(singleValue(index), gauge.centres[0].x, gauge);
}

void EfisDisplay::drawBarFrame(float x, GaugeRecord const& gauge, bool running)
{
    if (!gauge.columnFrame)
        return;
    Pen const* framePen = pen(engineDrawnAsOff(running) ? ColourRow::FrameOff : ColourRow::FrameNormal);
    if (!framePen)
        return;
    graphics->drawRectangle(*framePen, { x - gauge.thickness / 2, gauge.box.y, gauge.thickness, gauge.box.height });
}

void EfisDisplay::fillBar(double value, float x, GaugeRecord const& gauge)
{
    Brush const* fill = brush(valueInDanger(gauge, value) ? ColourRow::BarStackDanger : ColourRow::BarStackNormal);
    if (!fill)
        return;
    auto const length = static_cast<float>((clampToScale(gauge, value) - gauge.min) * gauge.scaleFactor);
    float const left = x - gauge.thickness / 2;
    float const bottom = columnBottom(gauge);
    // A scale that runs downwards (Max < Min) hangs below the box.
    if (length > 0)
        graphics->fillRectangle(*fill, { left, bottom - length, gauge.thickness, length });
    else
        graphics->fillRectangle(*fill, { left, bottom, gauge.thickness, -length });
}

void EfisDisplay::fillStack(double value, float x, GaugeRecord const& gauge)
{
    float const unit = gauge.blockSize + gauge.blockInterval;
    if (!(unit > 0))
        return;
    Brush const* fill = brush(valueInDanger(gauge, value) ? ColourRow::BarStackDanger : ColourRow::BarStackNormal);
    if (!fill)
        return;
    double const reached = (clampToScale(gauge, value) - gauge.min) * gauge.scaleFactor / unit;
    // Only whole blocks show.
    int const count = reached > 0 ? static_cast<int>(std::min<double>(std::trunc(reached), kMaxBlocks)) : 0;
    float const left = x - gauge.thickness / 2;
    float const bottom = columnBottom(gauge);
    for (int b = 0; b < count; ++b)
        graphics->fillRectangle(*fill, { left, bottom - static_cast<float>(b) * unit - gauge.blockSize, gauge.thickness, gauge.blockSize });
}
