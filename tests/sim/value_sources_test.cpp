#include "sim/value_sources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

double engineValue(char const* name, SimData const& data, int engine, UnitSystem units)
{
    for (EngineParam const& param : EngineParamTable) {
        if (std::string(param.name) == name)
            return param.value(data, engine, units);
    }
    ADD_FAILURE() << "no engine value " << name;
    return 0;
}

TEST(ValueSources, TheTablesHoldTheirNamesInGaugeOrder)
{
    char const* const engineNames[] = { "N1", "N2", "EPR", "CEPR", "Torque", "EGT", "ITT", "FF", "OilQty", "OilPress",
        "OilTemp", "Vib", "HydPress", "HydQty" };
    char const* const otherNames[] = { "LeftFuel", "RightFuel", "CenterFuel", "TotalFuel", "FlapHandle", "FlapAngle",
        "SlatAngle", "ApuRPM", "ApuEGT" };
    for (int i = 0; i < kEngineParamCount; ++i)
        EXPECT_STREQ(EngineParamTable[i].name, engineNames[i]);
    for (int i = 0; i < kOtherParamCount; ++i)
        EXPECT_STREQ(OtherParamTable[i].name, otherNames[i]);
}

TEST(ValueSources, EngineValuesComeFromTheirEngineAndUnitColumn)
{
    SimData data;
    data.n1Percent[1] = 84.2;
    data.n2Percent[1] = 95.5;
    data.epr[1] = 1.32;
    data.cepr[1] = 1.41;
    data.egtC[1] = 640.0;
    data.fuelFlowPph[1] = 1000.0;
    EXPECT_EQ(engineValue("N1", data, 1, UnitSystem::Metric), 84.2);
    EXPECT_EQ(engineValue("EPR", data, 1, UnitSystem::US), 1.32);
    EXPECT_EQ(engineValue("CEPR", data, 1, UnitSystem::US), 1.41);
    EXPECT_EQ(engineValue("EGT", data, 1, UnitSystem::Metric), 640.0);
    EXPECT_EQ(engineValue("FF", data, 1, UnitSystem::US), 1000.0);
    EXPECT_DOUBLE_EQ(engineValue("FF", data, 1, UnitSystem::Metric), 453.6);
    EXPECT_EQ(engineValue("FF", data, 0, UnitSystem::Metric), 0.0);
    EXPECT_EQ(engineValue("N2", data, 1, UnitSystem::US), 95.5);
}

// Every row beyond the link's own fields reads its named value, the same in
// both unit systems except fuel (pounds under US, kilograms under METRIC),
// and shows a value the aircraft does not give as 0.
TEST(ValueSources, EveryOtherRowReadsItsOwnNamedValue)
{
    struct Row {
        char const* name;
        AircraftValue value;
        double us;
    };
    Row const engineRows[] = {
        { "Torque", AircraftValue::Torque, 0 }, { "ITT", AircraftValue::ITT, 0 },
        { "OilQty", AircraftValue::OilQty, 0 }, { "OilPress", AircraftValue::OilPress, 0 },
        { "OilTemp", AircraftValue::OilTemp, 0 }, { "Vib", AircraftValue::Vib, 0 },
        { "HydPress", AircraftValue::HydPress, 0 }, { "HydQty", AircraftValue::HydQty, 0 },
    };
    Row const otherRows[] = {
        { "LeftFuel", AircraftValue::LeftFuel, 1000 / 0.4536 }, { "RightFuel", AircraftValue::RightFuel, 1000 / 0.4536 },
        { "CenterFuel", AircraftValue::CenterFuel, 1000 / 0.4536 }, { "FlapHandle", AircraftValue::FlapHandle, 1000 },
        { "FlapAngle", AircraftValue::FlapAngle, 1000 }, { "SlatAngle", AircraftValue::SlatAngle, 1000 },
        { "ApuRPM", AircraftValue::ApuN, 1000 }, { "ApuEGT", AircraftValue::ApuEGT, 1000 },
    };
    SimData data;
    for (Row const& row : engineRows) {
        EXPECT_EQ(engineValue(row.name, data, 1, UnitSystem::US), 0.0) << row.name << " not available";
        data.aircraft.set(row.value, 1, 1000 + static_cast<int>(row.value));
        EXPECT_EQ(engineValue(row.name, data, 1, UnitSystem::US), 1000 + static_cast<int>(row.value)) << row.name;
        EXPECT_EQ(engineValue(row.name, data, 1, UnitSystem::Metric), 1000 + static_cast<int>(row.value)) << row.name;
    }
    for (Row const& row : otherRows) {
        auto const param = std::ranges::find_if(OtherParamTable, [&](OtherParam const& p) { return std::string(p.name) == row.name; });
        ASSERT_NE(param, OtherParamTable.end()) << row.name;
        EXPECT_EQ(param->value(data, UnitSystem::Metric), 0.0) << row.name << " not available";
        data.aircraft.set(row.value, 0, 1000);
        EXPECT_DOUBLE_EQ(param->value(data, UnitSystem::US), row.us) << row.name;
        EXPECT_EQ(param->value(data, UnitSystem::Metric), 1000) << row.name;
    }
}

TEST(ValueSources, TheTotalFuelIsThePoundsOrKilogramsOfAllTanks)
{
    SimData data;
    data.totalFuelLbs = 1234.0;
    data.totalFuelKg = 559.7424;
    EXPECT_EQ(OtherParamTable[3].value(data, UnitSystem::US), 1234.0);
    EXPECT_EQ(OtherParamTable[3].value(data, UnitSystem::Metric), 559.7424);
    // A named value tells "not available" from zero.
    EXPECT_EQ(aircraftValue(data, AircraftValue::N1Limit), std::nullopt);
    data.aircraft.set(AircraftValue::N1Limit, 0, 0.0);
    EXPECT_EQ(aircraftValue(data, AircraftValue::N1Limit), 0.0);
}

TEST(ValueSources, NamedTestsReadTheirFieldsExactly)
{
    SimData data;
    data.n1Percent[0] = 1.0;
    data.n1Percent[1] = 1.0001;
    EXPECT_FALSE(engineRunning(data, 0));
    EXPECT_TRUE(engineRunning(data, 1));

    data.engineFireFlags = 2;
    EXPECT_FALSE(engineOnFire(data, 0));
    EXPECT_TRUE(engineOnFire(data, 1));
    EXPECT_FALSE(engineOnFire(data, 2));

    data.parkingBrake = 0x10000; // only the low 16 bits count
    EXPECT_FALSE(parkingBrakeSet(data));
    data.parkingBrake = 32767;
    EXPECT_TRUE(parkingBrakeSet(data));

    data.pushbackState = 3;
    EXPECT_FALSE(pushbackActive(data));
    data.pushbackState = 0;
    EXPECT_TRUE(pushbackActive(data));

    data.lights = 0x0F;
    EXPECT_FALSE(strobeOn(data));
    data.lights = 0x10;
    EXPECT_TRUE(strobeOn(data));

    data.spoilerLeft = 0xFFFFFFFF;
    EXPECT_EQ(spoilerLeftPosition(data), 4294967295.0);
    data.flapsControl = 16383;
    EXPECT_EQ(flapLeverPosition(data), 16383.0);
    data.flapAngleRaw = 40 * 256 + 128;
    data.slatAngleRaw = 0xFFFF;
    EXPECT_EQ(flapAngleDeg(data), 40.5);
    EXPECT_EQ(slatAngleDeg(data), 65535.0 / 256);
    data.autobrake = 5;
    EXPECT_EQ(autobrakeSetting(data), 5);
    data.engineAntiIce[1] = 0x100;
    EXPECT_TRUE(engineAntiIceOn(data, 1));
    EXPECT_FALSE(engineAntiIceOn(data, 0));
}

TEST(ValueSources, SideFuelInKilogramsAddsMainAndAuxiliaryTanks)
{
    SimData data;
    data.leftMainLbs = 1000.0;
    data.leftAuxLbs = 250.0;
    data.rightMainLbs = 900.0;
    data.rightAuxLbs = 0.0;
    EXPECT_DOUBLE_EQ(fuelLeftKg(data), 1250.0 * 0.4536);
    EXPECT_DOUBLE_EQ(fuelRightKg(data), 900.0 * 0.4536);
}

} // namespace
