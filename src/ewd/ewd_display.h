#pragma once

#include "alerts/ecam_alert_line.h"
#include "alerts/ecam_alerts.h"
#include "alerts/warning_computer.h"
#include "ewd/detent_angles.h"
#include "ewd/engine_item_settings.h"
#include "ewd/flap_slat_indicator.h"
#include "ewd/separator_lines.h"
#include "ewd/thrust_block.h"
#include "gauges/efis_display.h"
#include "systems/engine_states.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// OLD pages have the flap/slat indicator and the upper vertical separator;
// NEW pages neither.
enum class EfisStyle : std::int32_t { Old = 0, New = 1 };

// The engines' thrust parameter; it decides which centred labels get
// connector lines.
enum class EngineType : std::int32_t { N1Driven = 0, EprDriven = 1 };

// BASIC pages switch the ECAM set's sixteen messages; FULL pages run the
// warning computer: flight phases, the T.O and LDG memos, inhibition.
enum class WarningMode : std::int32_t { Basic = 0, Full = 1 };

// The Engine/Warning Display page of an A320 with CFM engines: the gauges of
// the layout, the ECAM warnings and memos, the separator lines and label
// connectors, and (OLD style) the flap/slat indicator.
class EwdDisplay : public EfisDisplay {
public:
    EwdDisplay(PlatformServices& services, std::string profilePath, std::string profileSection);
    ~EwdDisplay() override;

    // The configuration the indicator shows, kept between frames.
    std::u16string_view flapConfigurationLabel() const { return flapSlatIndicator.configLabel(); }
    FlightPhase flightPhase() const { return warningComputer.phase(); }

protected:
    // One frame: the gauge pass, the page lines, then the indicator.
    void draw() override;
    // The page keys, then the common display settings.
    void readDisplaySettings(std::string const& layoutFile) override;
    void acquireData() override;
    // Only user messages 3, 4, 8, 9 and 10 show on this page.
    void drawUserMessages() override;
    void drawAlertList() override;
    // A title between '!' marks is drawn underlined.
    void drawAlertLine(std::u16string_view text, int level, PointF position, int colourIndex) override;
    void buildAlertRecords() override;
    void evaluateAlerts() override;
    ReadoutEmphasis engineReadoutEmphasis(int gaugeIndex, int engine, double value) const override;

    void drawPageLines();
    void drawEngineItems();
    void drawFlapSlatIndicator();
    void drawThrustIndications();

    // Made by the first drawAlertList that can make it.
    std::unique_ptr<Font> underlinedAlertFont;
    DetentAngles flapPositions {};
    DetentAngles slatPositions {};
    SeparatorLayout separators;
    EfisStyle efisStyle = EfisStyle::Old;
    EngineType engineType = EngineType::N1Driven;
    float connectorInnerDx = 30;
    float connectorInnerDy = 10;
    float connectorOuterDx = 80;
    float connectorOuterDy = 30;

    // Label points of the N1, N2 and FF gauges, recomputed in layout frames.
    PointF n1LabelPoint;
    PointF n2LabelPoint;
    PointF ffLabelPoint;

    EcamAlertRules alertRules;
    WarningMode warningMode = WarningMode::Basic;
    WarningComputer warningComputer;
    // Where the memo lines' actions end, measured in drawAlertList.
    EcamMemoPaint memoPaint;
    FlapSlatIndicator flapSlatIndicator;
    ThrustBlockLayout thrustLayout;
    ThrustState thrustState;
    // Made by the first frame that draws the thrust block.
    std::unique_ptr<Font> thrustFont;
    EngineItemSettings engineItems;
    EngineStates engineStates;

private:
    void placeMemoActions();
    void drawConnectorPair(Pen const&, PointF labelPoint);
};
