#include "named_value_encoder.h"

#include <array>
#include <cmath>
#include <cstdint>

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
            double const stored = std::isnan(value) ? value : unitToStored(value, source.fsuipc->scale, source.fsuipc->bias, source.codes);
            // A float can say "not available" (NaN), so the display reads the
            // value as missing rather than as what the offset held before; an
            // integer cannot, and keeps its last number.
            if (!std::isnan(stored) || storesNaN(source.fsuipc->type))
                put(space, *source.fsuipc, instance, stored);
        }
    }
}
