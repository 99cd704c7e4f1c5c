#pragma once

#include "ewd/alpha_lock_pulse.h"
#include "ewd/detent_angles.h"
#include "ewd/flap_indicator_layout.h"
#include "render/graphics.h"
#include "sim/value_sources.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// What the indicator reads from the simulator each frame.
struct FlapSlatReadings {
    double leverPosition = 0; // 0 up .. 16383 full
    double flapAngle = 0; // trailing edge, degrees
    double slatAngle = 0; // leading edge, degrees
    bool slatAlphaLock = false; // off too while the aircraft gives no flag
    double simTime = 0; // seconds
};

// The display's pens, brushes and font the indicator draws with; a missing
// one leaves its elements out.
struct FlapSlatPaint {
    Pen const* wingPen = nullptr; // foreground
    Brush const* foregroundBrush = nullptr; // dots, "S", "F", settled "FLAP"
    Pen const* targetPen = nullptr; // flap handle: target outlines
    Brush const* travellingBrush = nullptr; // flap handle: texts while a surface travels
    Pen const* symbolPen = nullptr; // flap position: symbols and arms
    Brush const* settledBrush = nullptr; // flap position: settled configuration, "A LOCK"
    Font const* font = nullptr; // label font
};

// The indicator's drawing as a layout places it on the page, worked out once
// per layout.
struct FlapIndicatorGeometry {
    using Triangle = std::array<PointF, 3>;
    std::array<PointF, 4> wing;
    std::array<PointF, 4> slatTrack;
    std::array<PointF, 5> flapTrack;
    PointF slatPivot;
    PointF flapPivot;
    Triangle slatSymbol;
    Triangle flapSymbol;
    PointF flapCaption;
    PointF slatLetter;
    PointF flapLetter;
    PointF configLabel;
    float dotDiameter;
};

// The E/WD flap/slat indicator: a wing outline with the slat symbol on a track
// to its lower left and the flap symbol on a track to its lower right, each
// placed by interpolating its angle between the detent angles; target
// outlines while a surface travels to the lever's detent; and, once a surface
// is out, the detent dots, the captions and the selected configuration. The
// layout places and sizes it, and its FULL mode adds the coloured target dots
// and "A LOCK".
class FlapSlatIndicator {
public:
    // Lever positions from 0 to 16383 give detents 0 to 5, each centred on a
    // multiple of 3276.8.
    static constexpr double kLeverUnitsPerDetent = kFlapLeverUnitsPerDetent;
    // A surface within this many degrees of its detent angle has settled.
    static constexpr double kSettledTolerance = 0.1;

    FlapSlatIndicator();

    void setLayout(FlapIndicatorLayout const&);

    // Sets the shared string format's alignment for its texts.
    void draw(Graphics&, FlapSlatReadings const&, DetentAngles const& flapAngles, DetentAngles const& slatAngles,
        FlapSlatPaint const&, StringFormat& sharedFormat);

    // The configuration shown, kept between frames: "0", "1", "1+F", "2",
    // "3" or "FULL"; empty until a surface first leaves its stowed position.
    std::u16string_view configLabel() const { return m_configLabel; }

private:
    FlapIndicatorLayout m_layout;
    FlapIndicatorGeometry m_placed;
    std::u16string m_configLabel;
    AlphaLockPulse m_alphaLockPulse;
};
