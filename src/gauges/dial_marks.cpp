#include "gauges/dial_marks.h"

#include "gauges/gauge_scale.h"

PointF rimPoint(GaugeRecord const& gauge, PointF centre, double value, float beyond)
{
    float const angle = dialAngle(gauge, clampToScale(gauge, value));
    return rotateAbout({ centre.x + gauge.radius + beyond, centre.y }, centre, angle);
}

void drawRimMark(Graphics& graphics, Pen const& pen, GaugeRecord const& gauge, PointF centre, double value, float length)
{
    graphics.drawLine(pen, rimPoint(gauge, centre, value), rimPoint(gauge, centre, value, length));
}

void drawRimCircle(Graphics& graphics, Pen const& pen, GaugeRecord const& gauge, PointF centre, double value, float radius)
{
    graphics.drawArc(pen, squareAround(rimPoint(gauge, centre, value), radius), 0, 360);
}
