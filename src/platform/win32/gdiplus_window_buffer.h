#pragma once

#include "platform/win32/gdiplus_graphics.h"
#include "render/render_backend.h"

#include <memory>

#include <windows.h>

// The back buffer of a window: a memory device context holding a bitmap
// compatible with the window, drawn by GDI+, copied to the window in one block.
class GdiplusWindowBuffer final : public RenderBackend {
public:
    explicit GdiplusWindowBuffer(FontFactory& fonts);
    ~GdiplusWindowBuffer() override;
    GdiplusWindowBuffer(GdiplusWindowBuffer const&) = delete;
    GdiplusWindowBuffer& operator=(GdiplusWindowBuffer const&) = delete;

    // The window the buffer belongs to; set once it exists.
    void attach(HWND window) { m_window = window; }

    FontFactory& fonts() override { return m_fonts; }
    Graphics& recreateBackBuffer(int width, int height) override;
    void present() override;

private:
    void release();

    FontFactory& m_fonts;
    HWND m_window = nullptr;
    HDC m_memoryDc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_originalBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<GdiplusGraphics> m_graphics;
};
