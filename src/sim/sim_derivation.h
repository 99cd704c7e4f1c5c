#pragma once

#include "sim/sim_data.h"

// The four values that map N1 onto the commanded EPR; configuration may set them.
struct CeprMapping {
    double n1Idle = 25.0;
    double n1Max = 100.0;
    double eprMin = 1.0;
    double eprMax = 1.8;
};

// The commanded EPR for an N1 in percent: linear from (N1 idle, EPR min) to
// (N1 max, EPR max), held within [EPR min, EPR max].
double commandedEpr(double n1Percent, CeprMapping const& mapping);

// Recomputes the engineering values of data from its raw fields: CEPR and EGT
// per engine below engineCount, tank and total fuel. poundsPerGallon must
// already be set.
void deriveSimData(SimData& data, CeprMapping const& mapping);
