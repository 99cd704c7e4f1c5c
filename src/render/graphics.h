#pragma once

#include "render/geometry.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

// The drawing port. It is shaped after the GDI+ calls the display makes, so
// the Windows implementation is a thin veneer and the Cairo and Recording
// implementations follow the same rules: pens and brushes are plain values,
// text is 16-bit display text drawn at an origin with a zero-size layout
// rectangle, and the string format says which edge or centre of the text lands
// on that origin.

struct Pen {
    Argb colour = kOpaqueBlack;
    float width = 1; // page (world) units
    bool dashed = false; // dash pattern {2, 2}, in multiples of the width
};

struct Brush {
    Argb colour = kOpaqueBlack;
};

enum class StringAlignment { Near, Center, Far };

// GDI+ string format: Near/Center/Far place the text's left edge, centre or
// right edge (align) and top, middle or bottom (lineAlign) on the origin.
struct StringFormat {
    StringAlignment align = StringAlignment::Near;
    StringAlignment lineAlign = StringAlignment::Near;
};

// GDI+ font style bits.
enum FontStyle : int {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
};

// A realised font. Made by a FontFactory; immutable; usable with any Graphics
// of the same platform (the Recording graphics accepts every kind).
class Font {
public:
    Font(std::string face, float size, int style)
        : m_face(std::move(face))
        , m_size(size)
        , m_style(style)
    {
    }
    virtual ~Font() = default;
    Font(Font const&) = delete;
    Font& operator=(Font const&) = delete;

    // The face the font was made from (after the sans-serif fallback).
    std::string const& face() const { return m_face; }
    float size() const { return m_size; } // pixels of the page, i.e. page units
    int style() const { return m_style; }

    // Family metrics for this style, in design units.
    virtual float emHeight() const = 0;
    virtual float cellAscent() const = 0;

    // Distance from the top of the text cell to the first baseline, page units.
    float ascent() const { return m_size * cellAscent() / emHeight(); }

private:
    std::string m_face;
    float m_size;
    int m_style;
};

class FontFactory {
public:
    virtual ~FontFactory() = default;
    // Makes a font; a face that is not installed falls back to the generic
    // sans-serif family. Returns null only when even that fails.
    virtual std::unique_ptr<Font> createFont(std::string_view face, float size, int style) = 0;
};

class Graphics {
public:
    virtual ~Graphics() = default;

    // Prepends a scale to the world transform (page units to device pixels).
    virtual void scaleWorld(float sx, float sy) = 0;

    virtual void clear(Argb colour) = 0;
    virtual void drawLine(Pen const&, PointF from, PointF to) = 0;
    virtual void drawRectangle(Pen const&, RectF const&) = 0;
    virtual void fillRectangle(Brush const&, RectF const&) = 0;
    // Elliptic arc of the ellipse bounded by rect, from startAngle sweeping sweepAngle.
    virtual void drawArc(Pen const&, RectF const&, float startAngle, float sweepAngle) = 0;
    virtual void fillPie(Brush const&, RectF const&, float startAngle, float sweepAngle) = 0;
    virtual void fillEllipse(Brush const&, RectF const&) = 0;
    // Closed outline through the points.
    virtual void drawPolygon(Pen const&, std::span<PointF const> points) = 0;

    virtual void drawString(std::u16string_view text, Font const&, PointF origin, StringFormat const&, Brush const&) = 0;
    // Bounding rectangle of the text as drawString would place it.
    virtual RectF measureString(std::u16string_view text, Font const&, PointF origin, StringFormat const&) = 0;

    virtual void setClip(RectF const&) = 0;
    virtual void resetClip() = 0;
};
