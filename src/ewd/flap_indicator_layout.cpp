#include "ewd/flap_indicator_layout.h"

#include "config/profile_reader.h"

#include <cmath>

namespace {

PointF readPointOr(ProfileReader const& reader, std::string_view key, PointF fallback)
{
    return reader.readRaw(key) ? reader.readPoint(key, "") : fallback;
}

}

FlapIndicatorLayout readFlapIndicatorLayout(ProfileReader const& reader)
{
    FlapIndicatorLayout layout;
    layout.position = readPointOr(reader, "FlapIndicatorPosition", layout.position);
    float const scale = reader.readFloat("FlapIndicatorScale", layout.scale);
    if (std::isfinite(scale) && scale > 0)
        layout.scale = scale;
    layout.mode = static_cast<FlapIndicatorMode>(reader.readKeyword("FlapIndicatorMode", Vocabulary::FlapIndicatorMode, 0));
    layout.alphaLockOffset = readPointOr(reader, "AlphaLockOffset", layout.alphaLockOffset);
    return layout;
}
