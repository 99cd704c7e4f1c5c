#pragma once

// Rows of the display's colour table (47) and font table (20), named by the
// role each one plays in drawing.
namespace ColourRow {
enum : int {
    Foreground = 0,
    Background = 1,
    QuadrantNormal = 2,
    QuadrantDanger = 3,
    QuadrantOff = 4,
    NeedleNormal = 5,
    NeedleDanger = 6,
    TextNormal = 7,
    TextDanger = 8,
    RingNormal = 9,
    RingDanger = 10,
    PieNormal = 11,
    PieDanger = 12,
    FrameNormal = 13,
    FrameDanger = 14,
    FrameOff = 15,
    BarStackNormal = 16,
    BarStackDanger = 17,
    Label = 18,
    Legend = 19,
    QuadrantBar = 20,
    ThrottleLever = 21,
    ThrottleCommand = 22,
    Inhibit = 23,
    FlapHandle = 24,
    FlapPosition = 25,
    CheckList = 26,
    LowAlert = 27,
    MediumAlert = 28,
    HighAlert = 29,
    FirstInfoField = 30, // 30..34
    FirstUserMessage = 35, // 35..44
    EngineCaution = 45, // the page's engine items
    StartFill = 46,
};
}

namespace FontRow {
enum : int {
    Digit = 0,
    Tick = 1,
    Label = 2,
    Legend = 3,
    Alert = 4,
    FirstInfoField = 5, // 5..9
    FirstUserMessage = 10, // 10..19
};
}
