// The stand-in serves the named values where the display's own reader looks,
// read back here through the core's decoding.

#include "aircraft_state.h"
#include "named_value_encoder.h"
#include "offset_space.h"
#include "sim/aircraft_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

// The value the display decodes for an instance, as its reads do.
double decoded(OffsetSpace const& space, AircraftSources const& sources, AircraftValue value, int instance)
{
    ValueSources const& source = sources[value];
    std::array<std::uint8_t, 8> bytes {};
    std::uint32_t const size = fsuipcValueSize(source.fsuipc->type);
    space.read(source.fsuipc->offsets[static_cast<std::size_t>(instance)],
        std::as_writable_bytes(std::span(bytes).first(size)));
    return storedToUnit(decodeFsuipcValue(source.fsuipc->type, bytes), source.fsuipc->scale, source.fsuipc->bias,
        source.codes);
}

// One step of the stored number, in the value's unit: what rounding can cost.
double resolution(FsuipcSource const& source)
{
    bool const floating = source.type == FsuipcValueType::F32 || source.type == FsuipcValueType::F64;
    return floating ? 1e-4 : std::abs(source.scale) / 2 + 1e-9;
}

TEST(NamedValueEncoder, EveryStandardOffsetReadsBackTheValueServed)
{
    AircraftState state;
    for (AircraftValueRow const& row : kAircraftValueTable) {
        for (int instance = 0; instance < instanceCount(row.instances); ++instance)
            state.setValue(row.value, instance, 0.5 + instance * 0.25 + static_cast<int>(row.value) % 3);
    }
    OffsetSpace space;
    encodeNamedValues(state, standardAircraftSources(), space);
    for (AircraftValueRow const& row : kAircraftValueTable) {
        // The carried values' standard offsets are the state encoder's, which
        // has its own tests.
        if (row.standard != StandardSource::FsuipcOffset || AircraftState::carriedByFields(row.value))
            continue;
        for (int instance = 0; instance < instanceCount(row.instances); ++instance) {
            double const served = state.value(row.value, instance);
            EXPECT_NEAR(decoded(space, standardAircraftSources(), row.value, instance), served, resolution(row.offset))
                << row.name << " " << instance + 1;
        }
    }
}

TEST(NamedValueEncoder, AnAircraftFilesPlacesCodesAndCarriedValuesAreServed)
{
    AircraftFileContents const file = parseAircraftFile("[ThrustLimitMode]\noffset = 0x66C0\ntype = u8\n"
                                                        "map = 11:1 13:3 15:5\n"
                                                        "[OilTemp]\noffset = 0x66C4\nstride = 2\ntype = s16\nscale = 0.5\n"
                                                        "[FlapAngle]\noffset = 0x66D0\ntype = f32\n"
                                                        "[ApuEGT]\noffset = 0x66D8\ntype = f64\n");
    ASSERT_TRUE(file.problems.empty()) << file.problems.front().message;
    AircraftSources const& sources = file.sources;
    AircraftState state;
    state.setValue(AircraftValue::ThrustLimitMode, 0, 3);
    state.setValue(AircraftValue::OilTemp, 0, -20);
    state.setValue(AircraftValue::OilTemp, 1, 95.5);
    state.flapAngle = 12.5;
    OffsetSpace space;
    encodeNamedValues(state, sources, space);
    EXPECT_EQ(decoded(space, sources, AircraftValue::ThrustLimitMode, 0), 3.0); // stored 13
    EXPECT_EQ(decoded(space, sources, AircraftValue::OilTemp, 0), -20.0);
    EXPECT_EQ(decoded(space, sources, AircraftValue::OilTemp, 1), 95.5);
    EXPECT_EQ(decoded(space, sources, AircraftValue::FlapAngle, 0), 12.5);
    // Not available (ApuEGT never set) at a float offset: NaN, which the
    // display reads as missing; a code the map lacks at an integer offset:
    // nothing is written, and the bytes keep what they held.
    EXPECT_TRUE(std::isnan(decoded(space, sources, AircraftValue::ApuEGT, 0)));
    state.setValue(AircraftValue::ThrustLimitMode, 0, 2);
    encodeNamedValues(state, sources, space);
    EXPECT_EQ(decoded(space, sources, AircraftValue::ThrustLimitMode, 0), 3.0);
    // The standard offset the file moved OilTemp from is left alone.
    EXPECT_EQ(decoded(space, standardAircraftSources(), AircraftValue::OilTemp, 0), 0.0);
}

// The offsets start at zero, which codes the A320 family's TOGA: a thrust
// limit mode the simulator never sent must not read as one.
TEST(NamedValueEncoder, AValueNotAvailableAtAnIntegerOffsetReadsAsMissingWhereItsCodingLeavesANumber)
{
    AircraftFileContents const file = parseAircraftFile("[ThrustLimitMode]\noffset = 0x66C0\ntype = u8\n"
                                                        "map = 0:4 1:2 2:1 3:3 4:5\n"
                                                        "[AlphaFloor]\noffset = 0x66C1\ntype = u8\n");
    ASSERT_TRUE(file.problems.empty()) << file.problems.front().message;
    AircraftSources const& sources = file.sources;
    double const missing = std::numeric_limits<double>::quiet_NaN();
    struct Step {
        double mode;
        double alphaFloor;
        double modeRead;
        double alphaFloorRead;
    };
    Step const steps[] = {
        { missing, missing, missing, 0 }, // never sent; without a coding the zero stays
        { 3, 1, 3, 1 },
        { 4, 0, 4, 0 },
        { 2, 1, 2, 1 },
        { missing, missing, missing, 1 }, // gone again; without a coding the last number stays
    };
    OffsetSpace space;
    for (Step const& step : steps) {
        AircraftState state;
        state.setValue(AircraftValue::ThrustLimitMode, 0, step.mode);
        state.setValue(AircraftValue::AlphaFloor, 0, step.alphaFloor);
        encodeNamedValues(state, sources, space);
        double const mode = decoded(space, sources, AircraftValue::ThrustLimitMode, 0);
        if (std::isnan(step.modeRead)) {
            EXPECT_TRUE(std::isnan(mode)) << mode;
        } else {
            EXPECT_EQ(mode, step.modeRead);
        }
        EXPECT_EQ(decoded(space, sources, AircraftValue::AlphaFloor, 0), step.alphaFloorRead) << step.alphaFloor;
    }
}

} // namespace
