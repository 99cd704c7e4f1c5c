#include "ewd/alpha_lock_pulse.h"

#include <cmath>

AlphaLockShade AlphaLockPulse::update(bool locked, double simTime)
{
    std::optional<double> const age = m_age.update(locked, simTime);
    if (!age)
        return AlphaLockShade::Hidden;
    double const intoCycle = std::fmod(*age, kBrightSeconds + kDimSeconds);
    return intoCycle < kBrightSeconds ? AlphaLockShade::Bright : AlphaLockShade::Dim;
}
