#include "render/draw_log.h"

#include "render/utf8_text.h"

#include <cstdio>

namespace {

void appendNumber(std::string& out, float value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    // A value that rounds to zero is written without a sign.
    std::string_view const written = text;
    out += written == "-0.00" ? "0.00" : written;
}

void appendNumbers(std::string& out, std::initializer_list<float> values)
{
    for (float const value : values) {
        out += ' ';
        appendNumber(out, value);
    }
}

void appendColour(std::string& out, Argb colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%08X", static_cast<unsigned>(colour));
    out += text;
}

void appendPen(std::string& out, Pen const& pen)
{
    out += " pen=";
    appendColour(out, pen.colour);
    out += '/';
    appendNumber(out, pen.width);
    if (pen.dashed)
        out += "/dash";
}

void appendBrush(std::string& out, Brush const& brush)
{
    out += " brush=";
    appendColour(out, brush.colour);
}

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char const c : text) {
        if (c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

char const* alignmentName(StringAlignment alignment)
{
    switch (alignment) {
    case StringAlignment::Center:
        return "center";
    case StringAlignment::Far:
        return "far";
    case StringAlignment::Near:
        break;
    }
    return "near";
}

void appendRect(std::string& out, RectF const& r)
{
    appendNumbers(out, { r.x, r.y, r.width, r.height });
}

void appendText(std::string& out, DrawCommand const& c)
{
    out += "text";
    appendNumbers(out, { c.origin.x, c.origin.y });
    out += ' ';
    appendQuoted(out, utf16ToUtf8(c.text));
    out += " font=";
    appendQuoted(out, c.fontFace);
    out += " size=";
    appendNumber(out, c.fontSize);
    out += " style=" + std::to_string(c.fontStyle);
    appendBrush(out, c.brush);
    out += " halign=";
    out += alignmentName(c.format.align);
    out += " valign=";
    out += alignmentName(c.format.lineAlign);
}

} // namespace

std::string formatDrawCommand(DrawCommand const& c)
{
    std::string out;
    switch (c.op) {
    case DrawOp::Clear:
        out = "clear ";
        appendColour(out, c.colour);
        break;
    case DrawOp::Line:
        out = "line";
        appendNumbers(out, { c.points[0].x, c.points[0].y, c.points[1].x, c.points[1].y });
        appendPen(out, c.pen);
        break;
    case DrawOp::Rect:
        out = "rect";
        appendRect(out, c.rect);
        appendPen(out, c.pen);
        break;
    case DrawOp::FillRect:
        out = "fillrect";
        appendRect(out, c.rect);
        appendBrush(out, c.brush);
        break;
    case DrawOp::Arc:
        out = "arc";
        appendRect(out, c.rect);
        appendNumbers(out, { c.startAngle, c.sweepAngle });
        appendPen(out, c.pen);
        break;
    case DrawOp::Pie:
        out = "pie";
        appendRect(out, c.rect);
        appendNumbers(out, { c.startAngle, c.sweepAngle });
        appendBrush(out, c.brush);
        break;
    case DrawOp::Ellipse:
        out = "ellipse";
        appendRect(out, c.rect);
        appendBrush(out, c.brush);
        break;
    case DrawOp::Polygon:
        out = "polygon";
        for (PointF const& p : c.points)
            appendNumbers(out, { p.x, p.y });
        appendPen(out, c.pen);
        break;
    case DrawOp::Text:
        appendText(out, c);
        break;
    case DrawOp::Clip:
        out = "clip";
        appendRect(out, c.rect);
        break;
    case DrawOp::NoClip:
        out = "noclip";
        break;
    }
    return out;
}

void writeDrawLog(std::ostream& out, std::span<DrawCommand const> commands)
{
    for (DrawCommand const& command : commands)
        out << formatDrawCommand(command) << '\n';
}
