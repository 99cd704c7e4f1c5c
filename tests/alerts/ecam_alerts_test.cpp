#include "alerts/alert_list.h"
#include "alerts/ecam_alerts.h"
#include "sim/value_sources.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

namespace {

// Pounds whose conversion gives exactly the kilograms asked for, so that
// thresholds are tested at their exact values.
double poundsFor(double kilograms)
{
    double pounds = kilograms / kKilogramsPerPound;
    for (int step = 0; step < 8 && pounds * kKilogramsPerPound != kilograms; ++step)
        pounds = std::nextafter(pounds, pounds * kKilogramsPerPound < kilograms ? 1e9 : 0.0);
    return pounds;
}

class EcamAlertRulesTest : public ::testing::Test {
protected:
    EcamAlertRulesTest()
    {
        buildEcamAlertRecords(records);
        // A quiet aircraft on the ground, strobe on, autopilot engaged,
        // autobrake off, enough fuel.
        data.engineCount = 2;
        data.onGround = 1;
        data.lights = 1 << 4;
        data.autopilotMaster = 1;
        data.autobrake = 1;
        data.pushbackState = 3;
        setFuel(3000, 3000);
    }

    void setFuel(double leftKg, double rightKg)
    {
        data.leftMainLbs = poundsFor(leftKg);
        data.rightMainLbs = poundsFor(rightKg);
        ASSERT_EQ(fuelLeftKg(data), leftKg);
        ASSERT_EQ(fuelRightKg(data), rightKg);
    }

    std::set<int> activeSlots()
    {
        std::set<int> on;
        for (AlertSwitch const& alert : rules.evaluate(data, records))
            if (alert.on)
                on.insert(alert.slot);
        return on;
    }

    std::array<AlertRecord, kAlertRecordCount> records {};
    SimData data;
    EcamAlertRules rules;
};

}

TEST(EcamAlertRecords, CarryTheEcamTextsAndLevels)
{
    std::array<AlertRecord, kAlertRecordCount> records {};
    records[1].build(u"FUEL QTY", 1);
    buildEcamAlertRecords(records);
    EXPECT_EQ(records[2].textView(), u"!FUEL! L WING TK LO LVL");
    EXPECT_EQ(records[2].level, 1);
    EXPECT_EQ(records[74].textView(), u"GPWS FLAP MODE OFF");
    EXPECT_EQ(records[87].textView(), u"T.O INHIBIT");
    EXPECT_EQ(records[87].level, 0);
    EXPECT_EQ(records[98].textView(), u"GPWS FLAP 3");
    // Slots the ECAM set leaves alone keep what they held.
    EXPECT_EQ(records[1].textView(), u"FUEL QTY");
    EXPECT_EQ(records[46].textView(), u"");
}

TEST_F(EcamAlertRulesTest, AQuietAircraftShowsNothing)
{
    EXPECT_EQ(activeSlots(), std::set<int> {});
}

TEST_F(EcamAlertRulesTest, NoDataShowsTheMessagesOfAnAircraftWithoutPower)
{
    SimData const empty;
    std::set<int> on;
    for (AlertSwitch const& alert : rules.evaluate(empty, records))
        if (alert.on)
            on.insert(alert.slot);
    EXPECT_EQ(on, (std::set<int> { EcamSlot::FuelBothLow, EcamSlot::StrobeOff, EcamSlot::LandAsap, EcamSlot::AutobrakeMax, EcamSlot::AutopilotOff }));
}

TEST_F(EcamAlertRulesTest, BothWingTanksLowGiveOnlyTheCombinedWarningAndLandAsapInFlight)
{
    setFuel(400, 99);
    EXPECT_EQ(activeSlots(), std::set<int> { EcamSlot::FuelBothLow });
    data.onGround = 0;
    data.lights = 1 << 4;
    EXPECT_EQ(activeSlots(), (std::set<int> { EcamSlot::FuelBothLow, EcamSlot::LandAsap }));
}

TEST_F(EcamAlertRulesTest, OneLowWingTankWarnsForThatSideOnly)
{
    setFuel(700, 900);
    EXPECT_EQ(activeSlots(), std::set<int> { EcamSlot::FuelLeftLow });
    setFuel(900, 749.5);
    EXPECT_EQ(activeSlots(), std::set<int> { EcamSlot::FuelRightLow });
    setFuel(750, 750);
    EXPECT_EQ(activeSlots(), std::set<int> {});
}

TEST_F(EcamAlertRulesTest, FireInFlightAsksToLandAsapAndDoorOnlyWarnsInFlight)
{
    data.engineFireFlags = 0b10;
    data.exitsOpen = 1;
    EXPECT_EQ(activeSlots(), std::set<int> {});
    data.onGround = 0;
    EXPECT_EQ(activeSlots(), (std::set<int> { EcamSlot::LandAsap, EcamSlot::Door }));
}

TEST_F(EcamAlertRulesTest, AutobrakeSelectorPositions)
{
    std::array<std::set<int>, 6> const expected { {
        { EcamSlot::AutobrakeMax }, // RTO
        {},
        { EcamSlot::AutobrakeLow },
        {},
        { EcamSlot::AutobrakeMedium },
        { EcamSlot::AutobrakeMax },
    } };
    for (std::uint8_t setting = 0; setting < expected.size(); ++setting) {
        data.autobrake = setting;
        EXPECT_EQ(activeSlots(), expected[setting]) << "selector " << int(setting);
    }
}

TEST_F(EcamAlertRulesTest, MemosFollowTheirSwitches)
{
    data.spoilersArmed = 1;
    data.spoilerLeft = 200;
    data.spoilerRight = 200;
    data.landingLights = 1;
    data.engineAntiIce[1] = 1;
    data.structuralDeice = 1;
    EXPECT_EQ(activeSlots(), (std::set<int> { EcamSlot::GroundSpoilersArmed, EcamSlot::SpeedBrake, EcamSlot::LandingLights, EcamSlot::EngineAntiIce, EcamSlot::WingAntiIce }));
    data.spoilerRight = 0;
    data.onGround = 0;
    data.lights = 0;
    EXPECT_EQ(activeSlots(), (std::set<int> { EcamSlot::GroundSpoilersArmed, EcamSlot::LandingLights, EcamSlot::EngineAntiIce, EcamSlot::WingAntiIce, EcamSlot::StrobeOff }));
}

TEST_F(EcamAlertRulesTest, EnginesBeyondTheFourthAreNotRead)
{
    data.engineCount = 6;
    data.engineAntiIce[3] = 1;
    EXPECT_EQ(activeSlots(), std::set<int> { EcamSlot::EngineAntiIce });
}

TEST_F(EcamAlertRulesTest, ParkBrakeBecomesACautionAboveIdleOrInPushbackAndKeepsItsPlace)
{
    data.parkingBrake = 1;
    data.landingLights = 1;
    AlertList memos;
    auto update = [&] {
        for (AlertSwitch const& alert : rules.evaluate(data, records)) {
            AlertRecord& record = records[alert.slot];
            record.active = alert.on;
            if (record.active && !record.listed)
                memos.insert(record);
        }
    };
    update();
    EXPECT_EQ(records[EcamSlot::ParkBrake].level, 3);
    ASSERT_EQ(memos.at(0), &records[EcamSlot::ParkBrake]);
    ASSERT_EQ(memos.at(1), &records[EcamSlot::LandingLights]);

    data.n1Percent[1] = 40.5;
    update();
    EXPECT_EQ(records[EcamSlot::ParkBrake].level, 2);
    EXPECT_EQ(memos.at(0), &records[EcamSlot::ParkBrake]);

    data.n1Percent[1] = 40.0;
    update();
    EXPECT_EQ(records[EcamSlot::ParkBrake].level, 3);
    data.pushbackState = 1;
    update();
    EXPECT_EQ(records[EcamSlot::ParkBrake].level, 2);
}
