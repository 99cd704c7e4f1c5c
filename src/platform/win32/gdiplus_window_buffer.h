#pragma once

#include "platform/win32/gdiplus_graphics.h"
#include "render/render_backend.h"
#include "render/retained_frame.h"

#include <memory>

#include <windows.h>

// The back buffer of a window: a memory device context holding a bitmap
// compatible with the window, copied to the window in one block. Frames are
// drawn by GDI+ into a second such bitmap through RetainedFrame, which redraws
// only what changed since the last frame and leaves that bitmap exact only
// there; the redrawn rectangles are copied into the back buffer, which so
// always holds the whole frame for whatever part of the window Windows asks
// to be painted.
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
    // A bitmap compatible with the window, selected into a memory DC.
    struct MemoryBitmap {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ original = nullptr;

        void create(HDC windowDc, int width, int height);
        void release();
    };

    void release();

    FontFactory& m_fonts;
    HWND m_window = nullptr;
    MemoryBitmap m_back;
    MemoryBitmap m_drawing;
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<GdiplusGraphics> m_graphics;
    RetainedFrame m_frame { m_fonts };
};
