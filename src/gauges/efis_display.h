#pragma once

#include "alerts/alert_list.h"
#include "alerts/alert_record.h"
#include "gauges/gauge_record.h"
#include "gauges/info_field.h"
#include "render/gauge_window.h"
#include "sim/data_acquisition.h"
#include "sim/fsuipc_link.h"
#include "sim/sim_data.h"
#include "sim/value_sources.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ProfileReader;

// How a page sets one engine readout apart: a fill behind its digits, and the
// brush of digits that are not in danger. Null keeps the table's drawing.
struct ReadoutEmphasis {
    Brush const* fill = nullptr;
    Brush const* digits = nullptr;
};

// A display of profile-configured gauges bound to the simulator's value
// sources, with colour and font tables, information fields, user messages
// and the two message lists. The concrete page derives from it.
//
// The gauge engine lives in src/gauges; the message lists and their drawing
// (the base alert set) in src/alerts.
class EfisDisplay : public GaugeWindow {
public:
    static constexpr int kColourCount = 47;
    static constexpr int kFontCount = 20;
    static constexpr int kRegionCount = 2;
    static constexpr int kInfoFieldCount = 5;
    static constexpr int kUserMessageCount = 10;
    // engineOffChar value meaning "no substitution".
    static constexpr std::uint8_t kNoEngineOffChar = 249;

    EfisDisplay(PlatformServices& services, std::string profilePath, std::string profileSection);
    ~EfisDisplay() override;

    void loadConfiguration(std::string_view fileName) override;
    void useAircraftSources(AircraftSources const& sources) override { dataAcquisition.setAircraftSources(sources); }

    SimData& simulatorData() { return simData; }
    AlertList const& alerts() const { return alertList; }
    AlertList const& statuses() const { return statusList; }

protected:
    // The gauge pass: gauges, message lists, user messages, information
    // fields, then the base decorations or not-connected screen.
    void draw() override;
    void readDisplaySettings(std::string const& layoutFile) override;
    void rebuildResources() override;

    // Gauge configuration.
    void readGaugeDefinitions(ProfileReader const&, std::span<GaugeRecord> records, std::span<char const* const> names);
    void readEngineGaugeSettings(ProfileReader const&);

    // One gauge: its shape by display type, its readout, label and legend.
    void drawEngineGauge(int index);
    void drawSingleGauge(int index);

    // Layout steps; they do nothing unless layoutPending is set.
    void layoutEngineDial(int index);
    void layoutEngineBar(int index);
    void layoutEngineStack(int index);
    void layoutSingleDial(int index);
    void layoutSingleBar(int index);
    void layoutSingleStack(int index);

    // Dials (QUADRANT, RING).
    void fillValueSector(double value, PointF centre, GaugeRecord const&);
    void drawScale(PointF centre, GaugeRecord const&, bool running);
    void drawDangerArc(RectF const& scaleRect, GaugeRecord const&, bool running);
    void drawNormalArc(RectF const& scaleRect, GaugeRecord const&, bool whole, bool running);
    void drawTick(Pen const&, PointF centre, GaugeRecord const&, float angle);
    void drawNeedle(double value, PointF centre, GaugeRecord const&);
    void fillEngineSectors(int index);
    void drawEngineScales(int index);
    void drawEngineNeedles(int index);
    void fillSingleSector(int index);
    void drawSingleScale(int index);
    void drawSingleNeedle(int index);

    // Bars and stacks; x is the column's centre.
    void drawBarFrame(float x, GaugeRecord const&, bool running);
    void fillBar(double value, float x, GaugeRecord const&);
    void fillStack(double value, float x, GaugeRecord const&);
    void drawEngineBars(int index);
    void drawEngineStacks(int index);
    void drawSingleBar(int index);
    void drawSingleStack(int index);

    // Numeric readouts, laid out in layoutPending frames.
    void drawValueReadout(double value, PointF position, GaugeRecord const&, bool running, ReadoutEmphasis const& = {});
    // The base page sets no readout apart.
    virtual ReadoutEmphasis engineReadoutEmphasis(int /*gaugeIndex*/, int /*engine*/, double /*value*/) const { return {}; }
    void drawEngineReadouts(int index);
    void drawSingleReadout(int index);

    void drawLabel(GaugeRecord const&);
    void drawLegend(GaugeRecord const&);

    // Information fields and user messages.
    virtual void drawUserMessages();
    virtual void updateInfoTexts();
    virtual void drawInfoFields();

    // Message lists. The base versions of buildAlertRecords, evaluateAlerts
    // and drawAlertLine are the EICAS-style set; a page may replace them.
    virtual void drawAlertList();
    virtual void drawStatusList();
    // colourIndex -1 colours by level; 0 or more forces a colour-table row.
    virtual void drawAlertLine(std::u16string_view text, int level, PointF position, int colourIndex);
    virtual void updateAlertLists();
    virtual void buildAlertRecords();
    virtual void evaluateAlerts();
    virtual void setAlertActive(AlertRecord&, bool active);
    void drawList(AlertList const&, RectF const& box, int regionIndex);

    // Engines the gauges serve this frame: min(engineCount, 4).
    int engineColumnCount() const;
    double engineValue(int gaugeIndex, int engine) const;
    double singleValue(int gaugeIndex) const;
    bool engineIsRunning(int engine) const;
    bool engineDrawnAsOff(bool running) const { return !running && engineOffManaged; }

    SimData simData;
    // The simulator link and the per-frame acquisition that fills simData;
    // the concrete page runs the acquisition in its acquireData.
    FsuipcLink fsuipcLink;
    DataAcquisition dataAcquisition;

    std::array<GaugeRecord, kEngineParamCount> engineGauges;
    std::array<GaugeRecord, kOtherParamCount> singleGauges;
    UnitSystem units = UnitSystem::US;
    bool engineOffManaged = false;
    std::uint8_t engineOffChar = kNoEngineOffChar;
    char16_t engineOffGlyph = 0; // engineOffChar as display text
    int lastEngineCount = -1;
    bool pieNormalTransparent = false;
    bool pieDangerTransparent = false;

    RectF flapBox;
    RectF alertBox;
    RectF statusBox;
    double minFuelQuantity = 2000;
    double maxGroundSpeed = 195;
    double maxGearSpeed = 210;
    double minOilPressure = 10;
    double minFuelPressure = 2000;

    std::array<InfoField, kInfoFieldCount> infoFields;
    std::array<UserMessage, kUserMessageCount> userMessages; // UserMessage1 at index 0

    std::array<AlertRecord, kAlertRecordCount> alertRecords;
    AlertList alertList;
    AlertList statusList;
    float alertLineHeight = 0;

private:
    void readColourTable(ProfileReader const&);
    void readFontTable(ProfileReader const&);
    void readPageBoxesAndLimits(ProfileReader const&);
    void readInfoFields(ProfileReader const&);
    void readUserMessages(ProfileReader const&);

    void layoutReadouts(GaugeRecord&, int engineCount, bool engineGauge);
    void layoutEngineColumns(GaugeRecord&);
    void drawTicks(PointF centre, GaugeRecord const&);
    // Draws text on its anchor as the alignment flags say; the baseline flag
    // puts the baseline on the anchor's y.
    void drawAlignedText(std::u16string_view text, PointF anchor, int alignment, int fontRow, int colourRow);
};
