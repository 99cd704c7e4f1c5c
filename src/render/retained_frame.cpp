#include "render/retained_frame.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// How far ahead in the other frame a call is looked for when the two frames
// part: far enough for a message or a gauge appearing or going, short enough
// that a frame unlike the last costs little to compare.
constexpr std::size_t kLookAhead = 32;
// Anti-aliasing reaches a pixel beyond a shape's edge; one more for rounding.
constexpr float kSmoothingPadPixels = 2;
// A mitred corner of a closed outline reaches out up to five pen widths at
// the miter limit of 10 that both GDI+ and Cairo use.
constexpr float kMiterReachPerWidth = 5;
// A line's square end, seen diagonally, reaches out up to 0.71 pen widths.
constexpr float kCapReachPerWidth = 0.75f;
// Glyphs may overhang the measured text box: italics, accents, descenders.
constexpr float kGlyphOverhangPerEm = 0.25f;
// Damaged rectangles this close are kept as one: fewer, larger rectangles
// are cheaper to clear and to send to the screen.
constexpr int kMergeDistancePixels = 16;
// More damaged rectangles than this become their bounding rectangle.
constexpr std::size_t kMaxDamageRects = 16;

bool samePen(Pen const& a, Pen const& b)
{
    return a.colour == b.colour && a.width == b.width && a.dashed == b.dashed;
}

bool sameRect(RectF const& a, RectF const& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool samePoints(std::vector<PointF> const& a, std::vector<PointF> const& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](PointF p, PointF q) { return p.x == q.x && p.y == q.y; });
}

bool sameClip(std::optional<RectF> const& a, std::optional<RectF> const& b)
{
    return a.has_value() == b.has_value() && (!a || sameRect(*a, *b));
}

// Whether two calls leave the same pixels. Only the fields of the call's kind
// are compared: a reused slot keeps stale values in the others.
bool sameCall(DrawCommand const& a, DrawCommand const& b)
{
    if (a.op != b.op)
        return false;
    switch (a.op) {
    case DrawOp::Clear:
        return a.colour == b.colour;
    case DrawOp::Line:
    case DrawOp::Polygon:
        return samePen(a.pen, b.pen) && samePoints(a.points, b.points);
    case DrawOp::Rect:
        return samePen(a.pen, b.pen) && sameRect(a.rect, b.rect);
    case DrawOp::FillRect:
    case DrawOp::Ellipse:
        return a.brush.colour == b.brush.colour && sameRect(a.rect, b.rect);
    case DrawOp::Arc:
        return samePen(a.pen, b.pen) && sameRect(a.rect, b.rect) && a.startAngle == b.startAngle && a.sweepAngle == b.sweepAngle;
    case DrawOp::Pie:
        return a.brush.colour == b.brush.colour && sameRect(a.rect, b.rect) && a.startAngle == b.startAngle
            && a.sweepAngle == b.sweepAngle;
    case DrawOp::Text:
        return a.text == b.text && a.origin.x == b.origin.x && a.origin.y == b.origin.y && a.fontFace == b.fontFace
            && a.fontSize == b.fontSize && a.fontStyle == b.fontStyle && a.format.align == b.format.align
            && a.format.lineAlign == b.format.lineAlign && a.brush.colour == b.brush.colour;
    case DrawOp::Clip:
        return sameRect(a.rect, b.rect);
    case DrawOp::NoClip:
        return true;
    }
    return false;
}

bool isClipCall(DrawOp op)
{
    return op == DrawOp::Clip || op == DrawOp::NoClip;
}

RectF boundingRect(std::span<PointF const> points)
{
    if (points.empty())
        return {};
    float left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (PointF const& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return { left, top, right - left, bottom - top };
}

RectF inflated(RectF const& rect, float dx, float dy)
{
    return { rect.x - dx, rect.y - dy, rect.width + 2 * dx, rect.height + 2 * dy };
}

RectF intersection(RectF const& a, RectF const& b)
{
    float const left = std::max(a.x, b.x);
    float const top = std::max(a.y, b.y);
    float const right = std::min(a.x + a.width, b.x + b.width);
    float const bottom = std::min(a.y + a.height, b.y + b.height);
    return { left, top, std::max(right - left, 0.0f), std::max(bottom - top, 0.0f) };
}

// Whether the rectangles overlap once a is grown by distance on every side.
bool isNear(PixelRect const& a, PixelRect const& b, int distance)
{
    return a.x - distance < b.x + b.width && b.x - distance < a.x + a.width && a.y - distance < b.y + b.height
        && b.y - distance < a.y + a.height;
}

bool intersects(PixelRect const& a, PixelRect const& b)
{
    return isNear(a, b, 0);
}

PixelRect united(PixelRect const& a, PixelRect const& b)
{
    int const left = std::min(a.x, b.x);
    int const top = std::min(a.y, b.y);
    int const right = std::max(a.x + a.width, b.x + b.width);
    int const bottom = std::max(a.y + a.height, b.y + b.height);
    return { left, top, right - left, bottom - top };
}

} // namespace

RetainedFrame::RetainedFrame(FontFactory& fonts)
    : m_fontFactory(fonts)
{
}

void RetainedFrame::restart(Graphics& target, int width, int height)
{
    m_target = &target;
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_scaleX = 1;
    m_scaleY = 1;
    m_redrawAll = true;
    m_previous.count = 0;
    m_current.count = 0;
    m_current.clipAtStart.reset();
    m_clipNow.reset();
    m_damage.reserve(kMaxDamageRects + 1);
}

std::span<PixelRect const> RetainedFrame::flush()
{
    m_damage.clear();
    if (!m_target) {
        m_current.count = 0;
        return {};
    }
    if (m_redrawAll) {
        damageAll();
        for (std::size_t i = 0; i < m_current.count; ++i)
            m_current.slots[i].bounds = boundsOf(m_current.slots[i]);
    } else {
        if (!sameClip(m_previous.clipAtStart, m_current.clipAtStart))
            damageAll();
        matchCalls();
        damageUnmatched();
    }
    if (!m_damage.empty())
        redraw();
    m_redrawAll = false;
    dropUnusedFonts();

    std::swap(m_previous, m_current);
    m_current.count = 0;
    m_current.clipAtStart = m_clipNow;
    return m_damage;
}

RetainedFrame::Call& RetainedFrame::record(DrawOp op)
{
    if (m_current.count == m_current.slots.size())
        m_current.slots.emplace_back();
    Call& call = m_current.slots[m_current.count++];
    call.command.op = op;
    call.font = nullptr;
    call.matched = false;
    return call;
}

// Pairs the calls the two frames share, in order: a call of the new frame is
// paired with the next unpaired call of the last frame that equals it. Where
// the frames part, the shorter way back to agreement wins: calls dropped from
// the last frame, or calls new in this one.
void RetainedFrame::matchCalls()
{
    for (std::size_t i = 0; i < m_previous.count; ++i)
        m_previous.slots[i].matched = false;
    std::size_t before = 0, now = 0;
    while (before < m_previous.count && now < m_current.count) {
        Call& old = m_previous.slots[before];
        Call& fresh = m_current.slots[now];
        if (sameCall(old.command, fresh.command)) {
            old.matched = fresh.matched = true;
            fresh.bounds = old.bounds;
            ++before;
            ++now;
            continue;
        }
        std::optional<std::size_t> const dropped = findAhead(m_previous, before + 1, fresh);
        std::optional<std::size_t> const added = findAhead(m_current, now + 1, old);
        if (dropped && (!added || *dropped - before <= *added - now)) {
            before = *dropped;
        } else if (added) {
            now = *added;
        } else {
            ++before;
            ++now;
        }
    }
}

std::optional<std::size_t> RetainedFrame::findAhead(CallList const& list, std::size_t from, Call const& wanted) const
{
    std::size_t const end = std::min(list.count, from + kLookAhead);
    for (std::size_t i = from; i < end; ++i) {
        if (sameCall(list.slots[i].command, wanted.command))
            return i;
    }
    return std::nullopt;
}

// A call that went or came damages the pixels it could touch. A clip that went
// or came changes what every later call leaves: the whole buffer is redrawn.
void RetainedFrame::damageUnmatched()
{
    for (std::size_t i = 0; i < m_previous.count; ++i) {
        Call const& old = m_previous.slots[i];
        if (old.matched)
            continue;
        if (isClipCall(old.command.op))
            damageAll();
        else
            addDamage(old.bounds);
    }
    for (std::size_t i = 0; i < m_current.count; ++i) {
        Call& fresh = m_current.slots[i];
        if (fresh.matched)
            continue;
        fresh.bounds = boundsOf(fresh);
        if (isClipCall(fresh.command.op))
            damageAll();
        else
            addDamage(fresh.bounds);
    }
}

PixelRect RetainedFrame::boundsOf(Call const& call)
{
    DrawCommand const& c = call.command;
    float const penPixels = std::max(c.pen.width * std::max(std::abs(m_scaleX), std::abs(m_scaleY)), 1.0f);
    switch (c.op) {
    case DrawOp::Clear:
        return { 0, 0, m_width, m_height };
    case DrawOp::Line:
        return pixelsCovering(boundingRect(c.points), penPixels * kCapReachPerWidth);
    case DrawOp::Polygon:
        return pixelsCovering(boundingRect(c.points), penPixels * kMiterReachPerWidth);
    case DrawOp::Rect:
    case DrawOp::Arc:
        return pixelsCovering(c.rect, penPixels * kCapReachPerWidth);
    case DrawOp::FillRect:
    case DrawOp::Pie:
    case DrawOp::Ellipse:
        return pixelsCovering(c.rect, 0);
    case DrawOp::Text: {
        if (!call.font)
            return {};
        RectF const box = m_target->measureString(c.text, *call.font, c.origin, c.format);
        float const overhang = kGlyphOverhangPerEm * c.fontSize;
        return pixelsCovering(inflated(box, overhang, overhang), 0);
    }
    case DrawOp::Clip:
    case DrawOp::NoClip:
        break;
    }
    return {};
}

// The pixels a page rectangle covers once scaled, with padPixels more on
// every side and room for smoothing; all of them when it is not a number.
PixelRect RetainedFrame::pixelsCovering(RectF const& page, float padPixels) const
{
    double const x0 = static_cast<double>(page.x) * m_scaleX;
    double const x1 = (static_cast<double>(page.x) + page.width) * m_scaleX;
    double const y0 = static_cast<double>(page.y) * m_scaleY;
    double const y1 = (static_cast<double>(page.y) + page.height) * m_scaleY;
    double const pad = static_cast<double>(padPixels) + kSmoothingPadPixels;
    double const left = std::floor(std::min(x0, x1) - pad);
    double const right = std::ceil(std::max(x0, x1) + pad) + 1;
    double const top = std::floor(std::min(y0, y1) - pad);
    double const bottom = std::ceil(std::max(y0, y1) + pad) + 1;
    if (!(std::isfinite(left) && std::isfinite(right) && std::isfinite(top) && std::isfinite(bottom)))
        return { 0, 0, m_width, m_height };
    auto const column = [this](double x) { return static_cast<int>(std::clamp(x, 0.0, static_cast<double>(m_width))); };
    auto const row = [this](double y) { return static_cast<int>(std::clamp(y, 0.0, static_cast<double>(m_height))); };
    int const l = column(left), t = row(top);
    return { l, t, column(right) - l, row(bottom) - t };
}

// Keeps the damage a few rectangles that do not overlap: a new one swallows
// every one near it, and too many become their bounding rectangle.
void RetainedFrame::addDamage(PixelRect rect)
{
    if (rect.width <= 0 || rect.height <= 0 || m_redrawAll)
        return;
    for (std::size_t i = 0; i < m_damage.size();) {
        if (isNear(m_damage[i], rect, kMergeDistancePixels)) {
            rect = united(rect, m_damage[i]);
            m_damage[i] = m_damage.back();
            m_damage.pop_back();
            i = 0;
        } else {
            ++i;
        }
    }
    m_damage.push_back(rect);
    if (m_damage.size() > kMaxDamageRects) {
        PixelRect all = m_damage[0];
        for (PixelRect const& r : m_damage)
            all = united(all, r);
        m_damage.assign(1, all);
    }
}

void RetainedFrame::damageAll()
{
    m_redrawAll = true;
    m_damage.clear();
    if (m_width > 0 && m_height > 0)
        m_damage.push_back({ 0, 0, m_width, m_height });
}

// Plays the new frame into the damage: every call that reaches it, once and
// whole, under the frame's own clips; a clear clears only the damage.
void RetainedFrame::redraw()
{
    std::optional<RectF> clip = m_current.clipAtStart;
    applyClip(clip);
    for (std::size_t i = 0; i < m_current.count; ++i) {
        Call const& call = m_current.slots[i];
        switch (call.command.op) {
        case DrawOp::Clip:
            clip = call.command.rect;
            applyClip(clip);
            break;
        case DrawOp::NoClip:
            clip.reset();
            applyClip(clip);
            break;
        case DrawOp::Clear:
            clearDamage(call.command.colour, clip);
            break;
        default:
            if (reachesDamage(call.bounds))
                play(call);
            break;
        }
    }
    m_target->resetClip();
}

// An opaque clear is a fill of the damage, which needs no clip of its own:
// clearing through a clip costs a rasteriser far more than filling a box.
void RetainedFrame::clearDamage(Argb colour, std::optional<RectF> const& clip)
{
    bool const opaque = (colour >> 24) == 0xFF;
    for (PixelRect const& rect : m_damage) {
        RectF const area = pageRectOf(rect);
        if (opaque) {
            m_target->fillRectangle(Brush { colour }, area);
        } else {
            m_target->setClip(clip ? intersection(*clip, area) : area);
            m_target->clear(colour);
        }
    }
    if (!opaque)
        applyClip(clip);
}

bool RetainedFrame::reachesDamage(PixelRect const& bounds) const
{
    return std::any_of(m_damage.begin(), m_damage.end(), [&](PixelRect const& rect) { return intersects(bounds, rect); });
}

void RetainedFrame::applyClip(std::optional<RectF> const& clip)
{
    if (clip)
        m_target->setClip(*clip);
    else
        m_target->resetClip();
}

void RetainedFrame::play(Call const& call)
{
    DrawCommand const& c = call.command;
    switch (c.op) {
    case DrawOp::Clear:
        m_target->clear(c.colour);
        break;
    case DrawOp::Line:
        m_target->drawLine(c.pen, c.points[0], c.points[1]);
        break;
    case DrawOp::Rect:
        m_target->drawRectangle(c.pen, c.rect);
        break;
    case DrawOp::FillRect:
        m_target->fillRectangle(c.brush, c.rect);
        break;
    case DrawOp::Arc:
        m_target->drawArc(c.pen, c.rect, c.startAngle, c.sweepAngle);
        break;
    case DrawOp::Pie:
        m_target->fillPie(c.brush, c.rect, c.startAngle, c.sweepAngle);
        break;
    case DrawOp::Ellipse:
        m_target->fillEllipse(c.brush, c.rect);
        break;
    case DrawOp::Polygon:
        m_target->drawPolygon(c.pen, c.points);
        break;
    case DrawOp::Text:
        if (call.font)
            m_target->drawString(c.text, *call.font, c.origin, c.format, c.brush);
        break;
    case DrawOp::Clip:
    case DrawOp::NoClip:
        break;
    }
}

// The page rectangle whose edges fall on the pixel edges of rect, pixel
// centres being on integer device coordinates.
RectF RetainedFrame::pageRectOf(PixelRect const& rect) const
{
    double const left = (rect.x - 0.5) / m_scaleX;
    double const top = (rect.y - 0.5) / m_scaleY;
    double const right = (rect.x + rect.width - 0.5) / m_scaleX;
    double const bottom = (rect.y + rect.height - 0.5) / m_scaleY;
    return { static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left), static_cast<float>(bottom - top) };
}

void RetainedFrame::scaleWorld(float sx, float sy)
{
    m_scaleX *= sx;
    m_scaleY *= sy;
    m_redrawAll = true;
    if (m_target)
        m_target->scaleWorld(sx, sy);
}

void RetainedFrame::clear(Argb colour)
{
    record(DrawOp::Clear).command.colour = colour;
}

void RetainedFrame::drawLine(Pen const& pen, PointF from, PointF to)
{
    DrawCommand& c = record(DrawOp::Line).command;
    c.pen = pen;
    PointF const ends[2] = { from, to };
    c.points.assign(std::begin(ends), std::end(ends));
}

void RetainedFrame::drawRectangle(Pen const& pen, RectF const& rect)
{
    DrawCommand& c = record(DrawOp::Rect).command;
    c.pen = pen;
    c.rect = rect;
}

void RetainedFrame::fillRectangle(Brush const& brush, RectF const& rect)
{
    DrawCommand& c = record(DrawOp::FillRect).command;
    c.brush = brush;
    c.rect = rect;
}

void RetainedFrame::drawArc(Pen const& pen, RectF const& rect, float startAngle, float sweepAngle)
{
    DrawCommand& c = record(DrawOp::Arc).command;
    c.pen = pen;
    c.rect = rect;
    c.startAngle = startAngle;
    c.sweepAngle = sweepAngle;
}

void RetainedFrame::fillPie(Brush const& brush, RectF const& rect, float startAngle, float sweepAngle)
{
    DrawCommand& c = record(DrawOp::Pie).command;
    c.brush = brush;
    c.rect = rect;
    c.startAngle = startAngle;
    c.sweepAngle = sweepAngle;
}

void RetainedFrame::fillEllipse(Brush const& brush, RectF const& rect)
{
    DrawCommand& c = record(DrawOp::Ellipse).command;
    c.brush = brush;
    c.rect = rect;
}

void RetainedFrame::drawPolygon(Pen const& pen, std::span<PointF const> points)
{
    // An outline with no points draws nothing: keeping it would only cost.
    if (points.empty())
        return;
    DrawCommand& c = record(DrawOp::Polygon).command;
    c.pen = pen;
    c.points.assign(points.begin(), points.end());
}

void RetainedFrame::drawString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format, Brush const& brush)
{
    Call& call = record(DrawOp::Text);
    DrawCommand& c = call.command;
    call.font = fontLike(font);
    c.text.assign(text);
    c.origin = origin;
    c.fontFace.assign(font.face());
    c.fontSize = font.size();
    c.fontStyle = font.style();
    c.format = format;
    c.brush = brush;
}

// The frame's own font of the same face, size and style, made when first
// needed and kept while frames draw with it.
Font const* RetainedFrame::fontLike(Font const& font)
{
    for (OwnFont& own : m_fonts) {
        if (own.size == font.size() && own.style == font.style() && own.face == font.face()) {
            own.usedThisFrame = true;
            return own.font.get();
        }
    }
    std::unique_ptr<Font> made = m_fontFactory.createFont(font.face(), font.size(), font.style());
    if (!made)
        return nullptr;
    m_fonts.push_back({ font.face(), font.size(), font.style(), std::move(made), true });
    return m_fonts.back().font.get();
}

// Once flushed, a frame's calls are only compared, never drawn again: the
// fonts it did not draw with can go.
void RetainedFrame::dropUnusedFonts()
{
    std::erase_if(m_fonts, [](OwnFont const& own) { return !own.usedThisFrame; });
    for (OwnFont& own : m_fonts)
        own.usedThisFrame = false;
}

RectF RetainedFrame::measureString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format)
{
    return m_target ? m_target->measureString(text, font, origin, format) : RectF { origin.x, origin.y, 0, 0 };
}

void RetainedFrame::setClip(RectF const& rect)
{
    record(DrawOp::Clip).command.rect = rect;
    m_clipNow = rect;
}

void RetainedFrame::resetClip()
{
    record(DrawOp::NoClip);
    m_clipNow.reset();
}
