#include "ewd/layout_keys.h"

#include "config/ascii_text.h"
#include "config/profile_reader.h"
#include "sim/value_sources.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_map>

namespace {

using V = LayoutValue;

struct KeyRow {
    std::string_view name;
    LayoutValue value;
    std::span<std::string_view const> words = {};
};

// Keys of the whole page, in the order the readers take them.
constexpr KeyRow kPageKeys[] = {
    { "InhibitColor", V::Colour },
    { "StartEndN2", V::Number },
    { "EGTStartLimit", V::Number },
    { "EGTRunLimit", V::Number },
    { "ThrustLeverN1", V::Breakpoints },
    { "ThrustLeverCircle", V::Number },
    { "ThrustLimitMark", V::Number },
    { "N1PeakMark", V::Number },
    { "EGTPeakMark", V::Number },
    { "EGTLimitMark", V::Number },
    { "N2CrossOffset", V::Offset },
    { "AvailOffset", V::Offset },
    { "RevOffset", V::Offset },
    { "EngineCautionColor", V::Colour },
    { "EngineCautionThickness", V::Number },
    { "N2StartBackground", V::Colour },
    { "EFISStyle", V::Keyword, Vocabulary::PageStyle },
    { "EngineType", V::Keyword, Vocabulary::EngineType },
    { "FlapPositions", V::NumberList },
    { "SlatPositions", V::NumberList },
    { "ThrustLimitPosition", V::Position },
    { "ThrustLimitValueOffset", V::Offset },
    { "ThrustLimitFlexOffset", V::Offset },
    { "ThrustLimitDecimals", V::Integer },
    { "ThrustLimitUnit", V::Text },
    { "ThrustLimitFont", V::Text },
    { "ThrustLimitFontSize", V::FontSize },
    { "IdlePosition", V::Position },
    { "IdleN1", V::Number },
    { "AlphaFloorPosition", V::Position },
    { "ThrottleClimbDetent", V::Number },
    { "ThrottleFlexMctDetent", V::Number },
    { "ThrottleTogaDetent", V::Number },
    { "ThrottleReverseDetent", V::Number },
    { "SeparatorY", V::Number },
    { "LeftSeparatorEndX", V::Number },
    { "RightSeparatorStartX", V::Number },
    { "VerticalSeparatorX", V::Number },
    { "UpperSeparatorTop", V::Number },
    { "UpperSeparatorBottom", V::Number },
    { "LowerSeparatorTop", V::Number },
    { "FlapIndicatorPosition", V::Position },
    { "FlapIndicatorScale", V::Scale },
    { "FlapIndicatorMode", V::Keyword, Vocabulary::FlapIndicatorMode },
    { "AlphaLockOffset", V::Offset },
    { "WarningMode", V::Keyword, Vocabulary::WarningMode },
    { "FontQuality", V::Keyword, Vocabulary::FontQuality },
    { "AntiAliasing", V::YesNo },
    { "DayBrightness", V::Number },
    { "NightBrightness", V::Number },
    { "SizeX", V::Number },
    { "SizeY", V::Number },
    { "IgnoredRedraws", V::Integer },
    { "ForegroundColor", V::Colour },
    { "ForegroundThickness", V::Number },
    { "BackgroundColor", V::Colour },
    { "QuadrantNormalColor", V::Colour },
    { "QuadrantNormalThickness", V::Number },
    { "QuadrantDangerColor", V::Colour },
    { "QuadrantDangerThickness", V::Number },
    { "QuadrantOffColor", V::Colour },
    { "QuadrantOffThickness", V::Number },
    { "NeedleNormalColor", V::Colour },
    { "NeedleNormalThickness", V::Number },
    { "NeedleDangerColor", V::Colour },
    { "NeedleDangerThickness", V::Number },
    { "TextNormalColor", V::Colour },
    { "TextDangerColor", V::Colour },
    { "PieNormalColor", V::Colour },
    { "PieDangerColor", V::Colour },
    { "FrameNormalColor", V::Colour },
    { "FrameNormalThickness", V::Number },
    { "FrameDangerColor", V::Colour },
    { "FrameDangerThickness", V::Number },
    { "FrameOffColor", V::Colour },
    { "BarStackNormalColor", V::Colour },
    { "BarStackDangerColor", V::Colour },
    { "LabelColor", V::Colour },
    { "LegendColor", V::Colour },
    { "LowAlertColor", V::Colour },
    { "MediumAlertColor", V::Colour },
    { "HighAlertColor", V::Colour },
    { "HighAlertThickness", V::Number },
    { "ThrottleLeverColor", V::Colour },
    { "ThrottleLeverThickness", V::Number },
    { "ThrottleCommandColor", V::Colour },
    { "ThrottleCommandThickness", V::Number },
    { "QuadrantBarColor", V::Colour },
    { "QuadrantBarThickness", V::Number },
    { "FlapHandleColor", V::Colour },
    { "FlapHandleThickness", V::Number },
    { "FlapPositionColor", V::Colour },
    { "FlapPosThickness", V::Number },
    { "CheckListThickness", V::Number },
    { "DigitFont", V::Text },
    { "DigitFontSize", V::FontSize },
    { "DigitFontStyle", V::Keyword, Vocabulary::FontStyle },
    { "TickFont", V::Text },
    { "TickFontSize", V::FontSize },
    { "TickFontStyle", V::Keyword, Vocabulary::FontStyle },
    { "LabelFont", V::Text },
    { "LabelFontSize", V::FontSize },
    { "LabelFontStyle", V::Keyword, Vocabulary::FontStyle },
    { "LegendFont", V::Text },
    { "LegendFontSize", V::FontSize },
    { "LegendFontStyle", V::Keyword, Vocabulary::FontStyle },
    { "AlertFont", V::Text },
    { "AlertFontSize", V::FontSize },
    { "AlertFontStyle", V::Keyword, Vocabulary::FontStyle },
    { "Units", V::Keyword, Vocabulary::UnitSystem },
    { "EngineOffManaged", V::YesNo },
    { "EngineOffChar", V::Character },
    { "CEPR_N1Idle", V::Number },
    { "CEPR_N1Max", V::Number },
    { "CEPR_EPRMin", V::Number },
    { "CEPR_EPRMax", V::Number },
    { "FlapBox", V::Box },
    { "AlertBox", V::Box },
    { "StatusBox", V::Box },
    { "MinFuelQuantity", V::Number },
    { "MaxGroundSpeed", V::Number },
    { "MaxGearSpeed", V::Number },
    { "MinOilPressure", V::Number },
    { "MinFuelPressure", V::Number },
};

// The keys of each gauge: its name followed by one of these.
constexpr KeyRow kGaugeSuffixes[] = {
    { "DisplayType", V::Keyword, Vocabulary::GaugeForm },
    { "Box", V::Box },
    { "Min", V::Number },
    { "Max", V::Number },
    { "FirstTick", V::Number },
    { "Precision", V::Number },
    { "Decimals", V::Integer },
    { "DangerZone", V::YesNo },
    { "DangerThreshold", V::Number },
    { "Frame", V::YesNo },
    { "DisplayZero", V::YesNo },
    { "StartAngle", V::Number },
    { "EndAngle", V::Number },
    { "NeedleStartRadiusRatio", V::Number },
    { "NeedleEndRadiusRatio", V::Number },
    { "ExtremumTick", V::YesNo },
    { "BarOrientation", V::Keyword, Vocabulary::Orientation },
    { "BarThickness", V::Integer },
    { "BarFrame", V::YesNo },
    { "StackOrientation", V::Keyword, Vocabulary::Orientation },
    { "StackThickness", V::Integer },
    { "StackBlockSize", V::Integer },
    { "StackBlockInterval", V::Integer },
    { "StackFrame", V::YesNo },
    { "ValueDisplayed", V::YesNo },
    { "ValueOffset", V::Offset },
    { "Label", V::Text },
    { "LabelOffset", V::Offset },
    { "Legend", V::Text },
    { "LegendOffset", V::Offset },
    { "TickSize", V::Number },
    { "TickInterval", V::Number },
    { "TickLabelInterval", V::Number },
    { "TickLabelDecimals", V::Integer },
    { "TickValueDivider", V::Number },
    { "LabelValueDivider", V::Number },
};

constexpr std::string_view kInfoFields[] = { "TotalFuel", "SAT", "TAT", "Gear", "Spoiler" };
constexpr KeyRow kInfoSuffixes[] = {
    { "Color", V::Colour },
    { "Font", V::Text },
    { "FontSize", V::FontSize },
    { "Prefix", V::Text },
    { "Suffix", V::Text },
    { "Position", V::Position },
    { "Alignment", V::Alignment },
    { "Display", V::Keyword, Vocabulary::ShowCondition },
};

constexpr int kUserMessages = 10;
constexpr KeyRow kUserMessageSuffixes[] = {
    { "Color", V::Colour },
    { "Font", V::Text },
    { "FontSize", V::FontSize },
    { "FontStyle", V::Keyword, Vocabulary::FontStyle },
    { "Label", V::Text },
    { "Position", V::Position },
    { "Alignment", V::Alignment },
};

// The numbered decoration keys: the prefix and a decimal number.
constexpr std::string_view kShapePrefixes[] = { "Line", "Rect" };

std::vector<std::string> makeGaugeNames()
{
    std::vector<std::string> names;
    for (EngineParam const& param : EngineParamTable)
        names.emplace_back(param.name);
    for (OtherParam const& param : OtherParamTable)
        names.emplace_back(param.name);
    return names;
}

std::vector<LayoutKey> makeKeys()
{
    std::vector<LayoutKey> keys;
    for (KeyRow const& row : kPageKeys)
        keys.push_back({ std::string(row.name), row.value, row.words });
    for (std::string const& gauge : layoutGaugeNames()) {
        for (KeyRow const& row : kGaugeSuffixes)
            keys.push_back({ gauge + std::string(row.name), row.value, row.words });
    }
    for (std::string_view field : kInfoFields) {
        for (KeyRow const& row : kInfoSuffixes)
            keys.push_back({ "Info" + std::string(field) + std::string(row.name), row.value, row.words });
    }
    for (int m = 1; m <= kUserMessages; ++m) {
        for (KeyRow const& row : kUserMessageSuffixes)
            keys.push_back({ "UserMessage" + std::to_string(m) + std::string(row.name), row.value, row.words });
    }
    return keys;
}

bool isShapeKey(std::string_view name)
{
    return std::any_of(std::begin(kShapePrefixes), std::end(kShapePrefixes), [name](std::string_view prefix) {
        if (name.size() <= prefix.size() || !equalsIgnoringAsciiCase(name.substr(0, prefix.size()), prefix))
            return false;
        std::string_view const number = name.substr(prefix.size());
        return std::all_of(number.begin(), number.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    });
}

} // namespace

std::span<std::string const> layoutGaugeNames()
{
    static std::vector<std::string> const names = makeGaugeNames();
    return names;
}

std::span<LayoutKey const> layoutKeys()
{
    static std::vector<LayoutKey> const keys = makeKeys();
    return keys;
}

LayoutKey const* findLayoutKey(std::string_view name)
{
    static std::unordered_map<std::string, LayoutKey const*> const byName = [] {
        std::unordered_map<std::string, LayoutKey const*> map;
        for (LayoutKey const& key : layoutKeys())
            map.emplace(asciiUpper(key.name), &key);
        return map;
    }();
    if (auto const found = byName.find(asciiUpper(name)); found != byName.end())
        return found->second;
    if (!isShapeKey(name))
        return nullptr;
    static LayoutKey const shape { "Line", LayoutValue::Shape, {} };
    return &shape;
}
