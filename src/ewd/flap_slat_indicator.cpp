#include "ewd/flap_slat_indicator.h"

#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace {

constexpr std::array<PointF, 4> kWingOutline { { { 741, 465 }, { 793, 465 }, { 784, 484 }, { 749, 484 } } };

constexpr std::array<PointF, 4> kSlatTrack { { { 709, 484 }, { 656, 491 }, { 638, 529 }, { 633, 577 } } };
constexpr std::array<PointF, 5> kFlapTrack { { { 835, 484 }, { 882, 488 }, { 935, 522 }, { 952, 569 }, { 961, 620 } } };
constexpr PointF kSlatPivot { 693, 508 };
constexpr PointF kFlapPivot { 882, 512 };

constexpr PointF kFlapCaptionAnchor { 765, 410 };
constexpr PointF kSlatLetterAnchor { 645, 410 };
constexpr PointF kFlapLetterAnchor { 935, 410 };
constexpr PointF kConfigLabelAnchor { 766, 534 };

// Symbols in local coordinates; vertex 1 is where the arm ends.
using Triangle = FlapIndicatorGeometry::Triangle;
constexpr Triangle kSlatSymbol { { { 0, 0 }, { 35, 0 }, { 28, -19 } } };
constexpr Triangle kFlapSymbol { { { 0, 0 }, { -46, 0 }, { -40, -19 } } };

// Track point of each detent; segment i runs from point map[i] to map[i + 1].
constexpr std::array<int, kLeverDetentCount> kSlatMap { 0, 1, 1, 2, 2, 3 };
constexpr std::array<int, kLeverDetentCount> kFlapMap { 0, 0, 1, 2, 3, 4 };

constexpr std::array<std::u16string_view, kLeverDetentCount> kConfigLabels { u"0", u"1", u"1+F", u"2", u"3", u"FULL" };

// Detents from 3 on swing the arm from the pivot instead of the wing root.
constexpr int kLastDetentFromWingRoot = 3;

constexpr float kDotDiameter = 10;


template <std::size_t N>
std::array<PointF, N> placeAll(FlapIndicatorLayout const& layout, std::array<PointF, N> const& drawn)
{
    std::array<PointF, N> placed;
    for (std::size_t i = 0; i < N; ++i)
        placed[i] = layout.place(drawn[i]);
    return placed;
}

// A symbol keeps its local origin; only its size follows the layout.
Triangle scaleSymbol(Triangle const& symbol, float scale)
{
    Triangle scaled;
    for (std::size_t i = 0; i < symbol.size(); ++i)
        scaled[i] = { symbol[i].x * scale, symbol[i].y * scale };
    return scaled;
}

FlapIndicatorGeometry placeGeometry(FlapIndicatorLayout const& layout)
{
    return {
        .wing = placeAll(layout, kWingOutline),
        .slatTrack = placeAll(layout, kSlatTrack),
        .flapTrack = placeAll(layout, kFlapTrack),
        .slatPivot = layout.place(kSlatPivot),
        .flapPivot = layout.place(kFlapPivot),
        .slatSymbol = scaleSymbol(kSlatSymbol, layout.scale),
        .flapSymbol = scaleSymbol(kFlapSymbol, layout.scale),
        .flapCaption = layout.place(kFlapCaptionAnchor),
        .slatLetter = layout.place(kSlatLetterAnchor),
        .flapLetter = layout.place(kFlapLetterAnchor),
        .configLabel = layout.place(kConfigLabelAnchor),
        .dotDiameter = kDotDiameter * layout.scale,
    };
}

struct Surface {
    std::span<PointF const> track;
    std::array<int, kLeverDetentCount> const& map;
    DetentAngles const& angles;
    PointF root;
    PointF pivot;
    Triangle const& symbol;
    // The slat symbol faces back towards its anchor, the flap symbol away.
    double turnDegrees;
};

// The detent the lever selects, and whether the lever is on one of the six.
struct LeverDetent {
    int detent;
    bool known;
};

LeverDetent leverDetent(double leverPosition)
{
    double const detent = std::floor(leverPosition / FlapSlatIndicator::kLeverUnitsPerDetent + 0.5);
    if (detent >= 0 && detent < kLeverDetentCount)
        return { static_cast<int>(detent), true };
    // Beyond the last detent the lever shows as the last one.
    return { detent > 0 ? kLeverDetentCount - 1 : 0, false };
}

// The symbol's point on its track for the given angle, interpolated within
// the first segment whose upper angle is not below it. Beyond the last
// detent angle the symbol stays at the end of its track.
PointF trackPoint(Surface const& surface, double angle)
{
    for (int i = 0; i + 1 < kLeverDetentCount; ++i) {
        double const upper = surface.angles[i + 1];
        if (angle > upper)
            continue;
        PointF const a = surface.track[surface.map[i]];
        PointF const b = surface.track[surface.map[i + 1]];
        double const span = upper - surface.angles[i];
        if (span == 0)
            return a;
        double const t = (angle - surface.angles[i]) / span;
        return { static_cast<float>(a.x - t * (a.x - b.x)), static_cast<float>(a.y - t * (a.y - b.y)) };
    }
    return surface.track[surface.map[kLeverDetentCount - 1]];
}

double directionDegrees(PointF from, PointF to)
{
    return std::atan2(double(to.y) - from.y, double(to.x) - from.x) * 180.0 / std::numbers::pi;
}

// Turns the symbol about its local origin by the given angle (clockwise on
// the page) and moves it to the point.
Triangle placeSymbol(Triangle const& symbol, PointF at, double degrees)
{
    double const radians = degrees * std::numbers::pi / 180.0;
    double const c = std::cos(radians);
    double const s = std::sin(radians);
    Triangle placed;
    for (std::size_t i = 0; i < symbol.size(); ++i) {
        PointF const v = symbol[i];
        placed[i] = { static_cast<float>(v.x * c - v.y * s + at.x), static_cast<float>(v.x * s + v.y * c + at.y) };
    }
    return placed;
}

void drawTargetOutline(Graphics& graphics, Surface const& surface, int detent, Pen const& pen)
{
    PointF const target = surface.track[surface.map[detent]];
    PointF const anchor = detent <= kLastDetentFromWingRoot ? surface.root : surface.pivot;
    double const turn = directionDegrees(anchor, target) + surface.turnDegrees;
    graphics.drawPolygon(pen, placeSymbol(surface.symbol, target, turn));
}

void drawCurrentSymbol(Graphics& graphics, Surface const& surface, double angle, PointF point, Pen const& pen)
{
    PointF const anchor = angle <= surface.angles[kLastDetentFromWingRoot] ? surface.root : surface.pivot;
    double const turn = directionDegrees(anchor, point) + surface.turnDegrees;
    Triangle const placed = placeSymbol(surface.symbol, point, turn);
    graphics.drawPolygon(pen, placed);
    graphics.drawLine(pen, surface.root, anchor);
    graphics.drawLine(pen, anchor, placed[1]);
}

// The point of a track whose dot takes a brush of its own; none by default.
struct TargetDot {
    int point = -1;
    Brush const* brush = nullptr;
};

// A dot on each point of the track but its first.
void drawTrackDots(Graphics& graphics, std::span<PointF const> track, float diameter, Brush const& brush, TargetDot target)
{
    for (std::size_t i = 1; i < track.size(); ++i) {
        PointF const p = track[i];
        bool const isTarget = static_cast<int>(i) == target.point && target.brush;
        graphics.fillEllipse(isTarget ? *target.brush : brush, { p.x - diameter / 2, p.y - diameter / 2, diameter, diameter });
    }
}

// Half the brightness of each channel; the alpha stays.
Argb dimmed(Argb colour)
{
    Argb const alpha = colour & 0xFF000000u;
    return alpha | ((colour & 0x00FEFEFEu) >> 1);
}

// Where the surfaces stand against the lever's detent.
struct Motion {
    int detent;
    bool flapMoving;
    bool slatMoving;
    bool travelling() const { return flapMoving || slatMoving; }
};

// Texts are drawn with their anchor at their top centre.
void alignTexts(StringFormat& format)
{
    format.align = StringAlignment::Center;
    format.lineAlign = StringAlignment::Near;
}

void drawText(Graphics& graphics, std::u16string_view text, PointF anchor, FlapSlatPaint const& paint, Brush const* brush,
    StringFormat const& format)
{
    if (paint.font && brush)
        graphics.drawString(text, *paint.font, anchor, format, *brush);
}

// What shows once a surface is out: the detent dots, "FLAP", the
// configuration, "S" and "F". The full page marks the dot each surface goes
// to: the handle colour on the way, the position colour once there.
void drawExtendedMarks(Graphics& graphics, FlapIndicatorGeometry const& at, Motion motion, bool full, std::u16string_view label,
    FlapSlatPaint const& paint, StringFormat& format)
{
    auto target = [&](std::array<int, kLeverDetentCount> const& map, bool moving) {
        return full ? TargetDot { map[motion.detent], moving ? paint.travellingBrush : paint.settledBrush } : TargetDot {};
    };
    if (paint.foregroundBrush) {
        drawTrackDots(graphics, at.slatTrack, at.dotDiameter, *paint.foregroundBrush, target(kSlatMap, motion.slatMoving));
        drawTrackDots(graphics, at.flapTrack, at.dotDiameter, *paint.foregroundBrush, target(kFlapMap, motion.flapMoving));
    }
    alignTexts(format);
    bool const travelling = motion.travelling();
    drawText(graphics, u"FLAP", at.flapCaption, paint, travelling ? paint.travellingBrush : paint.foregroundBrush, format);
    drawText(graphics, label, at.configLabel, paint, travelling ? paint.travellingBrush : paint.settledBrush, format);
    drawText(graphics, u"S", at.slatLetter, paint, paint.foregroundBrush, format);
    drawText(graphics, u"F", at.flapLetter, paint, paint.foregroundBrush, format);
}

void drawAlphaLock(Graphics& graphics, AlphaLockShade shade, PointF anchor, FlapSlatPaint const& paint, StringFormat& format)
{
    if (shade == AlphaLockShade::Hidden || !paint.settledBrush)
        return;
    Brush const dim { dimmed(paint.settledBrush->colour) };
    alignTexts(format);
    drawText(graphics, u"A LOCK", anchor, paint, shade == AlphaLockShade::Bright ? paint.settledBrush : &dim, format);
}

}

FlapSlatIndicator::FlapSlatIndicator()
    : m_placed(placeGeometry(m_layout))
{
}

void FlapSlatIndicator::setLayout(FlapIndicatorLayout const& layout)
{
    m_layout = layout;
    m_placed = placeGeometry(layout);
}

void FlapSlatIndicator::draw(Graphics& graphics, FlapSlatReadings const& in, DetentAngles const& flapAngles,
    DetentAngles const& slatAngles, FlapSlatPaint const& paint, StringFormat& sharedFormat)
{
    FlapIndicatorGeometry const& at = m_placed;
    Surface const slat { at.slatTrack, kSlatMap, slatAngles, at.wing[3], at.slatPivot, at.slatSymbol, 180.0 };
    Surface const flap { at.flapTrack, kFlapMap, flapAngles, at.wing[2], at.flapPivot, at.flapSymbol, 0.0 };
    bool const full = m_layout.mode == FlapIndicatorMode::Full;

    LeverDetent const lever = leverDetent(in.leverPosition);
    bool const flapMoving = std::fabs(in.flapAngle - flapAngles[lever.detent]) > kSettledTolerance;
    bool const slatMoving = std::fabs(in.slatAngle - slatAngles[lever.detent]) > kSettledTolerance;

    if (in.flapAngle > 0 || in.slatAngle > 0) {
        if (lever.known)
            m_configLabel = kConfigLabels[lever.detent];
        drawExtendedMarks(graphics, at, { lever.detent, flapMoving, slatMoving }, full, m_configLabel, paint, sharedFormat);
    }
    if (full)
        drawAlphaLock(graphics, m_alphaLockPulse.update(in.slatAlphaLock, in.simTime), m_layout.alphaLockAnchor(), paint, sharedFormat);

    PointF const slatPoint = trackPoint(slat, in.slatAngle);
    PointF const flapPoint = trackPoint(flap, in.flapAngle);

    if (paint.targetPen) {
        if (slatMoving)
            drawTargetOutline(graphics, slat, lever.detent, *paint.targetPen);
        if (flapMoving)
            drawTargetOutline(graphics, flap, lever.detent, *paint.targetPen);
    }
    if (paint.symbolPen) {
        drawCurrentSymbol(graphics, slat, in.slatAngle, slatPoint, *paint.symbolPen);
        drawCurrentSymbol(graphics, flap, in.flapAngle, flapPoint, *paint.symbolPen);
    }
    if (paint.wingPen)
        graphics.drawPolygon(*paint.wingPen, at.wing);
}
