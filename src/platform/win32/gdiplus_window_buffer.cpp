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

void GdiplusWindowBuffer::MemoryBitmap::create(HDC windowDc, int width, int height)
{
    dc = CreateCompatibleDC(windowDc);
    // A zero-size bitmap cannot be made; one pixel stands in for an empty client area.
    bitmap = CreateCompatibleBitmap(windowDc, width > 0 ? width : 1, height > 0 ? height : 1);
    original = SelectObject(dc, bitmap);
}

void GdiplusWindowBuffer::MemoryBitmap::release()
{
    if (dc != nullptr) {
        SelectObject(dc, original);
        DeleteDC(dc);
        dc = nullptr;
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

Graphics& GdiplusWindowBuffer::recreateBackBuffer(int width, int height)
{
    release();
    HDC const windowDc = GetDC(m_window);
    m_back.create(windowDc, width, height);
    m_drawing.create(windowDc, width, height);
    ReleaseDC(m_window, windowDc);
    m_width = width;
    m_height = height;

    gdip::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(m_drawing.dc, &graphics) != gdip::Ok)
        graphics = nullptr;
    m_graphics = std::make_unique<GdiplusGraphics>(graphics);
    m_frame.restart(*m_graphics, width, height);
    return m_frame;
}

void GdiplusWindowBuffer::present()
{
    if (!m_graphics)
        return;
    // Every frame is flushed, shown or not, so the next one is compared
    // with it.
    std::span<PixelRect const> const redrawn = m_frame.flush();
    m_graphics->flush();
    for (PixelRect const& rect : redrawn)
        BitBlt(m_back.dc, rect.x, rect.y, rect.width, rect.height, m_drawing.dc, rect.x, rect.y, SRCCOPY);
    // Without its window the buffer has nowhere to go: GetDC(nullptr) would
    // be the whole screen.
    if (m_window == nullptr || m_back.dc == nullptr || m_width <= 0 || m_height <= 0)
        return;
    HDC const windowDc = GetDC(m_window);
    BitBlt(windowDc, 0, 0, m_width, m_height, m_back.dc, 0, 0, SRCCOPY);
    ReleaseDC(m_window, windowDc);
}

void GdiplusWindowBuffer::release()
{
    m_graphics.reset();
    m_back.release();
    m_drawing.release();
}
