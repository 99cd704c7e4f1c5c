#include "ewd/detent_angles.h"

#include <algorithm>

void completeDetentAngles(DetentAngles& angles, int count, std::array<double, kLeverDetentCount> const& defaults)
{
    if (count <= 0) {
        std::copy(defaults.begin(), defaults.end(), angles.begin());
        return;
    }
    for (int detent = count; detent < kLeverDetentCount; ++detent)
        angles[detent] = std::max(defaults[detent], angles[detent - 1]);
}
