#include "config/profile_reader.h"
#include "gauges/efis_display.h"
#include "gauges/gauge_scale.h"
#include "render/display_text.h"

#include <string>

namespace {

// "%sDangerThreshold" when absent; compared as a float, so -99999.9921875.
constexpr float kNoDangerThreshold = -99999.99f;

bool isDial(DisplayType type)
{
    return type == DisplayType::Quadrant || type == DisplayType::Ring;
}

// The per-gauge keys are the gauge's name followed by a fixed suffix.
class GaugeKeys {
public:
    GaugeKeys(ProfileReader const& reader, char const* name)
        : reader(reader)
        , key(name)
        , prefixLength(key.size())
    {
    }

    std::string const& operator()(std::string_view suffix)
    {
        key.resize(prefixLength);
        key += suffix;
        return key;
    }

    ProfileReader const& reader;

private:
    std::string key;
    std::size_t prefixLength;
};

std::u16string cutText(std::u16string text)
{
    if (text.size() > GaugeRecord::kMaxTextLength)
        text.resize(GaugeRecord::kMaxTextLength);
    return text;
}

void readCommonScale(GaugeKeys& key, GaugeRecord& g)
{
    ProfileReader const& r = key.reader;
    g.displayType = static_cast<DisplayType>(r.readKeyword(key("DisplayType"), Vocabulary::GaugeForm, 0));
    g.box = r.readBox(key("Box"), "0,0,0,0");
    g.min = r.readFloat(key("Min"), 0);
    g.max = r.readFloat(key("Max"), 100);
    g.firstTick = r.readFloat(key("FirstTick"), g.min);
    g.precision = r.readDouble(key("Precision"), 1);
    g.decimals = r.readInt(key("Decimals"), 0);
    g.dangerZone = r.readBool(key("DangerZone"), 0) != 0;
    g.dangerThreshold = r.readFloat(key("DangerThreshold"), kNoDangerThreshold);
    g.frame = r.readBool(key("Frame"), 0) != 0;
}

void readDialShape(GaugeKeys& key, GaugeRecord& g)
{
    ProfileReader const& r = key.reader;
    g.displayZero = r.readBool(key("DisplayZero"), 1) != 0;
    g.startAngle = r.readFloat(key("StartAngle"), 180);
    g.endAngle = r.readFloat(key("EndAngle"), 180);
    g.needleStartRadiusRatio = r.readFloat(key("NeedleStartRadiusRatio"), 0);
    g.needleEndRadiusRatio = r.readFloat(key("NeedleEndRadiusRatio"), 1);
    g.extremumTick = r.readBool(key("ExtremumTick"), 0) != 0;
}

void readBarShape(GaugeKeys& key, GaugeRecord& g)
{
    ProfileReader const& r = key.reader;
    g.orientation = r.readKeyword(key("BarOrientation"), Vocabulary::Orientation, 1);
    g.thickness = static_cast<float>(r.readInt(key("BarThickness"), 20));
    g.columnFrame = r.readBool(key("BarFrame"), 1) != 0;
}

void readStackShape(GaugeKeys& key, GaugeRecord& g)
{
    ProfileReader const& r = key.reader;
    g.orientation = r.readKeyword(key("StackOrientation"), Vocabulary::Orientation, 1);
    g.thickness = static_cast<float>(r.readInt(key("StackThickness"), 20));
    g.blockSize = static_cast<float>(r.readInt(key("StackBlockSize"), 20));
    g.blockInterval = static_cast<float>(r.readInt(key("StackBlockInterval"), 5));
    g.columnFrame = r.readBool(key("StackFrame"), 1) != 0;
}

void readTexts(GaugeKeys& key, GaugeRecord& g)
{
    ProfileReader const& r = key.reader;
    if (g.displayType == DisplayType::Text)
        g.valueDisplayed = true;
    else
        g.valueDisplayed = r.readBool(key("ValueDisplayed"), 0) != 0;
    if (g.valueDisplayed)
        g.valueOffset = r.readPoint(key("ValueOffset"), "0,0");
    g.label = cutText(r.readWideString(key("Label"), u""));
    g.labelOffset = r.readPoint(key("LabelOffset"), "0,0");
    g.legend = cutText(r.readWideString(key("Legend"), u""));
    g.legendOffset = r.readPoint(key("LegendOffset"), "0,0");
}

void readTicks(GaugeKeys& key, GaugeRecord& g)
{
    ProfileReader const& r = key.reader;
    g.tickSize = r.readFloat(key("TickSize"), 0);
    g.tickInterval = r.readFloat(key("TickInterval"), 0);
    g.tickLabelInterval = r.readFloat(key("TickLabelInterval"), 0);
    g.tickLabelDecimals = r.readInt(key("TickLabelDecimals"), 0);
    g.tickValueDivider = r.readFloat(key("TickValueDivider"), 1);
    g.labelValueDivider = r.readFloat(key("LabelValueDivider"), 1);
}

void deriveDangerSide(GaugeRecord& g)
{
    if (g.dangerThreshold == kNoDangerThreshold) {
        g.dangerSide = DangerSide::None;
        g.dangerThreshold = 0;
    } else if (g.dangerThreshold > g.min + (g.max - g.min) * 0.5f) {
        g.dangerSide = DangerSide::High;
    } else {
        g.dangerSide = DangerSide::Low;
    }
}

// Degrees per unit; an end angle below the start angle turns the scale
// anticlockwise. Without a drawable scale the factor is left at 0.
void deriveDialScaleFactor(GaugeRecord& g)
{
    g.scaleFactor = hasDrawableScale(g) ? (g.endAngle - g.startAngle) / (g.max - g.min) : 0;
}

}

void EfisDisplay::readGaugeDefinitions(
    ProfileReader const& reader, std::span<GaugeRecord> records, std::span<char const* const> names)
{
    std::size_t const count = std::min(records.size(), names.size());
    for (std::size_t i = 0; i < count; ++i) {
        GaugeRecord& g = records[i];
        GaugeKeys key(reader, names[i]);
        readCommonScale(key, g);
        if (isDial(g.displayType))
            readDialShape(key, g);
        if (g.displayType == DisplayType::Bar)
            readBarShape(key, g);
        if (g.displayType == DisplayType::Stack)
            readStackShape(key, g);
        readTexts(key, g);
        readTicks(key, g);
        deriveDangerSide(g);
        if (isDial(g.displayType))
            deriveDialScaleFactor(g);
    }
}

void EfisDisplay::readEngineGaugeSettings(ProfileReader const& reader)
{
    engineOffManaged = reader.readBool("EngineOffManaged", 0) != 0;
    engineOffChar = static_cast<std::uint8_t>(reader.readChar("EngineOffChar", static_cast<char>(kNoEngineOffChar)));
    char const offChar = static_cast<char>(engineOffChar);
    engineOffGlyph = toDisplayText(std::string_view(&offChar, 1)).front();

    std::array<char const*, kEngineParamCount> names {};
    for (int i = 0; i < kEngineParamCount; ++i)
        names[i] = EngineParamTable[i].name;
    readGaugeDefinitions(reader, engineGauges, names);

    double const n1Idle = reader.readDouble("CEPR_N1Idle", 25);
    double const n1Max = reader.readDouble("CEPR_N1Max", 100);
    double const eprMin = reader.readDouble("CEPR_EPRMin", 1);
    double const eprMax = reader.readDouble("CEPR_EPRMax", 1.8);
    dataAcquisition.setCeprMapping(n1Idle, n1Max, eprMin, eprMax);
}
