#include "ewd/engine_item_settings.h"

#include "config/profile_reader.h"
#include "render/gauge_window.h"

#include <cmath>


namespace {

// The rating-limit mark is a thick one.
constexpr float kCautionWidth = 3;

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

    items.leverCircleRadius = reader.readPositiveFloat("ThrustLeverCircle", 0);
    items.ratingMarkLength = reader.readPositiveFloat("ThrustLimitMark", 0);
    items.n1PeakMarkLength = reader.readPositiveFloat("N1PeakMark", 0);
    items.egtPeakMarkLength = reader.readPositiveFloat("EGTPeakMark", 0);
    items.egtCautionMarkLength = reader.readPositiveFloat("EGTLimitMark", 0);
    items.n2CrossOffset = reader.readOptionalPoint("N2CrossOffset");
    items.availOffset = reader.readOptionalPoint("AvailOffset");
    items.revOffset = reader.readOptionalPoint("RevOffset");

    caution.kind = ColourKindPenAndBrush;
    caution.baseColour = reader.readColour("EngineCautionColor", "AMBER");
    caution.penWidth = reader.readFloat("EngineCautionThickness", kCautionWidth);

    std::optional<std::string> const fill = reader.readRaw("N2StartBackground");
    items.n2StartFill = fill.has_value();
    startFill.kind = ColourKindBrush;
    startFill.baseColour = parseColour(fill.value_or("GREY"));
    return items;
}
