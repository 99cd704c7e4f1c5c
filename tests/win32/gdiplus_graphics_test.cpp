#include "gdiplus_fixture.h"

#include "platform/win32/gdiplus_api.h"
#include "platform/win32/text_encoding.h"

#include <array>
#include <fstream>
#include <iterator>
#include <string>

using GdiplusDrawing = GdiplusFixture;

namespace {

constexpr Argb kRed = 0xFFFF0000;

} // namespace

TEST_F(GdiplusDrawing, ClearsAndFillsRectangles)
{
    graphics.clear(0xFF102030);
    graphics.fillRectangle({ kGreen }, { 10, 20, 30, 40 });
    EXPECT_EQ(buffer.pixel(5, 5), 0xFF102030u);
    EXPECT_EQ(buffer.pixel(10, 20), kGreen);
    EXPECT_EQ(buffer.pixel(39, 59), kGreen);
    EXPECT_EQ(buffer.pixel(41, 30), 0xFF102030u);
    EXPECT_EQ(buffer.pixel(20, 61), 0xFF102030u);
}

TEST_F(GdiplusDrawing, PageScaleStretchesDrawingAndPenWidthsAlike)
{
    // A 1000 x 1000 page on 200 x 100 pixels: x by 0.2, y by 0.1.
    graphics.scaleWorld(0.2f, 0.1f);
    graphics.fillRectangle({ kGreen }, { 500, 500, 500, 500 });
    EXPECT_TRUE(isLit(150, 75));
    EXPECT_FALSE(isLit(90, 75));
    EXPECT_FALSE(isLit(150, 45));

    // A pen 100 units wide along y = 200 covers rows 15 to 25.
    graphics.clear(kOpaqueBlack);
    graphics.drawLine({ kRed, 100 }, { 0, 200 }, { 1000, 200 });
    EXPECT_EQ(buffer.pixel(100, 20), kRed);
    EXPECT_TRUE(isLit(100, 16));
    EXPECT_FALSE(isLit(100, 12));
    EXPECT_FALSE(isLit(100, 28));
}

TEST_F(GdiplusDrawing, ScalesArePrependedToTheWorldTransform)
{
    graphics.scaleWorld(2, 2);
    graphics.scaleWorld(0.5f, 1);
    graphics.fillRectangle({ kGreen }, { 40, 40, 20, 20 }); // lands on x 40..60, y 80..120
    EXPECT_TRUE(isLit(50, 100));
    EXPECT_FALSE(isLit(50, 70));
    EXPECT_FALSE(isLit(70, 100));
}

TEST_F(GdiplusDrawing, DiagonalOfAStretchedPageRunsCornerToCorner)
{
    // The page fills a 200 x 50 window: the diagonal of the page is the
    // diagonal of the window.
    graphics.scaleWorld(0.2f, 0.05f);
    graphics.drawLine({ kGreen, 20 }, { 0, 0 }, { 1000, 1000 });
    EXPECT_TRUE(isLit(100, 25));
    EXPECT_TRUE(isLit(20, 5));
    EXPECT_TRUE(isLit(180, 45));
    EXPECT_FALSE(isLit(100, 5));
}

TEST_F(GdiplusDrawing, DashedPensLeaveGapsOfTwiceTheirWidth)
{
    graphics.drawLine({ kGreen, 4, true }, { 0, 50 }, { 200, 50 });
    graphics.drawLine({ kGreen, 4, false }, { 0, 150 }, { 200, 150 });
    int dashedLit = 0;
    int solidLit = 0;
    for (int x = 0; x < kSide; ++x) {
        dashedLit += isLit(x, 50) ? 1 : 0;
        solidLit += isLit(x, 150) ? 1 : 0;
    }
    EXPECT_EQ(solidLit, kSide);
    EXPECT_NEAR(dashedLit, kSide / 2, 12);
    // Dashes of 8 pixels, gaps of 8 pixels.
    EXPECT_TRUE(isLit(4, 50));
    EXPECT_FALSE(isLit(12, 50));
    EXPECT_TRUE(isLit(20, 50));
}

TEST_F(GdiplusDrawing, RectangleOutlineLeavesTheInsideEmpty)
{
    graphics.drawRectangle({ kGreen, 2 }, { 50, 50, 100, 60 });
    EXPECT_TRUE(isLit(50, 80));
    EXPECT_TRUE(isLit(150, 80));
    EXPECT_TRUE(isLit(100, 50));
    EXPECT_TRUE(isLit(100, 110));
    EXPECT_FALSE(isLit(100, 80));
}

TEST_F(GdiplusDrawing, PiesAndArcsRunClockwiseFromThePositiveXAxis)
{
    // A quarter from 0 degrees sweeping 90: the lower right quarter on screen.
    graphics.fillPie({ kGreen }, { 0, 0, 200, 200 }, 0, 90);
    EXPECT_TRUE(isLit(150, 130));
    EXPECT_FALSE(isLit(150, 70));
    EXPECT_FALSE(isLit(50, 130));

    // From 180 degrees sweeping 90: the upper left quarter of the circle.
    graphics.clear(kOpaqueBlack);
    graphics.drawArc({ kGreen, 3 }, { 0, 0, 200, 200 }, 180, 90);
    EXPECT_TRUE(isLit(29, 29)); // the circle at 225 degrees
    EXPECT_FALSE(isLit(170, 170));
    EXPECT_FALSE(isLit(100, 100));
}

TEST_F(GdiplusDrawing, EllipsesFillTheirBoundsButNotTheCorners)
{
    graphics.fillEllipse({ kGreen }, { 20, 60, 160, 80 });
    EXPECT_EQ(buffer.pixel(100, 100), kGreen);
    EXPECT_TRUE(isLit(25, 100));
    EXPECT_FALSE(isLit(25, 65));
    EXPECT_FALSE(isLit(100, 50));
}

TEST_F(GdiplusDrawing, PolygonsAreClosedOutlines)
{
    std::array<PointF, 3> const triangle { { { 20, 180 }, { 100, 20 }, { 180, 180 } } };
    graphics.drawPolygon({ kGreen, 3 }, triangle);
    EXPECT_TRUE(isLit(100, 180)); // the closing edge
    EXPECT_TRUE(isLit(60, 100));
    EXPECT_FALSE(isLit(100, 120));
}

TEST_F(GdiplusDrawing, ClipRectangleLimitsDrawingUntilReset)
{
    graphics.scaleWorld(2, 2);
    graphics.setClip({ 0, 0, 25, 100 }); // page units: the left half of the bitmap
    graphics.fillRectangle({ kGreen }, { 0, 0, 100, 100 });
    EXPECT_TRUE(isLit(40, 100));
    EXPECT_FALSE(isLit(60, 100));

    graphics.resetClip();
    graphics.fillRectangle({ kRed }, { 50, 0, 50, 100 });
    EXPECT_EQ(buffer.pixel(150, 100), kRed);
    EXPECT_EQ(buffer.pixel(40, 100), kGreen);
}

TEST_F(GdiplusDrawing, WritesThePixelsAsPng)
{
    graphics.fillRectangle({ kGreen }, { 0, 0, 100, 200 });
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::string const path = narrowFromWide(folder) + "tarnex-png-" + std::to_string(GetCurrentProcessId()) + ".png";
    ASSERT_TRUE(buffer.writePng(path));

    std::ifstream file(path, std::ios::binary);
    std::string const bytes { std::istreambuf_iterator<char>(file), {} };
    file.close();
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    gdip::GpBitmap* reloaded = nullptr;
    ASSERT_EQ(gdip::GdipCreateBitmapFromFile(wideFromAnsi(path).c_str(), &reloaded), gdip::Ok);
    UINT width = 0;
    gdip::GdipGetImageWidth(reloaded, &width);
    gdip::ARGB left = 0;
    gdip::ARGB right = 0;
    gdip::GdipBitmapGetPixel(reloaded, 50, 100, &left);
    gdip::GdipBitmapGetPixel(reloaded, 150, 100, &right);
    gdip::GdipDisposeImage(reloaded);
    DeleteFileW(wideFromAnsi(path).c_str());
    EXPECT_EQ(width, static_cast<UINT>(kSide));
    EXPECT_EQ(left, kGreen);
    EXPECT_EQ(right, kOpaqueBlack);
}

TEST_F(GdiplusDrawing, PngCannotBeWrittenIntoAMissingFolder)
{
    EXPECT_FALSE(buffer.writePng("C:\\no such folder\\at all\\snapshot.png"));
}
