#pragma once

#include "platform/win32/gdiplus_graphics.h"
#include "render/offscreen_backend.h"

#include <memory>
#include <string>

namespace Gdiplus {
class GpBitmap;
}

// An off-screen back buffer without a window: a 32-bit GDI+ bitmap, written
// out as PNG through GDI+'s own encoder. Used for snapshots.
class GdiplusBitmapBuffer final : public OffscreenBackend {
public:
    explicit GdiplusBitmapBuffer(FontFactory& fonts);
    ~GdiplusBitmapBuffer() override;
    GdiplusBitmapBuffer(GdiplusBitmapBuffer const&) = delete;
    GdiplusBitmapBuffer& operator=(GdiplusBitmapBuffer const&) = delete;

    FontFactory& fonts() override { return m_fonts; }
    Graphics& recreateBackBuffer(int width, int height) override;
    // Nothing to show: the pixels stay in the bitmap.
    void present() override;

    // path is in the ANSI code page, as the program's other file names.
    bool writePng(std::string const& path) override;
    // The pixel at (x, y), 0xAARRGGBB; 0 outside the bitmap.
    Argb pixel(int x, int y) const;

private:
    void release();

    FontFactory& m_fonts;
    Gdiplus::GpBitmap* m_bitmap = nullptr;
    std::unique_ptr<GdiplusGraphics> m_graphics;
};
