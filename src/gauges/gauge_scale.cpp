#include "gauges/gauge_scale.h"

#include <algorithm>
#include <cmath>
#include <numbers>

bool hasDrawableScale(GaugeRecord const& gauge)
{
    float const range = gauge.max - gauge.min;
    return std::isfinite(range) && range != 0;
}

double clampToScale(GaugeRecord const& gauge, double value)
{
    return std::min(std::max(value, static_cast<double>(gauge.min)), static_cast<double>(gauge.max));
}

float dialAngle(GaugeRecord const& gauge, double value)
{
    return static_cast<float>((value - gauge.min) * gauge.scaleFactor + gauge.startAngle);
}

bool valueInDanger(GaugeRecord const& gauge, double value)
{
    switch (gauge.dangerSide) {
    case DangerSide::High:
        return value >= gauge.dangerThreshold;
    case DangerSide::Low:
        return value <= gauge.dangerThreshold;
    case DangerSide::None:
        break;
    }
    return false;
}

bool tickInDanger(GaugeRecord const& gauge, double tick)
{
    switch (gauge.dangerSide) {
    case DangerSide::High:
        return tick > gauge.dangerThreshold;
    case DangerSide::Low:
        return tick < gauge.dangerThreshold;
    case DangerSide::None:
        break;
    }
    return false;
}

PointF rotateAbout(PointF point, PointF centre, float angle)
{
    double const radians = angle * std::numbers::pi / 180.0;
    double const c = std::cos(radians);
    double const s = std::sin(radians);
    double const dx = point.x - centre.x;
    double const dy = point.y - centre.y;
    return { static_cast<float>(centre.x + dx * c - dy * s), static_cast<float>(centre.y + dx * s + dy * c) };
}

RectF squareAround(PointF centre, float radius)
{
    return { centre.x - radius, centre.y - radius, 2 * radius, 2 * radius };
}
