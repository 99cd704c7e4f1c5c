#include "sim/value_sources.h"

#include <gtest/gtest.h>

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
    // Values the link does not acquire show N2.
    for (char const* name : { "N2", "Torque", "ITT", "OilQty", "OilPress", "OilTemp", "Vib", "HydPress", "HydQty" }) {
        EXPECT_EQ(engineValue(name, data, 1, UnitSystem::US), 95.5) << name;
        EXPECT_EQ(engineValue(name, data, 1, UnitSystem::Metric), 95.5) << name;
    }
}

TEST(ValueSources, EveryOtherValueIsTheTotalFuel)
{
    SimData data;
    data.leftMainLbs = 100.0;
    data.totalFuelLbs = 1234.0;
    data.totalFuelKg = 559.7424;
    for (OtherParam const& param : OtherParamTable) {
        EXPECT_EQ(param.value(data, UnitSystem::US), 1234.0) << param.name;
        EXPECT_EQ(param.value(data, UnitSystem::Metric), 559.7424) << param.name;
    }
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
