#include "ewd/ewd_display.h"

#include "alerts/alert_colour.h"
#include "alerts/ecam_alert_line.h"
#include "config/profile_reader.h"
#include "ewd/engine_items.h"
#include "ewd/engine_readout_emphasis.h"
#include "gauges/table_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>


namespace {


// User messages (numbered from 1) that the page never shows.
constexpr int kHiddenUserMessages[] = { 1, 2, 5, 6, 7 };

constexpr int kFourEngines = 4;

PointF labelPoint(GaugeRecord const& gauge)
{
    return { gauge.box.x + gauge.labelOffset.x, gauge.box.y + gauge.labelOffset.y };
}

// A gauge's red line: its danger threshold, when that bounds the top of its
// scale.
double redLine(GaugeRecord const& gauge)
{
    return gauge.dangerSide == DangerSide::High ? gauge.dangerThreshold : NAN;
}

}

EwdDisplay::EwdDisplay(PlatformServices& services, std::string profilePath, std::string profileSection)
    : EfisDisplay(services, std::move(profilePath), std::move(profileSection))
{
    buildAlertRecords();
    // Until a layout is read the detents are the A320's.
    completeDetentAngles(flapPositions, 0, kDefaultFlapDetentAngles);
    completeDetentAngles(slatPositions, 0, kDefaultSlatDetentAngles);
}

EwdDisplay::~EwdDisplay() = default;

void EwdDisplay::draw()
{
    // Before the gauge pass: the readouts show this frame's states.
    ThrustIndications const& thrust = thrustState.update(simData, thrustLayout.settings);
    engineStates.update(simData, engineItems.states, simTime(simData), thrust.mode, thrustLayout.settings.detents);
    EfisDisplay::draw();
    drawEngineItems();
    drawPageLines();
    if (efisStyle == EfisStyle::Old)
        drawFlapSlatIndicator();
    drawThrustIndications();
}

void EwdDisplay::readDisplaySettings(std::string const& layoutFile)
{
    ProfileReader const reader(services.profiles, layoutFile, layoutSection);
    // Made again from the alert font a new layout names.
    underlinedAlertFont.reset();

    ColourEntry& inhibit = colours[ColourRow::Inhibit];
    inhibit.kind = ColourKindBrush;
    inhibit.baseColour = reader.readColour("InhibitColor", "WHITE");
    engineItems = readEngineItemSettings(reader, colours[ColourRow::EngineCaution], colours[ColourRow::StartFill]);

    efisStyle = static_cast<EfisStyle>(reader.readKeyword("EFISStyle", Vocabulary::PageStyle, 0));
    engineType = static_cast<EngineType>(reader.readKeyword("EngineType", Vocabulary::EngineType, 0));

    completeDetentAngles(flapPositions, reader.readNumberList("FlapPositions", flapPositions), kDefaultFlapDetentAngles);
    completeDetentAngles(slatPositions, reader.readNumberList("SlatPositions", slatPositions), kDefaultSlatDetentAngles);

    thrustLayout = readThrustBlockLayout(reader);
    thrustFont.reset();
    warningComputer.setLeverDetents(thrustLayout.settings.detents);
    separators = readSeparatorLayout(reader);
    flapSlatIndicator.setLayout(readFlapIndicatorLayout(reader));

    auto const mode = static_cast<WarningMode>(reader.readKeyword("WarningMode", Vocabulary::WarningMode, 0));
    if (mode != warningMode) {
        // Another message set: the lists start empty with it.
        warningMode = mode;
        buildAlertRecords();
        alertList.clear();
        statusList.clear();
    }

    EfisDisplay::readDisplaySettings(layoutFile);
    engineItems.states.n1RedLine = redLine(engineGauges[EngineRow::N1]);
    engineItems.states.n2RedLine = redLine(engineGauges[EngineRow::N2]);
    engineItems.states.egtRedLine = redLine(engineGauges[EngineRow::EGT]);
}

void EwdDisplay::acquireData()
{
    dataAcquisition.acquire(link);
}

void EwdDisplay::drawUserMessages()
{
    for (int number : kHiddenUserMessages)
        userMessages[number - 1].enabled = false;
    EfisDisplay::drawUserMessages();
}

void EwdDisplay::drawAlertList()
{
    if (!underlinedAlertFont) {
        FontDef const& alertFont = fontDefs[FontRow::Alert];
        underlinedAlertFont = makeFont(alertFont.face, static_cast<float>(alertFont.size), alertFont.style | FontStyleUnderline);
    }
    if (warningMode == WarningMode::Full)
        placeMemoActions();
    EfisDisplay::drawAlertList();
}

// The memo lines' actions end in one column: that of the widest line.
void EwdDisplay::placeMemoActions()
{
    Font const* alertFont = font(FontRow::Alert);
    memoPaint = { brush(ColourRow::Legend), alertBox.x };
    if (graphics == nullptr || alertFont == nullptr)
        return;
    for (int i = 0; i < AlertList::kCapacity && alertList.at(i) != nullptr; ++i) {
        float const width = ecamMemoLineWidth(*graphics, alertList.at(i)->textView(), *alertFont, underlinedAlertFont.get());
        memoPaint.actionRight = std::max(memoPaint.actionRight, alertBox.x + width);
    }
}

void EwdDisplay::drawAlertLine(std::u16string_view text, int level, PointF position, int colourIndex)
{
    int const row = alertLineColourRow(level, colourIndex);
    Font const* alertFont = font(FontRow::Alert);
    Brush const* lineBrush = row < static_cast<int>(colours.size()) ? brush(row) : nullptr;
    if (graphics == nullptr || alertFont == nullptr || lineBrush == nullptr)
        return;
    EcamMemoPaint const* memo = warningMode == WarningMode::Full ? &memoPaint : nullptr;
    drawEcamAlertLine(*graphics, text, position, *alertFont, underlinedAlertFont.get(), *lineBrush, memo);
}

void EwdDisplay::buildAlertRecords()
{
    if (warningMode == WarningMode::Full) {
        buildFullWarningRecords(alertRecords);
        return;
    }
    // The base set first, as at construction: a page that comes back from the
    // full set holds the same records as one that never left.
    alertRecords.fill(AlertRecord {});
    EfisDisplay::buildAlertRecords();
    buildEcamAlertRecords(alertRecords);
}

void EwdDisplay::evaluateAlerts()
{
    auto const apply = [&](std::span<AlertSwitch const> switches) {
        for (AlertSwitch const& alert : switches)
            setAlertActive(alertRecords[alert.slot], alert.on);
    };
    if (warningMode == WarningMode::Full)
        apply(warningComputer.evaluate(simData, link.connected, alertRecords));
    else
        apply(alertRules.evaluate(simData, alertRecords));
}

void EwdDisplay::drawPageLines()
{
    if (layoutPending) {
        n1LabelPoint = labelPoint(engineGauges[EngineRow::N1]);
        n2LabelPoint = labelPoint(engineGauges[EngineRow::N2]);
        ffLabelPoint = labelPoint(engineGauges[EngineRow::FF]);
    }
    Pen const* linePen = pen(ColourRow::Foreground);
    if (graphics == nullptr || linePen == nullptr)
        return;

    drawSeparators(*graphics, *linePen, separators, { pageWidth, pageHeight - alertLineHeight, efisStyle == EfisStyle::Old });

    bool const fourEngines = engineCount(simData) == kFourEngines;
    if (fourEngines && engineType == EngineType::EprDriven)
        drawConnectorPair(*linePen, n1LabelPoint);
    if (fourEngines || engineType == EngineType::N1Driven) {
        drawConnectorPair(*linePen, ffLabelPoint);
        drawConnectorPair(*linePen, n2LabelPoint);
    }
}

void EwdDisplay::drawConnectorPair(Pen const& linePen, PointF at)
{
    graphics->drawLine(linePen, { at.x - connectorInnerDx, at.y + connectorInnerDy },
        { at.x - connectorOuterDx, at.y + connectorOuterDy });
    graphics->drawLine(linePen, { at.x + connectorInnerDx, at.y + connectorInnerDy },
        { at.x + connectorOuterDx, at.y + connectorOuterDy });
}

void EwdDisplay::drawFlapSlatIndicator()
{
    if (graphics == nullptr)
        return;
    FlapSlatReadings const readings {
        .leverPosition = flapLeverPosition(simData),
        .flapAngle = flapAngleDeg(simData),
        .slatAngle = slatAngleDeg(simData),
        .slatAlphaLock = aircraftSwitch(simData, AircraftValue::SlatAlphaLock),
        .simTime = simTime(simData),
    };
    FlapSlatPaint const paint {
        .wingPen = pen(ColourRow::Foreground),
        .foregroundBrush = brush(ColourRow::Foreground),
        .targetPen = pen(ColourRow::FlapHandle),
        .travellingBrush = brush(ColourRow::FlapHandle),
        .symbolPen = pen(ColourRow::FlapPosition),
        .settledBrush = brush(ColourRow::FlapPosition),
        .font = font(FontRow::Label),
    };
    flapSlatIndicator.draw(*graphics, readings, flapPositions, slatPositions, paint, stringFormat);
}

void EwdDisplay::drawThrustIndications()
{
    bool const anyShown = thrustLayout.limitShown || thrustLayout.idleShown || thrustLayout.alphaFloorShown;
    if (graphics == nullptr || !anyShown)
        return;
    if (!thrustFont)
        thrustFont = makeFont(thrustLayout.face, thrustLayout.fontSize, FontStyleRegular);
    ThrustBlockPaint const paint {
        .mode = brush(ColourRow::Legend),
        .value = brush(ColourRow::TextNormal),
        .missing = brush(ColourRow::MediumAlert),
        .font = thrustFont.get(),
    };
    CeprMapping const* eprFromN1 = engineType == EngineType::EprDriven ? &dataAcquisition.ceprMapping() : nullptr;
    drawThrustBlock(*graphics, thrustState.indications(), thrustLayout, paint, eprFromN1);
}

ReadoutEmphasis EwdDisplay::engineReadoutEmphasis(int gaugeIndex, int engine, double value) const
{
    return ::engineReadoutEmphasis(engineItems, engineStates.engine(engine), gaugeIndex, value,
        brush(ColourRow::EngineCaution), brush(ColourRow::StartFill));
}

void EwdDisplay::drawEngineItems()
{
    if (graphics == nullptr)
        return;
    bool const eprLeads = engineType == EngineType::EprDriven;
    EngineItemDials const dials {
        .thrust = &engineGauges[eprLeads ? EngineRow::EPR : EngineRow::N1],
        .eprFromN1 = eprLeads ? &dataAcquisition.ceprMapping() : nullptr,
        .n1 = &engineGauges[EngineRow::N1],
        .egt = &engineGauges[EngineRow::EGT],
        .n2 = &engineGauges[EngineRow::N2],
    };
    EngineItemPaint const paint {
        .leverPen = pen(ColourRow::ThrottleLever),
        .cautionPen = pen(ColourRow::EngineCaution),
        .peakPen = pen(ColourRow::QuadrantDanger),
        .normalBrush = brush(ColourRow::TextNormal),
        .cautionBrush = brush(ColourRow::EngineCaution),
        .dangerBrush = brush(ColourRow::TextDanger),
        .lineWidth = colours[ColourRow::Foreground].penWidth,
        .font = font(FontRow::Tick),
    };
    std::array<bool, GaugeRecord::kMaxEngines> running {};
    int const columns = engineColumnCount();
    for (int k = 0; k < columns; ++k)
        running[static_cast<std::size_t>(k)] = engineIsRunning(k);
    ::drawEngineItems(*graphics, engineItems, engineStates, dials, paint, std::span(running).first(static_cast<std::size_t>(columns)));
}
