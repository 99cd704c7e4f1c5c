#pragma once

#include "gauges/gauge_record.h"
#include "render/graphics.h"

// Marks that stand on a dial's rim at a value of its scale: a short radial
// line running outward, and a small circle centred on the rim. A value off
// the scale stands at its end.

// The point of the rim at a value, moved outward by beyond.
PointF rimPoint(GaugeRecord const&, PointF centre, double value, float beyond = 0);

void drawRimMark(Graphics&, Pen const&, GaugeRecord const&, PointF centre, double value, float length);
void drawRimCircle(Graphics&, Pen const&, GaugeRecord const&, PointF centre, double value, float radius);
