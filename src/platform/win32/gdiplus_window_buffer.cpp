#include "platform/win32/gdiplus_window_buffer.h"

#include "platform/win32/gdiplus_api.h"

GdiplusWindowBuffer::GdiplusWindowBuffer(FontFactory& fonts)
    : m_fonts(fonts)
{
}

GdiplusWindowBuffer::~GdiplusWindowBuffer()
{
    release();
}

Graphics& GdiplusWindowBuffer::recreateBackBuffer(int width, int height)
{
    release();
    HDC const windowDc = GetDC(m_window);
    m_memoryDc = CreateCompatibleDC(windowDc);
    // A zero-size bitmap cannot be made; one pixel stands in for an empty client area.
    m_bitmap = CreateCompatibleBitmap(windowDc, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(m_window, windowDc);
    m_originalBitmap = SelectObject(m_memoryDc, m_bitmap);
    m_width = width;
    m_height = height;

    gdip::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(m_memoryDc, &graphics) != gdip::Ok)
        graphics = nullptr;
    m_graphics = std::make_unique<GdiplusGraphics>(graphics);
    return *m_graphics;
}

void GdiplusWindowBuffer::present()
{
    // Without its window the buffer has nowhere to go: GetDC(nullptr) would
    // be the whole screen.
    if (m_window == nullptr || m_memoryDc == nullptr || m_width <= 0 || m_height <= 0)
        return;
    m_graphics->flush();
    HDC const windowDc = GetDC(m_window);
    BitBlt(windowDc, 0, 0, m_width, m_height, m_memoryDc, 0, 0, SRCCOPY);
    ReleaseDC(m_window, windowDc);
}

void GdiplusWindowBuffer::release()
{
    m_graphics.reset();
    if (m_memoryDc != nullptr) {
        SelectObject(m_memoryDc, m_originalBitmap);
        DeleteDC(m_memoryDc);
        m_memoryDc = nullptr;
    }
    if (m_bitmap != nullptr) {
        DeleteObject(m_bitmap);
        m_bitmap = nullptr;
    }
}
