#include "config/profile_reader.h"
#include "gauges/efis_display.h"
#include "gauges/fixed_text.h"
#include "gauges/info_field_names.h"
#include "gauges/number_text.h"
#include "gauges/table_rows.h"
#include "render/text_drawing.h"

#include <algorithm>
#include <cmath>

namespace {

// Prefix, text and suffix of an information field, each at most 19 characters.
using FieldText = FixedText<3 * InfoField::kMaxAffixLength>;

void setFieldText(InfoField& field, std::u16string_view text)
{
    std::size_t const length = std::min<std::size_t>(text.size(), InfoField::kTextCapacity - 1);
    std::copy_n(text.data(), length, field.text);
    field.text[length] = u'\0';
}

std::u16string_view fieldText(InfoField const& field)
{
    return field.text;
}

// The fuel quantity as a whole number, cut towards zero to tens.
void setFuelQuantityText(InfoField& field, double quantity)
{
    double const tens = std::trunc(quantity * 0.1) * 10;
    // -0 (a small negative quantity) shows as 0.
    std::size_t const length = writeFixed(tens == 0 ? 0.0 : tens, 0, std::span(field.text, InfoField::kTextCapacity - 1));
    field.text[length] = u'\0';
}

}

void EfisDisplay::rebuildResources()
{
    regions[0] = alertBox;
    regions[1] = statusBox;
    createFonts();
}

void EfisDisplay::updateInfoTexts()
{
    double const fuel = units == UnitSystem::Metric ? fuelTotalKg(simData) : fuelTotalLbs(simData);
    setFuelQuantityText(infoFields[0], fuel);
    for (int k = 1; k < kInfoFieldCount; ++k)
        setFieldText(infoFields[k], kInfoFieldNames[k].caption);
}

void EfisDisplay::drawInfoFields()
{
    // From the first frame on the fields show their prefix and suffix.
    if (layoutPending) {
        for (InfoField& field : infoFields)
            field.affixed = true;
    }
    updateInfoTexts();
    for (int k = 0; k < kInfoFieldCount; ++k) {
        InfoField const& field = infoFields[k];
        if (!field.visible)
            continue;
        FieldText text;
        if (field.affixed)
            text.append(field.prefix);
        text.append(fieldText(field));
        if (field.affixed)
            text.append(field.suffix);
        drawAlignedText(text.view(), field.position, field.alignment, FontRow::FirstInfoField + k, ColourRow::FirstInfoField + k);
    }
}

void EfisDisplay::drawUserMessages()
{
    for (int i = 0; i < kUserMessageCount; ++i) {
        UserMessage const& message = userMessages[i];
        if (!message.enabled)
            continue;
        drawAlignedText(message.label, message.position, message.alignment, FontRow::FirstUserMessage + i, ColourRow::FirstUserMessage + i);
    }
}

void EfisDisplay::drawAlignedText(std::u16string_view text, PointF anchor, int alignment, int fontRow, int colourRow)
{
    Font const* textFont = font(fontRow);
    Brush const* textBrush = brush(colourRow);
    if (!textFont || !textBrush)
        return;
    // The shared format keeps this alignment until the next gauge pass.
    applyAlignment(stringFormat, alignment);
    if (alignment & Alignment::Baseline)
        drawTextAtBaseline(*graphics, text, *textFont, anchor, stringFormat, *textBrush);
    else
        graphics->drawString(text, *textFont, anchor, stringFormat, *textBrush);
}
