#include "config/profile_reader.h"
#include "gauges/efis_display.h"
#include "gauges/info_field_names.h"
#include "gauges/table_rows.h"

#include <string>

namespace {

// Which of a row's two keys is read first; the order matters because later
// rows default to what earlier rows read.
enum class KeyOrder { ColourOnly, ColourThenWidth, WidthThenColour };

// A colour default is a colour text, or the colour of a row read earlier.
struct ColourDefault {
    std::string_view text;
    int row = -1;
};
constexpr ColourDefault colourText(std::string_view text) { return { text, -1 }; }
constexpr ColourDefault colourOfRow(int row) { return { {}, row }; }

// A width default is a number, or the width of a row read earlier.
struct WidthDefault {
    float value = 0;
    int row = -1;
};
constexpr WidthDefault width(float value) { return { value, -1 }; }
constexpr WidthDefault widthOfRow(int row) { return { 0, row }; }
constexpr WidthDefault kNoWidth {};

struct ColourSetting {
    int row;
    int kind;
    KeyOrder order;
    std::string_view colourKey;
    ColourDefault colourDefault;
    std::string_view widthKey;
    WidthDefault widthDefault;
};

using namespace ColourRow;

// The fixed rows in reading order. Row 23 (Inhibit) belongs to the page and
// is set before this reading; rows 30 to 44 follow from the information
// fields and user messages.
constexpr ColourSetting kColourSettings[] = {
    { Foreground, ColourKindPenAndBrush, KeyOrder::ColourThenWidth, "ForegroundColor", colourText("WHITE"), "ForegroundThickness", width(1) },
    { Background, ColourKindBrush, KeyOrder::ColourOnly, "BackgroundColor", colourText("BLACK"), {}, kNoWidth },
    { QuadrantNormal, ColourKindPenAndBrush, KeyOrder::WidthThenColour, "QuadrantNormalColor", colourText("WHITE"), "QuadrantNormalThickness", width(1) },
    { QuadrantDanger, ColourKindPen, KeyOrder::WidthThenColour, "QuadrantDangerColor", colourText("WHITE"), "QuadrantDangerThickness", widthOfRow(QuadrantNormal) },
    { QuadrantOff, ColourKindPenAndBrush, KeyOrder::WidthThenColour, "QuadrantOffColor", colourOfRow(QuadrantNormal), "QuadrantOffThickness", widthOfRow(QuadrantNormal) },
    { NeedleNormal, ColourKindPenAndBrush, KeyOrder::WidthThenColour, "NeedleNormalColor", colourText("WHITE"), "NeedleNormalThickness", width(1) },
    { NeedleDanger, ColourKindPen, KeyOrder::WidthThenColour, "NeedleDangerColor", colourText("WHITE"), "NeedleDangerThickness", widthOfRow(NeedleNormal) },
    { TextNormal, ColourKindBrush, KeyOrder::ColourOnly, "TextNormalColor", colourOfRow(NeedleNormal), {}, kNoWidth },
    { TextDanger, ColourKindBrush, KeyOrder::ColourOnly, "TextDangerColor", colourOfRow(NeedleDanger), {}, kNoWidth },
    { RingNormal, ColourKindBrush, KeyOrder::ColourOnly, "NeedleNormalColor", colourText("WHITE"), {}, kNoWidth },
    { RingDanger, ColourKindBrush, KeyOrder::ColourOnly, "NeedleDangerColor", colourText("WHITE"), {}, kNoWidth },
    { PieNormal, ColourKindBrush, KeyOrder::ColourOnly, "PieNormalColor", colourText("TRANSPARENT"), {}, kNoWidth },
    { PieDanger, ColourKindBrush, KeyOrder::ColourOnly, "PieDangerColor", colourText("TRANSPARENT"), {}, kNoWidth },
    { FrameNormal, ColourKindPen, KeyOrder::WidthThenColour, "FrameNormalColor", colourOfRow(QuadrantNormal), "FrameNormalThickness", widthOfRow(QuadrantNormal) },
    { FrameDanger, ColourKindPen, KeyOrder::WidthThenColour, "FrameDangerColor", colourOfRow(QuadrantDanger), "FrameDangerThickness", widthOfRow(QuadrantDanger) },
    { FrameOff, ColourKindPen, KeyOrder::WidthThenColour, "FrameOffColor", colourOfRow(QuadrantOff), "FrameNormalThickness", widthOfRow(QuadrantOff) },
    { BarStackNormal, ColourKindBrush, KeyOrder::ColourOnly, "BarStackNormalColor", colourOfRow(NeedleNormal), {}, kNoWidth },
    { BarStackDanger, ColourKindBrush, KeyOrder::ColourOnly, "BarStackDangerColor", colourOfRow(NeedleDanger), {}, kNoWidth },
    { Label, ColourKindBrush, KeyOrder::ColourOnly, "LabelColor", colourText("WHITE"), {}, kNoWidth },
    { Legend, ColourKindBrush, KeyOrder::ColourOnly, "LegendColor", colourText("WHITE"), {}, kNoWidth },
    { LowAlert, ColourKindBrush, KeyOrder::ColourOnly, "LowAlertColor", colourText("WHITE"), {}, kNoWidth },
    { MediumAlert, ColourKindBrush, KeyOrder::ColourOnly, "MediumAlertColor", colourText("WHITE"), {}, kNoWidth },
    { HighAlert, ColourKindPenAndBrush, KeyOrder::WidthThenColour, "HighAlertColor", colourText("WHITE"), "HighAlertThickness", widthOfRow(QuadrantOff) },
    { ThrottleLever, ColourKindPen, KeyOrder::ColourThenWidth, "ThrottleLeverColor", colourText("WHITE"), "ThrottleLeverThickness", width(1) },
    { ThrottleCommand, ColourKindPen, KeyOrder::ColourThenWidth, "ThrottleCommandColor", colourText("WHITE"), "ThrottleCommandThickness", width(1) },
    { QuadrantBar, ColourKindPen, KeyOrder::ColourThenWidth, "QuadrantBarColor", colourText("WHITE"), "QuadrantBarThickness", width(1) },
    { FlapHandle, ColourKindPenAndBrush, KeyOrder::ColourThenWidth, "FlapHandleColor", colourText("WHITE"), "FlapHandleThickness", width(1) },
    { FlapPosition, ColourKindPenAndBrush, KeyOrder::ColourThenWidth, "FlapPositionColor", colourText("WHITE"), "FlapPosThickness", widthOfRow(FlapHandle) },
    { CheckList, ColourKindDashedPen, KeyOrder::ColourThenWidth, "FlapHandleColor", colourText("WHITE"), "CheckListThickness", width(1) },
};

struct FontSetting {
    int row;
    std::string_view faceKey;
    std::string_view sizeKey;
    std::string_view styleKey;
};

constexpr FontSetting kFontSettings[] = {
    { FontRow::Digit, "DigitFont", "DigitFontSize", "DigitFontStyle" },
    { FontRow::Tick, "TickFont", "TickFontSize", "TickFontStyle" },
    { FontRow::Label, "LabelFont", "LabelFontSize", "LabelFontStyle" },
    { FontRow::Legend, "LegendFont", "LegendFontSize", "LegendFontStyle" },
    { FontRow::Alert, "AlertFont", "AlertFontSize", "AlertFontStyle" },
};

constexpr std::u16string_view kDefaultFace = u"Courier";
constexpr int kDefaultFontSize = 75;

std::string infoKey(char const* field, std::string_view suffix)
{
    return std::string("Info") + field + std::string(suffix);
}

std::string userMessageKey(int number, std::string_view suffix)
{
    return "UserMessage" + std::to_string(number) + std::string(suffix);
}

std::u16string cutTo(std::u16string text, std::size_t length)
{
    if (text.size() > length)
        text.resize(length);
    return text;
}

// Font faces are display text ('_' shows as a space) kept, like every
// profile text, in 8-bit characters: the font factories take the profile's
// code page.
std::string faceName(std::u16string_view displayText)
{
    std::string face;
    face.reserve(displayText.size());
    for (char16_t c : displayText)
        face.push_back(static_cast<char>(c));
    return face;
}

}

void EfisDisplay::readDisplaySettings(std::string const& layoutFile)
{
    GaugeWindow::readDisplaySettings(layoutFile);
    ProfileReader const reader(services.profiles, layoutFile, layoutSection);

    readColourTable(reader);
    refreshColours();
    readFontTable(reader);
    createFonts();

    units = static_cast<UnitSystem>(reader.readKeyword("Units", Vocabulary::UnitSystem, 0));
    readEngineGaugeSettings(reader);
    std::array<char const*, kOtherParamCount> singleNames {};
    for (int j = 0; j < kOtherParamCount; ++j)
        singleNames[j] = OtherParamTable[j].name;
    readGaugeDefinitions(reader, singleGauges, singleNames);

    readPageBoxesAndLimits(reader);
    readInfoFields(reader);
    readUserMessages(reader);
}

void EfisDisplay::readColourTable(ProfileReader const& reader)
{
    auto readColourOf = [&](ColourSetting const& setting) {
        ColourEntry& entry = colours[setting.row];
        ColourDefault const& fallback = setting.colourDefault;
        if (fallback.row >= 0) {
            entry.baseColour = reader.readColourOrDefault(setting.colourKey, colours[fallback.row].baseColour);
            return;
        }
        // Only the two pie rows keep "TRANSPARENT" apart from black.
        bool transparent = false;
        entry.baseColour = reader.readColour(setting.colourKey, fallback.text, &transparent);
        if (setting.row == PieNormal)
            pieNormalTransparent = transparent;
        if (setting.row == PieDanger)
            pieDangerTransparent = transparent;
    };
    auto readWidthOf = [&](ColourSetting const& setting) {
        WidthDefault const& fallback = setting.widthDefault;
        float const defaultWidth = fallback.row >= 0 ? colours[fallback.row].penWidth : fallback.value;
        colours[setting.row].penWidth = reader.readFloat(setting.widthKey, defaultWidth);
    };

    for (ColourSetting const& setting : kColourSettings) {
        colours[setting.row].kind = setting.kind;
        if (setting.order == KeyOrder::WidthThenColour)
            readWidthOf(setting);
        readColourOf(setting);
        if (setting.order == KeyOrder::ColourThenWidth)
            readWidthOf(setting);
    }

    for (int k = 0; k < kInfoFieldCount; ++k) {
        InfoFieldName const& field = kInfoFieldNames[k];
        ColourEntry& entry = colours[FirstInfoField + k];
        entry.kind = ColourKindBrush;
        entry.baseColour = reader.readColourOrDefault(infoKey(field.name, "Color"), colours[field.colourDefaultRow].baseColour);
    }
    for (int m = 1; m <= kUserMessageCount; ++m) {
        ColourEntry& entry = colours[FirstUserMessage + m - 1];
        entry.kind = ColourKindBrush;
        entry.baseColour = reader.readColourOrDefault(userMessageKey(m, "Color"), colours[Foreground].baseColour);
    }
}

void EfisDisplay::readFontTable(ProfileReader const& reader)
{
    auto readStyle = [&](std::string_view key) {
        return reader.readKeyword(key, Vocabulary::FontStyle, FontStyleRegular);
    };

    for (FontSetting const& setting : kFontSettings) {
        FontDef& def = fontDefs[setting.row];
        def.face = faceName(reader.readWideString(setting.faceKey, kDefaultFace));
        def.size = reader.readInt(setting.sizeKey, kDefaultFontSize);
        def.style = readStyle(setting.styleKey);
    }

    // TAT and Spoiler fall back to the face and size just read for SAT and Gear.
    std::array<std::u16string, kInfoFieldCount> infoFaces;
    for (int k = 0; k < kInfoFieldCount; ++k) {
        InfoFieldName const& field = kInfoFieldNames[k];
        int const fallbackField = field.fontDefaultRow - FontRow::FirstInfoField;
        bool const chained = field.fontDefaultRow >= 0;
        FontDef& def = fontDefs[FontRow::FirstInfoField + k];
        infoFaces[k] = reader.readWideString(infoKey(field.name, "Font"), chained ? infoFaces[fallbackField] : kDefaultFace);
        def.face = faceName(infoFaces[k]);
        def.size = reader.readInt(infoKey(field.name, "FontSize"), chained ? fontDefs[field.fontDefaultRow].size : kDefaultFontSize);
        def.style = FontStyleRegular;
    }

    for (int m = 1; m <= kUserMessageCount; ++m) {
        FontDef& def = fontDefs[FontRow::FirstUserMessage + m - 1];
        def.face = faceName(reader.readWideString(userMessageKey(m, "Font"), kDefaultFace));
        def.size = reader.readInt(userMessageKey(m, "FontSize"), kDefaultFontSize);
        def.style = readStyle(userMessageKey(m, "FontStyle"));
    }
}

void EfisDisplay::readPageBoxesAndLimits(ProfileReader const& reader)
{
    flapBox = reader.readBox("FlapBox", "0,0,0,0");
    alertBox = reader.readBox("AlertBox", "0,0,0,0");
    statusBox = reader.readBox("StatusBox", "0,0,0,0");
    minFuelQuantity = reader.readDouble("MinFuelQuantity", 2000);
    maxGroundSpeed = reader.readDouble("MaxGroundSpeed", 195);
    maxGearSpeed = reader.readDouble("MaxGearSpeed", 210);
    minOilPressure = reader.readDouble("MinOilPressure", 10);
    minFuelPressure = reader.readDouble("MinFuelPressure", 2000);
}

void EfisDisplay::readInfoFields(ProfileReader const& reader)
{
    for (int k = 0; k < kInfoFieldCount; ++k) {
        char const* name = kInfoFieldNames[k].name;
        InfoField& field = infoFields[k];
        field.prefix = cutTo(reader.readWideString(infoKey(name, "Prefix"), u""), InfoField::kMaxAffixLength);
        field.suffix = cutTo(reader.readWideString(infoKey(name, "Suffix"), u""), InfoField::kMaxAffixLength);
        field.position = reader.readPoint(infoKey(name, "Position"), "-1000,-1000");
        field.visible = !(field.position.x == -1000 && field.position.y == -1000);
        field.alignment = reader.readAlignment(infoKey(name, "Alignment"), Alignment::HCenter);
        field.displayMode = reader.readKeyword(infoKey(name, "Display"), Vocabulary::ShowCondition, 2);
    }
}

void EfisDisplay::readUserMessages(ProfileReader const& reader)
{
    for (int m = 1; m <= kUserMessageCount; ++m) {
        UserMessage& message = userMessages[m - 1];
        message.label = cutTo(reader.readWideString(userMessageKey(m, "Label"), u""), UserMessage::kMaxLabelLength);
        message.enabled = !message.label.empty();
        if (!message.enabled)
            continue;
        message.position = reader.readPoint(userMessageKey(m, "Position"), "-1000,-1000");
        message.alignment = reader.readAlignment(userMessageKey(m, "Alignment"), Alignment::HCenter);
    }
}
