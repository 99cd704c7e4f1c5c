#include "sim/sim_derivation.h"

namespace {

constexpr double kEgtDegreesPerCount = 860.0 / 16384.0;
constexpr double kFullTankLevel = 8388608.0; // 2^23

double tankPounds(std::uint32_t level, std::uint32_t capacityGallons, double poundsPerGallon)
{
    return capacityGallons * (level / kFullTankLevel) * poundsPerGallon;
}

} // namespace

double commandedEpr(double n1Percent, CeprMapping const& mapping)
{
    double epr = mapping.eprMin
        + (n1Percent - mapping.n1Idle) / (mapping.n1Max - mapping.n1Idle) * (mapping.eprMax - mapping.eprMin);
    if (epr >= mapping.eprMax)
        epr = mapping.eprMax;
    // Written so that a mapping with N1 max equal to N1 idle (0 / 0) also lands on EPR min.
    if (!(epr > mapping.eprMin))
        epr = mapping.eprMin;
    return epr;
}

void deriveSimData(SimData& data, CeprMapping const& mapping)
{
    for (int engine = 0; engine < data.engineCount && engine < SimData::kMaxEngines; ++engine) {
        data.cepr[engine] = commandedEpr(data.n1Percent[engine], mapping);
        data.egtC[engine] = data.egtRaw[engine] * kEgtDegreesPerCount;
    }
    double const perGallon = data.poundsPerGallon;
    data.centreLbs = tankPounds(data.centreLevel, data.centreCapacity, perGallon);
    data.leftMainLbs = tankPounds(data.leftMainLevel, data.leftMainCapacity, perGallon);
    data.leftAuxLbs = tankPounds(data.leftAuxLevel, data.leftAuxCapacity, perGallon);
    data.rightMainLbs = tankPounds(data.rightMainLevel, data.rightMainCapacity, perGallon);
    data.rightAuxLbs = tankPounds(data.rightAuxLevel, data.rightAuxCapacity, perGallon);
    data.totalFuelLbs = data.rightAuxLbs + data.rightMainLbs + data.leftAuxLbs + data.leftMainLbs + data.centreLbs;
    data.totalFuelKg = data.totalFuelLbs * kKilogramsPerPound;
}
