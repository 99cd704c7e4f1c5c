#include "render/gauge_window.h"

#include "render/font_size_bound.h"

#include <algorithm>
#include <array>

namespace {

// What createPensAndBrushes makes for each kind of colour entry.
struct KindRow {
    int kind;
    bool pen;
    bool dashed;
    bool brush;
};

constexpr std::array<KindRow, 4> kKinds { {
    { ColourKindPen, true, false, false },
    { ColourKindPenAndBrush, true, false, true },
    { ColourKindDashedPen, true, true, false },
    { ColourKindBrush, false, false, true },
} };

KindRow objectsOfKind(int kind)
{
    auto const row = std::find_if(kKinds.begin(), kKinds.end(), [&](KindRow const& r) { return r.kind == kind; });
    return row != kKinds.end() ? *row : KindRow { kind, false, false, false };
}

std::uint32_t scaledChannel(std::uint32_t colour, int shift, float factor)
{
    float const scaled = static_cast<float>((colour >> shift) & 0xFF) * factor;
    return static_cast<std::uint32_t>(std::clamp(scaled, 0.0f, 255.0f));
}

template<typename T>
T const* rowOf(std::vector<T> const& table, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < table.size() ? &table[row] : nullptr;
}

} // namespace

void GaugeWindow::setTableSizes(int colourCount, int fontCount, int regionCount)
{
    colours.assign(colourCount, ColourEntry {});
    pens.assign(colourCount, std::nullopt);
    brushes.assign(colourCount, std::nullopt);
    fontDefs.assign(fontCount, FontDef {});
    fonts.clear();
    fonts.resize(fontCount);
    regions.assign(regionCount, std::nullopt);
}

void GaugeWindow::refreshColours()
{
    for (int i = 0; i < static_cast<int>(colours.size()); ++i)
        updateColour(i);
    createPensAndBrushes();
}

void GaugeWindow::updateColour(int index)
{
    ColourEntry& entry = colours.at(index);
    // Profile colours are 0x00BBGGRR; drawing colours opaque 0xFFRRGGBB.
    std::uint32_t const red = scaledChannel(entry.baseColour, 0, brightnessFactor);
    std::uint32_t const green = scaledChannel(entry.baseColour, 8, brightnessFactor);
    std::uint32_t const blue = scaledChannel(entry.baseColour, 16, brightnessFactor);
    entry.argb = kOpaqueBlack + red * 65536 + green * 256 + blue;
}

void GaugeWindow::createPensAndBrushes()
{
    for (std::size_t i = 0; i < colours.size(); ++i) {
        ColourEntry const& entry = colours[i];
        KindRow const objects = objectsOfKind(entry.kind);
        pens[i].reset();
        brushes[i].reset();
        if (objects.pen)
            pens[i] = Pen { entry.argb, entry.penWidth, objects.dashed };
        if (objects.brush)
            brushes[i] = Brush { entry.argb };
    }
}

void GaugeWindow::createFonts()
{
    // Held to the page like the others: made again for the page in force.
    m_overlayFont.reset();
    m_helpFont.reset();
    m_layoutNotice.forgetFont();
    for (std::size_t i = 0; i < fontDefs.size(); ++i) {
        FontDef const& def = fontDefs[i];
        fonts[i].reset();
        fonts[i] = makeFont(def.face, static_cast<float>(def.size), def.style);
    }
}

std::unique_ptr<Font> GaugeWindow::makeFont(std::string_view face, float size, int style) const
{
    return makePageFont(fontFactory, face, size, style, pageWidth, pageHeight);
}

Pen const* GaugeWindow::pen(int row) const
{
    auto const* const slot = rowOf(pens, row);
    return slot && *slot ? &**slot : nullptr;
}

Brush const* GaugeWindow::brush(int row) const
{
    auto const* const slot = rowOf(brushes, row);
    return slot && *slot ? &**slot : nullptr;
}

Font const* GaugeWindow::font(int row) const
{
    auto const* const slot = rowOf(fonts, row);
    return slot ? slot->get() : nullptr;
}
