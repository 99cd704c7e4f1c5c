#include "platform/linux/cairo_graphics.h"

#include "platform/linux/cairo_fonts.h"
#include "render/recording_graphics.h"
#include "render/utf8_text.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>

namespace {

constexpr double kDegrees = std::numbers::pi / 180;
// FreeType sizes glyphs in 1/64 pixel.
constexpr double kThinnestGlyphPixels = 1.0 / 64;
// GDI+ pads text on each side by this part of the em.
constexpr double kTextPaddingPerEm = 1.0 / 6;

// The ellipse's parameter angle of the point that lies at the geometric angle
// (radians) from its centre, continuous in the angle so sweeps keep their turns.
double parameterAngle(double angle, double radiusX, double radiusY)
{
    double const parameter = std::atan2(radiusX * std::sin(angle), radiusY * std::cos(angle));
    return angle + std::remainder(parameter - angle, 2 * std::numbers::pi);
}

bool usableScale(float factor)
{
    return std::isfinite(factor) && factor != 0;
}

std::u16string_view withoutTrailingSpaces(std::u16string_view text)
{
    std::size_t const last = text.find_last_not_of(u' ');
    return last == std::u16string_view::npos ? std::u16string_view {} : text.substr(0, last + 1);
}

} // namespace

CairoGraphics::CairoGraphics(cairo_surface_t* target)
    : m_target(cairo_surface_reference(target))
    , m_cr(cairo_create(target))
    , m_fontOptions(cairo_font_options_create())
{
    setUpContext();
}

void CairoGraphics::setUpContext()
{
    // GDI+ smooths shapes with an 8x4 box filter. Cairo's fast 4x4 coverage
    // looks the same and nearly halves the cost of the gauges' arcs, which at
    // Cairo's default sampling (256x15) take most of a frame. Glyphs keep
    // their own smoothing, from the font options.
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_FAST);
    // GDI+ flattens curves to a quarter of a pixel, not Cairo's tenth.
    cairo_set_tolerance(m_cr, 0.25);
    cairo_font_options_set_antialias(m_fontOptions, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(m_fontOptions, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(m_fontOptions, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(m_cr, m_fontOptions);
    // Pixel centres on integer coordinates.
    cairo_translate(m_cr, 0.5, 0.5);
    cairo_scale(m_cr, m_scaleX, m_scaleY);
}

CairoGraphics::~CairoGraphics()
{
    cairo_destroy(m_cr);
    cairo_font_options_destroy(m_fontOptions);
    cairo_surface_destroy(m_target);
}

// A context in error ignores every later call for good: the page would
// freeze on its last good frame. A fresh context on the same target draws
// on; what failed is told once, as it would likely fail again every frame.
void CairoGraphics::recoverIfFailed()
{
    cairo_status_t const status = cairo_status(m_cr);
    if (status == CAIRO_STATUS_SUCCESS)
        return;
    if (!m_failureTold) {
        std::cerr << "tarnex: drawing failed (" << cairo_status_to_string(status) << "); drawing goes on with a fresh context\n";
        m_failureTold = true;
    }
    ++m_recoveries;
    cairo_destroy(m_cr);
    m_cr = cairo_create(m_target);
    setUpContext();
}

void CairoGraphics::scaleWorld(float sx, float sy)
{
    recoverIfFailed();
    // A zero or non-finite factor fails the context, and each fresh context
    // would take it again: the page would be rebuilt on every drawing call.
    if (!(usableScale(sx) && usableScale(sy)))
        return;
    m_scaleX *= sx;
    m_scaleY *= sy;
    cairo_scale(m_cr, sx, sy);
}

void CairoGraphics::setColour(Argb colour)
{
    cairo_set_source_rgba(m_cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0,
        ((colour >> 24) & 0xFF) / 255.0);
}

void CairoGraphics::setPen(Pen const& pen)
{
    setColour(pen.colour);
    double width = pen.width;
    if (width <= 0) {
        // GDI+ draws a zero-width pen one device pixel wide.
        double dx = 1, dy = 1;
        cairo_device_to_user_distance(m_cr, &dx, &dy);
        width = std::min(std::abs(dx), std::abs(dy));
    }
    cairo_set_line_width(m_cr, width);
    if (pen.dashed) {
        double const pattern[2] = { 2 * width, 2 * width };
        cairo_set_dash(m_cr, pattern, 2, 0);
    } else {
        cairo_set_dash(m_cr, nullptr, 0, 0);
    }
}

void CairoGraphics::clear(Argb colour)
{
    recoverIfFailed();
    cairo_set_operator(m_cr, CAIRO_OPERATOR_SOURCE);
    setColour(colour);
    cairo_paint(m_cr);
    cairo_set_operator(m_cr, CAIRO_OPERATOR_OVER);
}

void CairoGraphics::drawLine(Pen const& pen, PointF from, PointF to)
{
    recoverIfFailed();
    setPen(pen);
    cairo_move_to(m_cr, from.x, from.y);
    cairo_line_to(m_cr, to.x, to.y);
    cairo_stroke(m_cr);
}

void CairoGraphics::drawRectangle(Pen const& pen, RectF const& rect)
{
    recoverIfFailed();
    setPen(pen);
    cairo_rectangle(m_cr, rect.x, rect.y, rect.width, rect.height);
    cairo_stroke(m_cr);
}

void CairoGraphics::fillRectangle(Brush const& brush, RectF const& rect)
{
    recoverIfFailed();
    setColour(brush.colour);
    cairo_rectangle(m_cr, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(m_cr);
}

void CairoGraphics::addArc(RectF const& rect, float startAngle, float sweepAngle)
{
    double const radiusX = rect.width / 2.0;
    double const radiusY = rect.height / 2.0;
    double const start = startAngle * kDegrees;
    double const sweep = std::clamp(static_cast<double>(sweepAngle), -360.0, 360.0) * kDegrees;
    double const from = parameterAngle(start, radiusX, radiusY);
    double const to = parameterAngle(start + sweep, radiusX, radiusY);
    cairo_matrix_t saved;
    cairo_get_matrix(m_cr, &saved);
    cairo_translate(m_cr, rect.x + radiusX, rect.y + radiusY);
    cairo_scale(m_cr, radiusX, radiusY);
    if (sweep >= 0)
        cairo_arc(m_cr, 0, 0, 1, from, to);
    else
        cairo_arc_negative(m_cr, 0, 0, 1, from, to);
    cairo_set_matrix(m_cr, &saved);
}

void CairoGraphics::drawArc(Pen const& pen, RectF const& rect, float startAngle, float sweepAngle)
{
    recoverIfFailed();
    // A flat ellipse would leave the context with a singular transform.
    if (!(rect.width > 0 && rect.height > 0))
        return;
    setPen(pen);
    addArc(rect, startAngle, sweepAngle);
    cairo_stroke(m_cr);
}

void CairoGraphics::fillPie(Brush const& brush, RectF const& rect, float startAngle, float sweepAngle)
{
    recoverIfFailed();
    if (!(rect.width > 0 && rect.height > 0))
        return;
    setColour(brush.colour);
    cairo_move_to(m_cr, rect.x + rect.width / 2.0, rect.y + rect.height / 2.0);
    addArc(rect, startAngle, sweepAngle);
    cairo_close_path(m_cr);
    cairo_fill(m_cr);
}

void CairoGraphics::fillEllipse(Brush const& brush, RectF const& rect)
{
    recoverIfFailed();
    if (!(rect.width > 0 && rect.height > 0))
        return;
    setColour(brush.colour);
    cairo_new_sub_path(m_cr);
    addArc(rect, 0, 360);
    cairo_close_path(m_cr);
    cairo_fill(m_cr);
}

void CairoGraphics::drawPolygon(Pen const& pen, std::span<PointF const> points)
{
    recoverIfFailed();
    if (points.empty())
        return;
    setPen(pen);
    cairo_move_to(m_cr, points[0].x, points[0].y);
    for (PointF const& point : points.subspan(1))
        cairo_line_to(m_cr, point.x, point.y);
    cairo_close_path(m_cr);
    cairo_stroke(m_cr);
}

int CairoGraphics::layOutGlyphs(std::u16string_view text, CairoFont const& font, double& advance)
{
    advance = 0;
    std::size_t const bytes = utf16ToUtf8(withoutTrailingSpaces(text), m_utf8);
    if (bytes == 0)
        return 0;
    cairo_set_font_face(m_cr, font.cairoFace());
    cairo_set_font_size(m_cr, font.size());
    if (!drawableTextSize(font.size()))
        return 0;
    cairo_scaled_font_t* scaledFont = cairo_get_scaled_font(m_cr);
    cairo_glyph_t* glyphs = m_glyphs.data();
    int count = static_cast<int>(m_glyphs.size());
    if (cairo_scaled_font_text_to_glyphs(scaledFont, 0, 0, m_utf8.data(), static_cast<int>(bytes), &glyphs, &count, nullptr, nullptr, nullptr)
        != CAIRO_STATUS_SUCCESS)
        return 0;
    if (glyphs != m_glyphs.data()) {
        // More glyphs than the buffer holds: keep the ones that fit.
        count = std::min(count, static_cast<int>(m_glyphs.size()));
        std::copy(glyphs, glyphs + count, m_glyphs.data());
        cairo_glyph_free(glyphs);
    }
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(scaledFont, m_glyphs.data(), count, &extents);
    advance = extents.x_advance;
    return count;
}

// A page stretched far more in one direction than the other leaves glyphs
// thinner than FreeType's 1/64 pixel: it refuses them, and the context would
// fail. Such text shows nothing anyway.
bool CairoGraphics::drawableTextSize(double size) const
{
    double ex = size, ey = 0, fx = 0, fy = size;
    cairo_user_to_device_distance(m_cr, &ex, &ey);
    cairo_user_to_device_distance(m_cr, &fx, &fy);
    return std::hypot(ex, ey) >= kThinnestGlyphPixels && std::hypot(fx, fy) >= kThinnestGlyphPixels;
}

RectF CairoGraphics::textBox(CairoFont const& font, double advance, PointF origin, StringFormat const& format) const
{
    double const padding = kTextPaddingPerEm * font.size();
    float const width = static_cast<float>(advance + 2 * padding);
    float const height = font.metrics().lineSpacing * font.scale();
    return placeTextBox(origin, width, height, format);
}

void CairoGraphics::drawString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format, Brush const& brush)
{
    recoverIfFailed();
    auto const& cairoFont = static_cast<CairoFont const&>(font);
    double advance = 0;
    int const count = layOutGlyphs(text, cairoFont, advance);
    if (count == 0)
        return;
    RectF const box = textBox(cairoFont, advance, origin, format);
    double const left = box.x + kTextPaddingPerEm * font.size();
    double const baseline = box.y + font.ascent();
    for (int i = 0; i < count; ++i) {
        m_glyphs[i].x += left;
        m_glyphs[i].y += baseline;
    }
    setColour(brush.colour);
    cairo_show_glyphs(m_cr, m_glyphs.data(), count);
    if (font.style() & FontStyleUnderline) {
        CairoFontMetrics const& metrics = cairoFont.metrics();
        double const thickness = metrics.underlineThickness * cairoFont.scale();
        double const centre = baseline - metrics.underlinePosition * cairoFont.scale();
        cairo_rectangle(m_cr, left, centre - thickness / 2, advance, thickness);
        cairo_fill(m_cr);
    }
}

RectF CairoGraphics::measureString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format)
{
    recoverIfFailed();
    auto const& cairoFont = static_cast<CairoFont const&>(font);
    double advance = 0;
    if (layOutGlyphs(text, cairoFont, advance) == 0)
        return { origin.x, origin.y, 0, 0 };
    return textBox(cairoFont, advance, origin, format);
}

void CairoGraphics::setClip(RectF const& rect)
{
    recoverIfFailed();
    cairo_reset_clip(m_cr);
    cairo_rectangle(m_cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(m_cr);
}

void CairoGraphics::resetClip()
{
    recoverIfFailed();
    cairo_reset_clip(m_cr);
}
