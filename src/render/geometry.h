#pragma once

#include <cstdint>

// Page-space value types shared by every drawing call. Coordinates are
// single-precision page units; angles are degrees, 0 along +x, positive
// clockwise on screen (y grows downwards).

struct PointF {
    float x = 0;
    float y = 0;
};

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

// A drawing colour, 0xAARRGGBB.
using Argb = std::uint32_t;

constexpr Argb kOpaqueBlack = 0xFF000000;
constexpr Argb kOpaqueWhite = 0xFFFFFFFF;
constexpr Argb kOpaqueRed = 0xFFFF0000;
