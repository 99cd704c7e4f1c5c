#include "sim/aircraft_sources.h"

#include <cmath>
#include <limits>

double storedToUnit(double stored, double scale, double bias, std::span<std::pair<int, int> const> codes)
{
    if (codes.empty())
        return stored * scale + bias;
    for (auto const& [from, to] : codes) {
        if (std::round(stored) == from)
            return to;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double unitToStored(double value, double scale, double bias, std::span<std::pair<int, int> const> codes)
{
    if (codes.empty())
        return (value - bias) / scale;
    for (auto const& [from, to] : codes) {
        if (std::round(value) == to)
            return from;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

AircraftSources const& standardAircraftSources()
{
    static AircraftSources const standard = [] {
        AircraftSources sources;
        for (AircraftValueRow const& row : kAircraftValueTable) {
            if (row.standard == StandardSource::FsuipcOffset)
                sources[row.value].fsuipc = row.offset;
        }
        return sources;
    }();
    return standard;
}
