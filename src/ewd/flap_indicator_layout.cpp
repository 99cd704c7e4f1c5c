#include "ewd/flap_indicator_layout.h"

#include "config/profile_reader.h"

FlapIndicatorLayout readFlapIndicatorLayout(ProfileReader const& reader)
{
    FlapIndicatorLayout layout;
    layout.position = reader.readOptionalPoint("FlapIndicatorPosition").value_or(layout.position);
    layout.scale = reader.readPositiveFloat("FlapIndicatorScale", layout.scale);
    layout.mode = static_cast<FlapIndicatorMode>(reader.readKeyword("FlapIndicatorMode", Vocabulary::FlapIndicatorMode, 0));
    layout.alphaLockOffset = reader.readOptionalPoint("AlphaLockOffset").value_or(layout.alphaLockOffset);
    return layout;
}
