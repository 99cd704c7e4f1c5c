// The window redraws only what changed between frames. With GDI+ drawing,
// every frame of a moving dial, readout, list and shapes is drawn whole into
// one bitmap and through RetainedFrame into another, whose redrawn rectangles
// are then copied to a third standing in for the window. After every frame
// the window must equal the whole frame to the bit.

#include "platform/win32/gdiplus_bitmap_buffer.h"
#include "platform/win32/gdiplus_fonts.h"
#include "platform/win32/gdiplus_session.h"
#include "render/retained_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 200; // pixels, for a 1000 x 1000 unit page
constexpr Argb kGreen = 0xFF00FF00;

PointF onCircle(float degrees, float radius)
{
    float const radians = degrees * std::numbers::pi_v<float> / 180;
    return { 300 + radius * std::cos(radians), 300 + radius * std::sin(radians) };
}

std::u16string digits(int value)
{
    std::u16string text;
    for (char c : std::to_string(value))
        text += static_cast<char16_t>(c);
    return text;
}

// One frame of a page that changes with tick in the ways the display's do.
void drawPage(Graphics& g, Font const& font, int tick)
{
    g.clear(kOpaqueBlack);
    g.drawArc({ kOpaqueWhite, 8 }, { 100, 100, 400, 400 }, 180, 171);
    g.drawArc({ 0xFFFF0000, 20 }, { 100, 100, 400, 400 }, 351, 9);
    for (int k = 0; k <= 5; ++k)
        g.drawLine({ kOpaqueWhite, 8 }, onCircle(180 + 34.0f * k, 200), onCircle(180 + 34.0f * k, 170));
    g.drawLine({ kGreen, 16 }, { 300, 300 }, onCircle(190 + 3.0f * tick, 190));
    g.drawRectangle({ kOpaqueWhite, 8 }, { 220, 520, 180, 90 });
    g.drawString(digits(700 + 7 * tick), font, { 310, 565 }, { StringAlignment::Center, StringAlignment::Center }, { kGreen });
    g.setClip({ 600, 600, 350, 300 });
    for (int line = 0; line < (tick / 5) % 4; ++line)
        g.drawString(u"MEMO", font, { 610, 610 + 70.0f * line }, {}, { kGreen });
    g.resetClip();
    PointF const flap[3] = { { 650 + 5.0f * (tick % 10), 200 }, { 800, 230 }, { 700, 150 } };
    g.drawPolygon({ kGreen, 12 }, flap);
    g.fillEllipse({ kOpaqueWhite }, { 880, 100 + 10.0f * (tick % 6), 40, 40 });
    g.fillPie({ 0xFF00FFFF }, { 600, 350, 200, 200 }, 0, 10.0f * (tick % 20));
}

TEST(GdiplusRetainedFrame, AWindowSentOnlyTheRedrawnRectanglesShowsTheWholeFrame)
{
    GdiplusSession session;
    GdiplusFontFactory fonts;
    std::unique_ptr<Font> const font = fonts.createFont("Arial", 60, FontStyleRegular);
    ASSERT_NE(font, nullptr);
    GdiplusBitmapBuffer wholeBuffer(fonts);
    GdiplusBitmapBuffer retainedBuffer(fonts);
    Graphics& whole = wholeBuffer.recreateBackBuffer(kSide, kSide);
    whole.scaleWorld(kSide / 1000.0f, kSide / 1000.0f);
    RetainedFrame retained(fonts);
    retained.restart(retainedBuffer.recreateBackBuffer(kSide, kSide), kSide, kSide);
    retained.scaleWorld(kSide / 1000.0f, kSide / 1000.0f);

    std::vector<Argb> shown(kSide * kSide);
    int partialFrames = 0;
    for (int tick = 0; tick < 40; ++tick) {
        drawPage(whole, *font, tick);
        drawPage(retained, *font, tick);
        std::span<PixelRect const> const redrawn = retained.flush();
        wholeBuffer.present();
        retainedBuffer.present();
        if (tick > 0 && !redrawn.empty() && redrawn[0].width < kSide)
            ++partialFrames;
        for (PixelRect const& rect : redrawn) {
            for (int y = rect.y; y < rect.y + rect.height; ++y) {
                for (int x = rect.x; x < rect.x + rect.width; ++x)
                    shown[y * kSide + x] = retainedBuffer.pixel(x, y);
            }
        }
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x)
                ASSERT_EQ(shown[y * kSide + x], wholeBuffer.pixel(x, y)) << "tick " << tick << ", pixel " << x << "," << y;
        }
    }
    EXPECT_GT(partialFrames, 30);
}

} // namespace
