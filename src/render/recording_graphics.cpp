#include "render/recording_graphics.h"

namespace {

constexpr float kCharWidthPerSize = 0.6f;
constexpr float kLineHeightPerSize = 1.15f;

float alignedStart(float origin, float extent, StringAlignment alignment)
{
    switch (alignment) {
    case StringAlignment::Center:
        return origin - extent / 2;
    case StringAlignment::Far:
        return origin - extent;
    case StringAlignment::Near:
        break;
    }
    return origin;
}

} // namespace

RectF placeTextBox(PointF origin, float width, float height, StringFormat const& format)
{
    return { alignedStart(origin.x, width, format.align), alignedStart(origin.y, height, format.lineAlign), width, height };
}

RecordingGraphics::RecordingGraphics(Graphics* inner)
    : m_inner(inner)
{
}

void RecordingGraphics::restart(Graphics* inner)
{
    m_inner = inner;
    m_scaleX = 1;
    m_scaleY = 1;
}

DrawCommand* RecordingGraphics::record(DrawOp op)
{
    if (!m_recording)
        return nullptr;
    DrawCommand& command = m_commands.emplace_back();
    command.op = op;
    return &command;
}

void RecordingGraphics::scaleWorld(float sx, float sy)
{
    m_scaleX *= sx;
    m_scaleY *= sy;
    if (m_inner)
        m_inner->scaleWorld(sx, sy);
}

void RecordingGraphics::clear(Argb colour)
{
    if (DrawCommand* c = record(DrawOp::Clear))
        c->colour = colour;
    if (m_inner)
        m_inner->clear(colour);
}

void RecordingGraphics::drawLine(Pen const& pen, PointF from, PointF to)
{
    if (DrawCommand* c = record(DrawOp::Line)) {
        c->pen = pen;
        c->points = { from, to };
    }
    if (m_inner)
        m_inner->drawLine(pen, from, to);
}

void RecordingGraphics::drawRectangle(Pen const& pen, RectF const& rect)
{
    if (DrawCommand* c = record(DrawOp::Rect)) {
        c->pen = pen;
        c->rect = rect;
    }
    if (m_inner)
        m_inner->drawRectangle(pen, rect);
}

void RecordingGraphics::fillRectangle(Brush const& brush, RectF const& rect)
{
    if (DrawCommand* c = record(DrawOp::FillRect)) {
        c->brush = brush;
        c->rect = rect;
    }
    if (m_inner)
        m_inner->fillRectangle(brush, rect);
}

void RecordingGraphics::drawArc(Pen const& pen, RectF const& rect, float startAngle, float sweepAngle)
{
    if (DrawCommand* c = record(DrawOp::Arc)) {
        c->pen = pen;
        c->rect = rect;
        c->startAngle = startAngle;
        c->sweepAngle = sweepAngle;
    }
    if (m_inner)
        m_inner->drawArc(pen, rect, startAngle, sweepAngle);
}

void RecordingGraphics::fillPie(Brush const& brush, RectF const& rect, float startAngle, float sweepAngle)
{
    if (DrawCommand* c = record(DrawOp::Pie)) {
        c->brush = brush;
        c->rect = rect;
        c->startAngle = startAngle;
        c->sweepAngle = sweepAngle;
    }
    if (m_inner)
        m_inner->fillPie(brush, rect, startAngle, sweepAngle);
}

void RecordingGraphics::fillEllipse(Brush const& brush, RectF const& rect)
{
    if (DrawCommand* c = record(DrawOp::Ellipse)) {
        c->brush = brush;
        c->rect = rect;
    }
    if (m_inner)
        m_inner->fillEllipse(brush, rect);
}

void RecordingGraphics::drawPolygon(Pen const& pen, std::span<PointF const> points)
{
    if (DrawCommand* c = record(DrawOp::Polygon)) {
        c->pen = pen;
        c->points.assign(points.begin(), points.end());
    }
    if (m_inner)
        m_inner->drawPolygon(pen, points);
}

void RecordingGraphics::drawString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format, Brush const& brush)
{
    if (DrawCommand* c = record(DrawOp::Text)) {
        c->text = text;
        c->origin = origin;
        c->fontFace = font.face();
        c->fontSize = font.size();
        c->fontStyle = font.style();
        c->format = format;
        c->brush = brush;
    }
    if (m_inner)
        m_inner->drawString(text, font, origin, format, brush);
}

RectF RecordingGraphics::measureString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format)
{
    if (m_inner)
        return m_inner->measureString(text, font, origin, format);
    float const width = kCharWidthPerSize * font.size() * static_cast<float>(text.size());
    float const height = text.empty() ? 0 : kLineHeightPerSize * font.size();
    return placeTextBox(origin, width, height, format);
}

void RecordingGraphics::setClip(RectF const& rect)
{
    if (DrawCommand* c = record(DrawOp::Clip))
        c->rect = rect;
    if (m_inner)
        m_inner->setClip(rect);
}

void RecordingGraphics::resetClip()
{
    record(DrawOp::NoClip);
    if (m_inner)
        m_inner->resetClip();
}
