#pragma once

#include "platform/win32/gdiplus_bitmap_buffer.h"
#include "platform/win32/gdiplus_fonts.h"
#include "platform/win32/gdiplus_session.h"

#include <gtest/gtest.h>

#include <algorithm>

// Real GDI+ drawing into an off-screen bitmap, black to start with.
class GdiplusFixture : public testing::Test {
protected:
    static constexpr Argb kGreen = 0xFF00FF00;

    GdiplusFixture()
    {
        graphics.clear(kOpaqueBlack);
    }

    bool isLit(int x, int y) const { return (buffer.pixel(x, y) & 0x00FFFFFF) != 0; }

    // The smallest rectangle holding every pixel that is not black; width 0
    // when there is none.
    struct Ink {
        int left = 0, top = 0, right = -1, bottom = -1; // inclusive
        int width() const { return right - left + 1; }
        float centreX() const { return (left + right + 1) / 2.0f; }
        float centreY() const { return (top + bottom + 1) / 2.0f; }
    };
    Ink ink(int width, int height) const
    {
        Ink found { width, height, -1, -1 };
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!isLit(x, y))
                    continue;
                found.left = std::min(found.left, x);
                found.top = std::min(found.top, y);
                found.right = std::max(found.right, x);
                found.bottom = std::max(found.bottom, y);
            }
        }
        return found;
    }

    static constexpr int kSide = 200;

    GdiplusSession session;
    GdiplusFontFactory fonts;
    GdiplusBitmapBuffer buffer { fonts };
    Graphics& graphics = buffer.recreateBackBuffer(kSide, kSide);
};
