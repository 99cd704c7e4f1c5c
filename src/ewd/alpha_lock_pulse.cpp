#include "ewd/alpha_lock_pulse.h"

#include <cmath>

AlphaLockShade AlphaLockPulse::update(std::optional<double> lockFlag, double simTime)
{
    // From a half up, so a flag that an aircraft file scales lands on "locked"
    // even when it comes out a little off 1.
    bool const locked = lockFlag && *lockFlag >= 0.5;
    // A simulator time that goes back (a new flight, a replay from its start)
    // starts the pulse again rather than leaving it before its own beginning;
    // so does a time that is not a number, once a number comes again.
    if (!locked || (m_since && !(simTime >= *m_since)))
        m_since.reset();
    if (!locked)
        return AlphaLockShade::Hidden;
    if (!m_since)
        m_since = simTime;
    double const intoCycle = std::fmod(simTime - *m_since, kBrightSeconds + kDimSeconds);
    return intoCycle < kBrightSeconds ? AlphaLockShade::Bright : AlphaLockShade::Dim;
}
