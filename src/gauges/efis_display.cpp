#include "gauges/efis_display.h"

#include "gauges/gauge_scale.h"
#include "gauges/table_rows.h"

#include <algorithm>

EfisDisplay::EfisDisplay(PlatformServices& services, std::string profilePath, std::string profileSection)
    : GaugeWindow(services, std::move(profilePath), std::move(profileSection))
    , fsuipcLink(services.ipc)
    , dataAcquisition(fsuipcLink, simData)
{
    setTableSizes(kColourCount, kFontCount, kRegionCount);
    layoutSection = "EICAS";
    buildAlertRecords();
    alertList.clear();
    statusList.clear();
}

EfisDisplay::~EfisDisplay()
{
    fsuipcLink.close();
}

void EfisDisplay::loadConfiguration(std::string_view fileName)
{
    layoutSection = "EICAS";
    loadConfigurationFile(fileName);
}

void EfisDisplay::draw()
{
    int const count = engineCount(simData);
    if (count != lastEngineCount) {
        layoutPending = true;
        lastEngineCount = count;
    }
    stringFormat = { StringAlignment::Center, StringAlignment::Center };

    for (int i = 0; i < kEngineParamCount; ++i)
        drawEngineGauge(i);
    for (int j = 0; j < kOtherParamCount; ++j)
        drawSingleGauge(j);

    updateAlertLists();
    if (layoutPending)
        rebuildResources();
    drawAlertList();
    drawStatusList();
    drawUserMessages();
    drawInfoFields();
    GaugeWindow::draw();
}

void EfisDisplay::drawEngineGauge(int index)
{
    GaugeRecord const& gauge = engineGauges[index];
    bool const shaped = hasDrawableScale(gauge);
    switch (gauge.displayType) {
    case DisplayType::Quadrant:
        layoutEngineDial(index);
        if (shaped) {
            fillEngineSectors(index);
            drawEngineScales(index);
            drawEngineNeedles(index);
        }
        break;
    case DisplayType::Ring:
        layoutEngineDial(index);
        if (shaped) {
            fillEngineSectors(index);
            drawEngineScales(index);
        }
        break;
    case DisplayType::Bar:
        layoutEngineBar(index);
        if (shaped)
            drawEngineBars(index);
        break;
    case DisplayType::Stack:
        layoutEngineStack(index);
        if (shaped)
            drawEngineStacks(index);
        break;
    case DisplayType::Text:
    case DisplayType::None:
        break;
    }
    if (gauge.valueDisplayed)
        drawEngineReadouts(index);
    drawLabel(gauge);
    drawLegend(gauge);
}

void EfisDisplay::drawSingleGauge(int index)
{
    GaugeRecord const& gauge = singleGauges[index];
    bool const shaped = hasDrawableScale(gauge);
    switch (gauge.displayType) {
    case DisplayType::Quadrant:
        layoutSingleDial(index);
        if (shaped) {
            fillSingleSector(index);
            drawSingleScale(index);
            drawSingleNeedle(index);
        }
        break;
    case DisplayType::Ring:
        layoutSingleDial(index);
        if (shaped) {
            fillSingleSector(index);
            drawSingleScale(index);
        }
        break;
    case DisplayType::Bar:
        layoutSingleBar(index);
        if (shaped)
            drawSingleBar(index);
        break;
    case DisplayType::Stack:
        layoutSingleStack(index);
        if (shaped)
            drawSingleStack(index);
        break;
    case DisplayType::Text:
    case DisplayType::None:
        break;
    }
    if (gauge.valueDisplayed)
        drawSingleReadout(index);
    drawLabel(gauge);
    drawLegend(gauge);
}

int EfisDisplay::engineColumnCount() const
{
    return std::min<int>(engineCount(simData), GaugeRecord::kMaxEngines);
}

double EfisDisplay::engineValue(int gaugeIndex, int engine) const
{
    return EngineParamTable[gaugeIndex].value(simData, engine, units);
}

double EfisDisplay::singleValue(int gaugeIndex) const
{
    return OtherParamTable[gaugeIndex].value(simData, units);
}

bool EfisDisplay::engineIsRunning(int engine) const
{
    return engineRunning(simData, engine);
}

void EfisDisplay::drawLabel(GaugeRecord const& gauge)
{
    Font const* labelFont = font(FontRow::Label);
    Brush const* labelBrush = brush(ColourRow::Label);
    if (gauge.label.empty() || !labelFont || !labelBrush)
        return;
    PointF const at { gauge.box.x + gauge.labelOffset.x, gauge.box.y + gauge.labelOffset.y };
    graphics->drawString(gauge.label, *labelFont, at, stringFormat, *labelBrush);
}

void EfisDisplay::drawLegend(GaugeRecord const& gauge)
{
    Font const* legendFont = font(FontRow::Legend);
    Brush const* legendBrush = brush(ColourRow::Legend);
    if (gauge.legend.empty() || !legendFont || !legendBrush)
        return;
    PointF const at { gauge.box.x + gauge.legendOffset.x, gauge.box.y + gauge.legendOffset.y };
    graphics->drawString(gauge.legend, *legendFont, at, stringFormat, *legendBrush);
}
