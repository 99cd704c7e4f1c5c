#pragma once

#include "alerts/alert_list.h"
#include "alerts/alert_record.h"
#include "gauges/gauge_record.h"
#include "gauges/info_field.h"
#include "render/gauge_window.h"
#include "sim/sim_data.h"
#include "sim/value_sources.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class ProfileReader;

// A display of profile-configured gauges bound to the simulator's value
// sources, with colour and font tables, information fields, user messages
// and the two message lists. The concrete page derives from it.
//
// The gauge engine lives in src/gauges; the message lists and their drawing
// (the base alert set) in src/alerts.
class EfisDisplay : public GaugeWindow {
public:
    static constexpr int kColourCount = 45;
    static constexpr int kFontCount = 20;
    static constexpr int kRegionCount = 2;
    static constexpr int kInfoFieldCount = 5;
    static constexpr int kUserMessageCount = 10;

    EfisDisplay(PlatformServices& services, std::string profilePath, std::string profileSection);
    ~EfisDisplay() override;

    void loadConfiguration(std::string_view fileName) override;

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

    SimData simData;

    std::array<GaugeRecord, kEngineParamCount> engineGauges;
    std::array<GaugeRecord, kOtherParamCount> singleGauges;
    UnitSystem units = UnitSystem::US;
    bool engineOffManaged = false;
    std::uint8_t engineOffChar = 249; // 249: no substitution
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
};
