#pragma once

#include "render/geometry.h"

#include <cstdint>
#include <string>

// The drawing form of a gauge; the value is the index of its keyword.
enum class DisplayType : std::int32_t { None = 0, Quadrant = 1, Ring = 2, Bar = 3, Stack = 4, Text = 5 };

// Which side of the threshold is the danger zone; derived from the threshold.
enum class DangerSide : std::int32_t { None = 0, Low = 1, High = 2 };

// One profile-configured gauge. Engine gauges are drawn once per engine
// column; single gauges once.
struct GaugeRecord {
    static constexpr int kMaxEngines = 4;
    static constexpr std::size_t kMaxTextLength = 49; // label and legend

    DisplayType displayType = DisplayType::None;
    RectF box;
    float min = 0;
    float max = 100;
    float firstTick = 0;
    double precision = 1;
    float scaleFactor = 0; // degrees per unit (dials), page units per unit (bars, stacks)
    std::int32_t decimals = 0;
    bool displayZero = true;
    bool frame = false;
    float readoutWidth = 0;
    float readoutHeight = 0;
    bool dangerZone = false;
    float dangerThreshold = 0;
    DangerSide dangerSide = DangerSide::None;
    bool extremumTick = false;
    PointF centres[kMaxEngines] = {};
    float radius = 0;
    float needleStartRadiusRatio = 0;
    float needleEndRadiusRatio = 1;
    float startAngle = 180;
    float endAngle = 180;
    std::int32_t orientation = 1; // stored only: bars and stacks are always vertical
    float thickness = 20;
    bool columnFrame = true;
    float blockSize = 20;
    float blockInterval = 5;
    bool valueDisplayed = false;
    PointF readoutPositions[kMaxEngines] = {};
    PointF valueOffset;
    std::u16string label;
    PointF labelOffset;
    std::u16string legend;
    PointF legendOffset;
    float tickSize = 0;
    float tickInterval = 0;
    float tickLabelInterval = 0;
    std::int32_t tickLabelDecimals = 0;
    float tickValueDivider = 1;
    float labelValueDivider = 1;
};
