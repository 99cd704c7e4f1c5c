#pragma once

#include "render/graphics.h"

#include <map>
#include <tuple>

namespace Gdiplus {
class GpGraphics;
class GpPen;
class GpBrush;
class GpStringFormat;
}

// The drawing port over a GDI+ graphics object. Pens and brushes arrive as
// values; the GDI+ objects behind them are made on first use and kept, so a
// frame makes no GDI+ objects once the display's colours have all been seen.
// Failed GDI+ calls leave that call undrawn and drawing goes on.
class GdiplusGraphics final : public Graphics {
public:
    // Takes ownership of the graphics object and sets its rendering modes.
    explicit GdiplusGraphics(Gdiplus::GpGraphics* graphics);
    ~GdiplusGraphics() override;
    GdiplusGraphics(GdiplusGraphics const&) = delete;
    GdiplusGraphics& operator=(GdiplusGraphics const&) = delete;

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

    // Completes every pending drawing call before the pixels are used.
    void flush();

private:
    // Anti-aliased shapes and text, pixel offsets at high speed.
    void setRenderingModes();
    Gdiplus::GpPen* nativePen(Pen const&);
    Gdiplus::GpBrush* nativeBrush(Brush const&);
    // The shared format, aligned as asked.
    Gdiplus::GpStringFormat* nativeFormat(StringFormat const&);
    void releaseCachedObjects();

    using PenKey = std::tuple<Argb, float, bool>;

    Gdiplus::GpGraphics* m_graphics;
    Gdiplus::GpStringFormat* m_format = nullptr;
    std::map<PenKey, Gdiplus::GpPen*> m_pens;
    std::map<Argb, Gdiplus::GpBrush*> m_brushes;
};
