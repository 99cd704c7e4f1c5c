#include "platform/win32/gdiplus_graphics.h"

#include "platform/win32/gdiplus_api.h"
#include "platform/win32/gdiplus_fonts.h"

#include <vector>

namespace {

// A display uses a few dozen colours; a cache grown past this is dropped
// rather than kept growing.
constexpr std::size_t kMaxCachedObjects = 256;

gdip::StringAlignment nativeAlignment(StringAlignment alignment)
{
    switch (alignment) {
    case StringAlignment::Center:
        return gdip::StringAlignmentCenter;
    case StringAlignment::Far:
        return gdip::StringAlignmentFar;
    case StringAlignment::Near:
        break;
    }
    return gdip::StringAlignmentNear;
}

// How much of the text's extent lies before the origin.
float alignmentShare(StringAlignment alignment)
{
    switch (alignment) {
    case StringAlignment::Center:
        return 0.5f;
    case StringAlignment::Far:
        return 1.0f;
    case StringAlignment::Near:
        break;
    }
    return 0.0f;
}

gdip::GpFont* nativeFont(Font const& font)
{
    auto const* gdiplusFont = dynamic_cast<GdiplusFont const*>(&font);
    return gdiplusFont != nullptr ? gdiplusFont->native() : nullptr;
}

WCHAR const* wideText(std::u16string_view text)
{
    static_assert(sizeof(WCHAR) == sizeof(char16_t));
    return reinterpret_cast<WCHAR const*>(text.data());
}

// Text is laid out against a zero-size rectangle at the origin: no wrapping,
// no clipping, and the format's alignment decides which edge meets the origin.
gdip::RectF layoutAt(PointF origin)
{
    return gdip::RectF(origin.x, origin.y, 0, 0);
}

} // namespace

GdiplusGraphics::GdiplusGraphics(gdip::GpGraphics* graphics)
    : m_graphics(graphics)
{
    gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, &m_format);
    setRenderingModes();
}

GdiplusGraphics::~GdiplusGraphics()
{
    releaseCachedObjects();
    if (m_format != nullptr)
        gdip::GdipDeleteStringFormat(m_format);
    if (m_graphics != nullptr)
        gdip::GdipDeleteGraphics(m_graphics);
}

void GdiplusGraphics::setRenderingModes()
{
    gdip::GdipSetSmoothingMode(m_graphics, gdip::SmoothingModeAntiAlias);
    gdip::GdipSetTextRenderingHint(m_graphics, gdip::TextRenderingHintAntiAlias);
    gdip::GdipSetPixelOffsetMode(m_graphics, gdip::PixelOffsetModeHighSpeed);
}

void GdiplusGraphics::scaleWorld(float sx, float sy)
{
    gdip::GdipScaleWorldTransform(m_graphics, sx, sy, gdip::MatrixOrderPrepend);
}

void GdiplusGraphics::clear(Argb colour)
{
    gdip::GdipGraphicsClear(m_graphics, colour);
}

void GdiplusGraphics::drawLine(Pen const& pen, PointF from, PointF to)
{
    if (gdip::GpPen* const native = nativePen(pen))
        gdip::GdipDrawLine(m_graphics, native, from.x, from.y, to.x, to.y);
}

void GdiplusGraphics::drawRectangle(Pen const& pen, RectF const& rect)
{
    if (gdip::GpPen* const native = nativePen(pen))
        gdip::GdipDrawRectangle(m_graphics, native, rect.x, rect.y, rect.width, rect.height);
}

void GdiplusGraphics::fillRectangle(Brush const& brush, RectF const& rect)
{
    if (gdip::GpBrush* const native = nativeBrush(brush))
        gdip::GdipFillRectangle(m_graphics, native, rect.x, rect.y, rect.width, rect.height);
}

void GdiplusGraphics::drawArc(Pen const& pen, RectF const& rect, float startAngle, float sweepAngle)
{
    if (gdip::GpPen* const native = nativePen(pen))
        gdip::GdipDrawArc(m_graphics, native, rect.x, rect.y, rect.width, rect.height, startAngle, sweepAngle);
}

void GdiplusGraphics::fillPie(Brush const& brush, RectF const& rect, float startAngle, float sweepAngle)
{
    if (gdip::GpBrush* const native = nativeBrush(brush))
        gdip::GdipFillPie(m_graphics, native, rect.x, rect.y, rect.width, rect.height, startAngle, sweepAngle);
}

void GdiplusGraphics::fillEllipse(Brush const& brush, RectF const& rect)
{
    if (gdip::GpBrush* const native = nativeBrush(brush))
        gdip::GdipFillEllipse(m_graphics, native, rect.x, rect.y, rect.width, rect.height);
}

void GdiplusGraphics::drawPolygon(Pen const& pen, std::span<PointF const> points)
{
    gdip::GpPen* const native = nativePen(pen);
    if (native == nullptr || points.empty())
        return;
    std::vector<gdip::PointF> nativePoints;
    nativePoints.reserve(points.size());
    for (PointF const point : points)
        nativePoints.emplace_back(point.x, point.y);
    gdip::GdipDrawPolygon(m_graphics, native, nativePoints.data(), static_cast<INT>(nativePoints.size()));
}

void GdiplusGraphics::drawString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format, Brush const& brush)
{
    gdip::GpFont* const nativeFontObject = nativeFont(font);
    gdip::GpBrush* const nativeBrushObject = nativeBrush(brush);
    if (nativeFontObject == nullptr || nativeBrushObject == nullptr || text.empty())
        return;
    gdip::RectF const layout = layoutAt(origin);
    gdip::GdipDrawString(m_graphics, wideText(text), static_cast<INT>(text.size()), nativeFontObject, &layout,
        nativeFormat(format), nativeBrushObject);
}

RectF GdiplusGraphics::measureString(std::u16string_view text, Font const& font, PointF origin, StringFormat const& format)
{
    gdip::GpFont* const nativeFontObject = nativeFont(font);
    gdip::RectF bounds(origin.x, origin.y, 0, 0);
    if (nativeFontObject != nullptr && !text.empty()) {
        // Measured from the origin, then placed as the alignment places the
        // drawn text: not every GDI+ applies the alignment when measuring
        // against a zero-size rectangle.
        gdip::RectF const layout = layoutAt(origin);
        gdip::GdipMeasureString(m_graphics, wideText(text), static_cast<INT>(text.size()), nativeFontObject, &layout,
            nativeFormat({ StringAlignment::Near, StringAlignment::Near }), &bounds, nullptr, nullptr);
    }
    return { bounds.X - alignmentShare(format.align) * bounds.Width, bounds.Y - alignmentShare(format.lineAlign) * bounds.Height,
        bounds.Width, bounds.Height };
}

void GdiplusGraphics::setClip(RectF const& rect)
{
    gdip::RectF const nativeRect(rect.x, rect.y, rect.width, rect.height);
    gdip::GpRegion* region = nullptr;
    if (gdip::GdipCreateRegionRect(&nativeRect, &region) != gdip::Ok)
        return;
    gdip::GdipSetClipRegion(m_graphics, region, gdip::CombineModeReplace);
    gdip::GdipDeleteRegion(region);
}

void GdiplusGraphics::resetClip()
{
    gdip::GdipResetClip(m_graphics);
}

void GdiplusGraphics::flush()
{
    gdip::GdipFlush(m_graphics, gdip::FlushIntentionSync);
}

gdip::GpPen* GdiplusGraphics::nativePen(Pen const& pen)
{
    PenKey const key { pen.colour, pen.width, pen.dashed };
    if (auto const found = m_pens.find(key); found != m_pens.end())
        return found->second;
    if (m_pens.size() >= kMaxCachedObjects)
        releaseCachedObjects();

    gdip::GpPen* native = nullptr;
    if (gdip::GdipCreatePen1(pen.colour, pen.width, gdip::UnitWorld, &native) != gdip::Ok)
        return nullptr;
    if (pen.dashed) {
        // In multiples of the pen width, as GDI+ counts dashes.
        gdip::REAL const pattern[] = { 2, 2 };
        gdip::GdipSetPenDashArray(native, pattern, 2);
    }
    m_pens.emplace(key, native);
    return native;
}

gdip::GpBrush* GdiplusGraphics::nativeBrush(Brush const& brush)
{
    if (auto const found = m_brushes.find(brush.colour); found != m_brushes.end())
        return found->second;
    if (m_brushes.size() >= kMaxCachedObjects)
        releaseCachedObjects();

    gdip::GpSolidFill* native = nullptr;
    if (gdip::GdipCreateSolidFill(brush.colour, &native) != gdip::Ok)
        return nullptr;
    m_brushes.emplace(brush.colour, native);
    return native;
}

gdip::GpStringFormat* GdiplusGraphics::nativeFormat(StringFormat const& format)
{
    gdip::GdipSetStringFormatAlign(m_format, nativeAlignment(format.align));
    gdip::GdipSetStringFormatLineAlign(m_format, nativeAlignment(format.lineAlign));
    return m_format;
}

void GdiplusGraphics::releaseCachedObjects()
{
    for (auto const& [key, pen] : m_pens)
        gdip::GdipDeletePen(pen);
    m_pens.clear();
    for (auto const& [colour, brush] : m_brushes)
        gdip::GdipDeleteBrush(brush);
    m_brushes.clear();
}
