// The base message set of EfisDisplay: short EICAS-style wording, a few
// conditions, drawn as plain lines.

#include "gauges/efis_display.h"

#include <string>
#include <string_view>

namespace {

constexpr AlertRow kEicasRecords[] = {
    { 0, u"SLRS ARM", 3 },
    { 1, u"FUEL QTY", 1 },
    { 13, u"DOOR", 1 },
    { 14, u"MAX SPD", 2 },
    { 15, u"STALL", 1 },
    { 16, u"OVERSPD", 1 },
    { 17, u"LDG GEAR DN", 3 },
    { 18, u"MAX SPD", 2 },
    { 19, u"GEN 1 OFF", 2 },
    { 20, u"GEN 2 OFF", 2 },
    { 21, u"GEN 3 OFF", 2 },
    { 22, u"GEN 4 OFF", 2 },
    { 25, u"ELEC", 1 },
    { 26, u"VACUUM", 1 },
    { 27, u"VACUUM", 2 },
    { 28, u"OIL", 2 },
    { 29, u"HYD", 1 },
    { 30, u"LDG LGTS", 3 },
    { 31, u"TAXI LGTS", 3 },
    { 40, u"SEAT BELTS", 3 },
    { 41, u"NO SMOKING", 3 },
    { 76, u"PRK BRK SET", 3 },
    { 77, u"SPLRS", 3 },
};

// One record per engine n = 1..4 in slot baseSlot + n; "%d" is the number.
struct EngineAlertRow {
    int baseSlot;
    std::u16string_view prefix;
    std::u16string_view suffix;
    int level;
};

constexpr EngineAlertRow kEicasEngineRecords[] = {
    { 4, u"ENG", u" SHUT", 1 },
    { 8, u"ENG", u" FIRE", 1 },
    { 31, u"ENG", u" OIL PRESS", 1 },
    { 35, u"ENG", u" FUEL PRESS", 2 },
};

constexpr int kEngineAlertCount = 4;

namespace EicasSlot {
enum : int {
    SpoilersArmed = 0,
    FuelQuantity = 1,
    Door = 13,
    Overspeed = 16,
};
}

}

void EfisDisplay::buildAlertRecords()
{
    buildAlertRows(kEicasRecords, alertRecords);
    for (EngineAlertRow const& row : kEicasEngineRecords) {
        for (int n = 1; n <= kEngineAlertCount; ++n) {
            std::u16string text(row.prefix);
            text += static_cast<char16_t>(u'0' + n);
            text += row.suffix;
            alertRecords[row.baseSlot + n].build(text, row.level);
        }
    }
}

void EfisDisplay::evaluateAlerts()
{
    setAlertActive(alertRecords[EicasSlot::FuelQuantity], fuelTotalKg(simData) < minFuelQuantity);
    setAlertActive(alertRecords[EicasSlot::SpoilersArmed], spoilersArmed(simData));
    setAlertActive(alertRecords[EicasSlot::Door], anyExitOpen(simData) && !onGround(simData));
    setAlertActive(alertRecords[EicasSlot::Overspeed], overspeedActive(simData));
}
