#pragma once

#include "gauges/gauge_record.h"
#include "render/geometry.h"

// Scale arithmetic shared by dials, bars and stacks.

// However small the interval or wide the range, a scale draws at most this
// many ticks, so a frame always ends.
inline constexpr int kMaxScaleTicks = 1000;

// A shape needs a finite, non-empty value range; Max equal to Min would make
// every angle and length non-finite, so such a gauge draws no shape.
bool hasDrawableScale(GaugeRecord const&);

// min(max(value, Min), Max): a scale that runs downwards (Max < Min) always
// gives Max.
double clampToScale(GaugeRecord const&, double value);

// The dial angle of a value: Min sits at the start angle, Max at the end angle.
float dialAngle(GaugeRecord const&, double value);

// Sector, needle, readout and bar colours: high side v >= threshold, low side
// v <= threshold, no threshold never.
bool valueInDanger(GaugeRecord const&, double value);
// Tick colour: high side t > threshold, low side t < threshold.
bool tickInDanger(GaugeRecord const&, double tick);

// The point turned by angle degrees (clockwise on screen) about centre.
PointF rotateAbout(PointF point, PointF centre, float angle);

// The square (cx - r, cy - r, 2r, 2r) around a centre.
RectF squareAround(PointF centre, float radius);
