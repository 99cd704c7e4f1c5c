#pragma once

#include "render/graphics.h"

#include <cairo.h>

#include <array>

class CairoFont;

// The drawing port over a Cairo surface, with the rules of GDI+ as the
// display uses it:
// - pixel centres lie on integer coordinates (GDI+'s high-speed pixel
//   offset), so a one-pixel line on a whole coordinate covers one pixel;
// - arcs, pies and ellipses take GDI+ angles: degrees clockwise from +x,
//   measured to the point on the ellipse, not along its parameter;
// - shapes are smoothed about as finely as GDI+'s 8x4 anti-aliasing, and
//   curves flattened to a quarter of a pixel, as GDI+ does;
// - dashed pens use the pattern {2, 2} in multiples of the pen width;
// - text is drawn at an origin with a zero-size layout rectangle: the text's
//   box is the advance of its glyphs (trailing spaces left out) plus 1/6 em on
//   each side, one line spacing high, and its left edge, centre or right edge
//   (top, middle or bottom) lies on the origin as the format says; the first
//   baseline is the cell ascent below the box's top;
// - glyphs use unhinted outlines and metrics, so text scales with the page.
//   Text whose glyphs would be thinner than FreeType's 1/64 pixel in either
//   direction (a page stretched far more one way than the other) is neither
//   drawn nor measured.
// Fonts must be CairoFonts. Drawing a frame allocates nothing.
class CairoGraphics final : public Graphics {
public:
    // Draws into target (kept referenced) with the identity world transform.
    explicit CairoGraphics(cairo_surface_t* target);
    ~CairoGraphics() override;
    CairoGraphics(CairoGraphics const&) = delete;
    CairoGraphics& operator=(CairoGraphics const&) = delete;

    // A zero or non-finite factor is refused: the transform stays as it was.
    void scaleWorld(float sx, float sy) override;

    void clear(Argb colour) override;
    void drawLine(Pen const&, PointF from, PointF to) override;
    void drawRectangle(Pen const&, RectF const&) override;
    void fillRectangle(Brush const&, RectF const&) override;
    void drawArc(Pen const&, RectF const&, float startAngle, float sweepAngle) override;
    void fillPie(Brush const&, RectF const&, float startAngle, float sweepAngle) override;
    void fillEllipse(Brush const&, RectF const&) override;
    void drawPolygon(Pen const&, std::span<PointF const> points) override;

    void drawString(std::u16string_view text, Font const&, PointF origin, StringFormat const&, Brush const&) override;
    RectF measureString(std::u16string_view text, Font const&, PointF origin, StringFormat const&) override;

    void setClip(RectF const&) override;
    void resetClip() override;

    // Every call first checks the context: one in error is replaced by a
    // fresh one with the same transform (the first failure of this instance
    // is told on stderr). How many times that happened.
    int recoveries() const { return m_recoveries; }

private:
    static constexpr std::size_t kMaxTextBytes = 2048;
    static constexpr std::size_t kMaxGlyphs = 1024;

    // The text's glyphs laid out from (0, 0) into m_glyphs; returns how many
    // and sets the advance of the run. The text's trailing spaces are dropped.
    int layOutGlyphs(std::u16string_view text, CairoFont const&, double& advance);
    RectF textBox(CairoFont const&, double advance, PointF origin, StringFormat const&) const;
    bool drawableTextSize(double size) const;
    void setUpContext();
    void recoverIfFailed();
    void setPen(Pen const&);
    void setColour(Argb);
    // Adds the arc of the ellipse in rect to the path.
    void addArc(RectF const&, float startAngle, float sweepAngle);

    cairo_surface_t* m_target;
    cairo_t* m_cr;
    cairo_font_options_t* m_fontOptions;
    double m_scaleX = 1;
    double m_scaleY = 1;
    int m_recoveries = 0;
    bool m_failureTold = false;
    std::array<char, kMaxTextBytes> m_utf8 {};
    std::array<cairo_glyph_t, kMaxGlyphs> m_glyphs {};
};
