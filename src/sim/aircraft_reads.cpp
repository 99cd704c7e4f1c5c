#include "sim/aircraft_reads.h"

namespace {

double tankKilograms(SimData const& data, AircraftValue value)
{
    switch (value) {
    case AircraftValue::LeftFuel:
        return (data.leftAuxLbs + data.leftMainLbs) * kKilogramsPerPound;
    case AircraftValue::RightFuel:
        return (data.rightAuxLbs + data.rightMainLbs) * kKilogramsPerPound;
    case AircraftValue::CenterFuel:
        return data.centreLbs * kKilogramsPerPound;
    default:
        return AircraftValueSet::kNotAvailable;
    }
}

} // namespace

AircraftReads::AircraftReads(AircraftSources const& sources)
{
    for (AircraftValueRow const& row : kAircraftValueTable) {
        ValueSources const& source = sources[row.value];
        if (row.standard == StandardSource::FuelTanks && source.line == 0)
            tankValues.push_back(row.value);
        if (!source.fsuipc)
            continue;
        bool const perEngine = row.instances == ValueInstances::PerEngine;
        for (int i = 0; i < instanceCount(row.instances); ++i) {
            FsuipcSource const& fsuipc = *source.fsuipc;
            reads.push_back({ row.value, i, fsuipc.offsets[i], fsuipc.type, fsuipc.scale, fsuipc.bias, perEngine, source.codes });
        }
    }
    received.resize(reads.size());
}

// Queuing results are not examined: a refused read simply delivers nothing.
void AircraftReads::queue(FsuipcLink& link, int engineCount)
{
    queuedEngines = engineCount;
    FsuipcResult result;
    for (std::size_t i = 0; i < reads.size(); ++i) {
        Read const& read = reads[i];
        if (read.perEngine && read.instance >= engineCount)
            continue;
        link.read(read.offset, fsuipcValueSize(read.type), received[i].data(), result);
    }
}

void AircraftReads::decode(SimData& data) const
{
    for (std::size_t i = 0; i < reads.size(); ++i) {
        Read const& read = reads[i];
        if (read.perEngine && read.instance >= queuedEngines)
            continue;
        double const stored = decodeFsuipcValue(read.type, received[i]);
        data.aircraft.set(read.value, read.instance, storedToUnit(stored, read.scale, read.bias, read.codes));
    }
    for (AircraftValue value : tankValues)
        data.aircraft.set(value, 0, tankKilograms(data, value));
}
