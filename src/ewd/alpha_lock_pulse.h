#pragma once

#include "systems/condition_timers.h"

#include <optional>

// How "A LOCK" shows in a frame.
enum class AlphaLockShade { Hidden, Bright, Dim };

// The pulse of "A LOCK" while the slats are locked against retraction, on
// simulator time: bright for a second, dim for half a second, again and
// again from the moment the lock set in, so a paused simulator holds the
// caption still and every lock starts bright.
class AlphaLockPulse {
public:
    // The real page shows a green, pulsing "A LOCK" below the slat indication
    // (FCOM DSC-27-30-10, quoted at
    // https://airbusflightinstructor.com/a330/ata-27/ata-27-29-slats-alpha-speed-lock
    // and https://www.pprune.org/8131094-post603.html). No public source gives
    // the pulse's rhythm; these two figures are our own choice.
    static constexpr double kBrightSeconds = 1.0;
    static constexpr double kDimSeconds = 0.5;

    // locked: the aircraft's SlatAlphaLock switch.
    AlphaLockShade update(bool locked, double simTime);

private:
    ConditionAge m_age;
};
