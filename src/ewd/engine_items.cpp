#include "ewd/engine_items.h"

#include "gauges/dial_marks.h"
#include "gauges/gauge_scale.h"

#include <cmath>

namespace {

constexpr std::u16string_view kAvailText = u"AVAIL";
constexpr std::u16string_view kRevText = u"REV";
// The REV box stands this far around the text.
constexpr float kRevBoxMargin = 4;
// The N2 cross spans this share of the readout's height.
constexpr float kCrossShareOfReadout = 0.5f;

constexpr StringFormat kCentred { StringAlignment::Center, StringAlignment::Center };

bool isDial(GaugeRecord const* gauge)
{
    return gauge && (gauge->displayType == DisplayType::Quadrant || gauge->displayType == DisplayType::Ring)
        && hasDrawableScale(*gauge);
}

PointF moved(PointF at, PointF by) { return { at.x + by.x, at.y + by.y }; }

class EngineColumn {
public:
    EngineColumn(Graphics& graphics, EngineItemSettings const& settings, EngineItemDials const& dials, EngineItemPaint const& paint, int column)
        : g(graphics)
        , settings(settings)
        , dials(dials)
        , paint(paint)
        , column(column)
    {
    }

    void drawThrustDial(EngineState const& state, double ratingLimitN1, bool running)
    {
        if (!isDial(dials.thrust))
            return;
        PointF const centre = dials.thrust->centres[column];
        bool const turning = running || state.starting;
        if (turning && paint.leverPen && settings.leverCircleRadius > 0 && !std::isnan(state.commandedN1))
            drawRimCircle(g, *paint.leverPen, *dials.thrust, centre, onThrustDial(state.commandedN1), settings.leverCircleRadius);
        if (running && paint.cautionPen && settings.ratingMarkLength > 0 && !std::isnan(ratingLimitN1))
            drawRimMark(g, *paint.cautionPen, *dials.thrust, centre, onThrustDial(ratingLimitN1), settings.ratingMarkLength);
        if (state.available && settings.availOffset && paint.font && paint.normalBrush)
            g.drawString(kAvailText, *paint.font, moved(centre, *settings.availOffset), kCentred, *paint.normalBrush);
        if (state.reverser != ReverserState::Stowed && settings.revOffset)
            drawRev(moved(centre, *settings.revOffset), state.reverser == ReverserState::Deployed ? paint.normalBrush : paint.cautionBrush);
    }

    void drawPeak(GaugeRecord const* gauge, double peak, float length)
    {
        if (isDial(gauge) && paint.peakPen && length > 0 && !std::isnan(peak))
            drawRimMark(g, *paint.peakPen, *gauge, gauge->centres[column], peak, length);
    }

    void drawEgtCaution(EngineState const& state, bool running)
    {
        bool const turning = running || state.starting;
        if (turning && isDial(dials.egt) && paint.cautionPen && settings.egtCautionMarkLength > 0 && !std::isnan(state.egtCautionMark))
            drawRimMark(g, *paint.cautionPen, *dials.egt, dials.egt->centres[column], state.egtCautionMark, settings.egtCautionMarkLength);
    }

    // The N2 cross says a peak above the red line is kept.
    void drawN2Cross(EngineState const& state)
    {
        GaugeRecord const* n2 = dials.n2;
        if (!n2 || !n2->valueDisplayed || !settings.n2CrossOffset || !paint.dangerBrush || std::isnan(state.peakN2))
            return;
        PointF const c = moved(n2->readoutPositions[column], *settings.n2CrossOffset);
        float const h = n2->readoutHeight * kCrossShareOfReadout * 0.5f;
        Pen const pen { paint.dangerBrush->colour, paint.lineWidth };
        g.drawLine(pen, { c.x - h, c.y - h }, { c.x + h, c.y + h });
        g.drawLine(pen, { c.x - h, c.y + h }, { c.x + h, c.y - h });
    }

private:
    double onThrustDial(double n1) const { return dials.eprFromN1 ? commandedEpr(n1, *dials.eprFromN1) : n1; }

    void drawRev(PointF at, Brush const* brush)
    {
        if (!brush || !paint.font)
            return;
        RectF const text = g.measureString(kRevText, *paint.font, at, kCentred);
        RectF const box { text.x - kRevBoxMargin, text.y - kRevBoxMargin, text.width + 2 * kRevBoxMargin, text.height + 2 * kRevBoxMargin };
        g.drawRectangle(Pen { brush->colour, paint.lineWidth }, box);
        g.drawString(kRevText, *paint.font, at, kCentred, *brush);
    }

    Graphics& g;
    EngineItemSettings const& settings;
    EngineItemDials const& dials;
    EngineItemPaint const& paint;
    int column;
};

}

void drawEngineItems(Graphics& graphics, EngineItemSettings const& settings, EngineStates const& states,
    EngineItemDials const& dials, EngineItemPaint const& paint, std::span<bool const> running)
{
    for (std::size_t k = 0; k < running.size(); ++k) {
        int const column = static_cast<int>(k);
        EngineState const& state = states.engine(column);
        EngineColumn items(graphics, settings, dials, paint, column);
        items.drawThrustDial(state, states.ratingLimitN1(), running[k]);
        items.drawPeak(dials.n1, state.peakN1, settings.n1PeakMarkLength);
        items.drawEgtCaution(state, running[k]);
        items.drawPeak(dials.egt, state.peakEgt, settings.egtPeakMarkLength);
        items.drawN2Cross(state);
    }
}
