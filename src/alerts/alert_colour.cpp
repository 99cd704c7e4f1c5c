#include "alerts/alert_colour.h"

#include "gauges/table_rows.h"

#include <array>

namespace {

constexpr std::array<int, 4> kRowOfLevel {
    ColourRow::Inhibit, // 0
    ColourRow::HighAlert, // 1
    ColourRow::MediumAlert, // 2
    ColourRow::LowAlert, // 3
};

}

int alertColourRow(int level)
{
    if (level < 0 || level >= static_cast<int>(kRowOfLevel.size()))
        return ColourRow::Foreground;
    return kRowOfLevel[level];
}

int alertLineColourRow(int level, int forcedColourRow)
{
    return forcedColourRow >= 0 ? forcedColourRow : alertColourRow(level);
}
