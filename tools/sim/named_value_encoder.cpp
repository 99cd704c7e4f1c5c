#include "named_value_encoder.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

void put(OffsetSpace& space, FsuipcSource const& source, int instance, double stored)
{
    std::uint32_t const size = fsuipcValueSize(source.type);
    std::uint32_t const offset = source.offsets[static_cast<std::size_t>(instance)];
    if (!OffsetSpace::contains(offset, size))
        return;
    std::array<std::uint8_t, 8> bytes {};
    encodeFsuipcValue(source.type, stored, bytes);
    space.write(offset, std::as_bytes(std::span(bytes).first(size)));
}

bool storesNaN(FsuipcValueType type) { return type == FsuipcValueType::F32 || type == FsuipcValueType::F64; }

// The least number the codes do not list that the type holds: the display
// decodes it as not available, which is how an integer offset with a coding
// says so (the zero it starts with is often a code, an A320's TOGA). NaN
// without codes, or when they list every number the type holds.
double unlistedStored(FsuipcValueType type, std::span<std::pair<int, int> const> codes)
{
    if (codes.empty())
        return std::numeric_limits<double>::quiet_NaN();
    for (std::size_t candidate = 0; candidate <= codes.size(); ++candidate) {
        std::array<std::uint8_t, 8> bytes {};
        encodeFsuipcValue(type, static_cast<double>(candidate), bytes);
        double const held = decodeFsuipcValue(type, bytes);
        if (std::isnan(storedToUnit(held, 1, 0, codes)))
            return held;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace

void encodeNamedValues(AircraftState const& state, AircraftSources const& sources, OffsetSpace& space)
{
    for (AircraftValueRow const& row : kAircraftValueTable) {
        ValueSources const& source = sources[row.value];
        // The state's own fields already serve the carried values at their
        // standard places; only an aircraft file's own place needs them too.
        if (!source.fsuipc || (AircraftState::carriedByFields(row.value) && source.line == 0))
            continue;
        for (int instance = 0; instance < instanceCount(row.instances); ++instance) {
            double const value = state.value(row.value, instance);
            FsuipcValueType const type = source.fsuipc->type;
            double const stored = std::isnan(value)
                ? (storesNaN(type) ? value : unlistedStored(type, source.codes))
                : unitToStored(value, source.fsuipc->scale, source.fsuipc->bias, source.codes);
            // A float can say "not available" (NaN), so the display reads the
            // value as missing rather than as what the offset held before; an
            // integer says so with a number its coding does not list, and
            // without one keeps its last number, as it does for a code its
            // coding has no number for.
            if (!std::isnan(stored) || storesNaN(type))
                put(space, *source.fsuipc, instance, stored);
        }
    }
}
