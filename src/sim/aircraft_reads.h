#pragma once

#include "sim/aircraft_sources.h"
#include "sim/fsuipc_link.h"
#include "sim/sim_data.h"

#include <array>
#include <cstdint>
#include <vector>

// The frame's reads of the named values: built once from an aircraft's
// sources, queued with the link's other reads each cycle and decoded into
// SimData after a good exchange. A value without an FSUIPC source is never
// read and stays not available.
class AircraftReads {
public:
    // Request bytes the reads can take at most: every value at every
    // instance, in the widest type, with its record header.
    static constexpr std::uint32_t kMostRequestBytes
        = static_cast<std::uint32_t>(kAircraftValueCount) * kMaxValueInstances * (16 + 8);

    explicit AircraftReads(AircraftSources const& sources = standardAircraftSources());

    // Queues every read; per-engine values for the engines below engineCount.
    void queue(FsuipcLink& link, int engineCount);

    // Decodes what the last good exchange delivered, and computes the fuel
    // tank values the aircraft gives no source for.
    void decode(SimData& data) const;

private:
    struct Read {
        AircraftValue value;
        int instance;
        std::uint32_t offset;
        FsuipcValueType type;
        double scale;
        double bias;
        bool perEngine;
        std::vector<std::pair<int, int>> codes;
    };

    std::vector<Read> reads;
    std::vector<std::array<std::uint8_t, 8>> received;
    std::vector<AircraftValue> tankValues;
    int queuedEngines = 0;
};
