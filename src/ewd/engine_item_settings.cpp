#include "ewd/engine_item_settings.h"

#include "config/profile_reader.h"
#include "render/gauge_window.h"

#include <cmath>

namespace {

// The rating-limit mark is a thick one.
constexpr float kCautionWidth = 3;

// A length or radius; anything not above 0 is "off".
float length(ProfileReader const& reader, std::string_view key)
{
    float const value = reader.readFloat(key, 0);
    return std::isfinite(value) && value > 0 ? value : 0;
}

std::optional<PointF> offset(ProfileReader const& reader, std::string_view key)
{
    if (!reader.readRaw(key))
        return std::nullopt;
    return reader.readPoint(key, "0,0");
}

// A table that does not read as one draws as none; lint names the fault.
BreakpointTable leverTable(ProfileReader const& reader)
{
    std::optional<std::string> const text = reader.readRaw("ThrustLeverN1");
    return text ? parseBreakpoints(*text).value_or(BreakpointTable {}) : BreakpointTable {};
}

}

EngineItemSettings readEngineItemSettings(ProfileReader const& reader, ColourEntry& caution, ColourEntry& startFill)
{
    EngineItemSettings items;
    items.states.startEndN2 = reader.readDouble("StartEndN2", items.states.startEndN2);
    items.states.egtStartLimit = reader.readDouble("EGTStartLimit", NAN);
    items.states.egtRunLimit = reader.readDouble("EGTRunLimit", NAN);
    items.states.leverToN1 = leverTable(reader);

    items.leverCircleRadius = length(reader, "ThrustLeverCircle");
    items.ratingMarkLength = length(reader, "ThrustLimitMark");
    items.n1PeakMarkLength = length(reader, "N1PeakMark");
    items.egtPeakMarkLength = length(reader, "EGTPeakMark");
    items.egtCautionMarkLength = length(reader, "EGTLimitMark");
    items.n2CrossOffset = offset(reader, "N2CrossOffset");
    items.availOffset = offset(reader, "AvailOffset");
    items.revOffset = offset(reader, "RevOffset");

    caution.kind = ColourKindPenAndBrush;
    caution.baseColour = reader.readColour("EngineCautionColor", "AMBER");
    caution.penWidth = reader.readFloat("EngineCautionThickness", kCautionWidth);

    std::optional<std::string> const fill = reader.readRaw("N2StartBackground");
    items.n2StartFill = fill.has_value();
    startFill.kind = ColourKindBrush;
    startFill.baseColour = parseColour(fill.value_or("GREY"));
    return items;
}
