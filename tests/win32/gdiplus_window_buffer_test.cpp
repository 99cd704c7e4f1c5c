#include "platform/win32/gdiplus_fonts.h"
#include "platform/win32/gdiplus_session.h"
#include "platform/win32/gdiplus_window_buffer.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A plain shown window with a white background and no frame.
class PlainWindow {
public:
    PlainWindow(int width, int height)
    {
        WNDCLASSW windowClass {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = L"TarnexBufferTestWindow";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, windowClass.lpszClassName, L"buffer test", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
            nullptr, nullptr, windowClass.hInstance, nullptr);
        UpdateWindow(handle);
    }
    ~PlainWindow() { DestroyWindow(handle); }

    COLORREF pixel(int x, int y) const
    {
        HDC const dc = GetDC(handle);
        COLORREF const colour = GetPixel(dc, x, y);
        ReleaseDC(handle, dc);
        return colour;
    }

    HWND handle = nullptr;
};

} // namespace

TEST(GdiplusWindowBuffer, PresentCopiesTheWholeBufferToTheWindow)
{
    GdiplusSession session;
    GdiplusFontFactory fonts;
    PlainWindow window(120, 80);
    ASSERT_NE(window.handle, nullptr);
    GdiplusWindowBuffer buffer(fonts);
    buffer.attach(window.handle);

    Graphics& graphics = buffer.recreateBackBuffer(120, 80);
    graphics.scaleWorld(0.12f, 0.08f); // a 1000 x 1000 page
    graphics.clear(kOpaqueBlack);
    graphics.fillRectangle({ 0xFF0000FF }, { 500, 0, 500, 1000 });
    // Nothing reaches the window before present.
    EXPECT_EQ(window.pixel(30, 40), RGB(255, 255, 255));

    buffer.present();
    EXPECT_EQ(window.pixel(30, 40), RGB(0, 0, 0));
    EXPECT_EQ(window.pixel(90, 40), RGB(0, 0, 255));
    EXPECT_EQ(window.pixel(119, 79), RGB(0, 0, 255));
}

TEST(GdiplusWindowBuffer, RecreatingTheBufferFollowsTheNewSize)
{
    GdiplusSession session;
    GdiplusFontFactory fonts;
    PlainWindow window(100, 100);
    GdiplusWindowBuffer buffer(fonts);
    buffer.attach(window.handle);

    buffer.recreateBackBuffer(100, 100).clear(0xFFFF0000);
    buffer.present();
    Graphics& smaller = buffer.recreateBackBuffer(50, 50);
    smaller.clear(0xFF00FF00);
    buffer.present();
    // The smaller buffer covers only its own corner of the window.
    EXPECT_EQ(window.pixel(25, 25), RGB(0, 255, 0));
    EXPECT_EQ(window.pixel(75, 75), RGB(255, 0, 0));
}

TEST(GdiplusWindowBuffer, AFrameThatChangesLittleStillShowsTheWholePage)
{
    GdiplusSession session;
    GdiplusFontFactory fonts;
    PlainWindow window(200, 50);
    GdiplusWindowBuffer buffer(fonts);
    buffer.attach(window.handle);
    Graphics& graphics = buffer.recreateBackBuffer(200, 50);
    auto const frame = [&](float markerX) {
        graphics.clear(kOpaqueBlack);
        // Half-transparent across the window: drawn twice, it would show brighter.
        graphics.fillRectangle({ 0x80FF0000 }, { 0, 10, 200, 30 });
        graphics.fillRectangle({ 0xFF00FF00 }, { markerX, 20, 4, 4 });
        buffer.present();
    };
    frame(180);
    COLORREF const farFromTheMarker = window.pixel(20, 25);
    frame(184);
    // Only the marker's corner was redrawn, with the wide band drawn whole
    // again; the window still shows the band as drawn once.
    EXPECT_EQ(window.pixel(20, 25), farFromTheMarker);
    EXPECT_EQ(window.pixel(185, 21), RGB(0, 255, 0));
    EXPECT_NE(window.pixel(181, 21), RGB(0, 255, 0));
}
