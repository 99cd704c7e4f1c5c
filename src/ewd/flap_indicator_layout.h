#pragma once

#include "render/geometry.h"

#include <cstdint>

class ProfileReader;

// BASIC draws the indicator of the basic page; FULL adds what the real page
// shows beyond it: the target detent dots in the handle colour while their
// surface travels and in the position colour once it has arrived, and the
// pulsing "A LOCK" under the slats.
enum class FlapIndicatorMode : std::int32_t { Basic = 0, Full = 1 };

// Where the flap/slat indicator stands and how large it is. Its drawing is
// made for the 1000 x 1000 page with the top left corner of its area at
// kDrawnCorner; it is moved so that corner lands on `position` and is scaled
// about it. Line widths and texts keep the layout's thickness and font keys.
struct FlapIndicatorLayout {
    static constexpr PointF kDrawnCorner { 633, 410 };

    PointF position = kDrawnCorner;
    float scale = 1;
    FlapIndicatorMode mode = FlapIndicatorMode::Basic;
    // The top centre of "A LOCK", from `position`, in the indicator's units.
    PointF alphaLockOffset { 40, 180 };

    // A point of the drawing made for the 1000 x 1000 page, on this page.
    PointF place(PointF drawn) const
    {
        return { position.x + (drawn.x - kDrawnCorner.x) * scale, position.y + (drawn.y - kDrawnCorner.y) * scale };
    }
    PointF alphaLockAnchor() const { return { position.x + alphaLockOffset.x * scale, position.y + alphaLockOffset.y * scale }; }
};

// The layout's indicator keys; an absent key keeps its default, and so does
// a scale that is not above 0, which would fold the indicator to a point or
// turn it inside out.
FlapIndicatorLayout readFlapIndicatorLayout(ProfileReader const&);
