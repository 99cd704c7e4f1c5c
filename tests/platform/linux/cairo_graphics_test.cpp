#include "platform/linux/cairo_graphics.h"
#include "platform/linux/cairo_offscreen_backend.h"
#include "render/text_drawing.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr Argb kBlack = 0xFF000000;
constexpr Argb kWhite = 0xFFFFFFFF;

class CairoGraphicsTest : public ::testing::Test {
protected:
    Graphics& buffer(int width, int height)
    {
        Graphics& g = backend.recreateBackBuffer(width, height);
        g.clear(kBlack);
        return g;
    }
    std::unique_ptr<Font> font(std::string_view face, float size, int style = FontStyleRegular)
    {
        std::unique_ptr<Font> made = backend.fonts().createFont(face, size, style);
        EXPECT_NE(made, nullptr);
        return made;
    }
    // Pixels in the rectangle (whole pixels, inclusive) that are not black.
    int litPixels(int x0, int y0, int x1, int y1) const
    {
        int count = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x)
                count += backend.pixel(x, y) != kBlack;
        }
        return count;
    }

    CairoOffscreenBackend backend;
};

std::string sansSerifFamily()
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<FcChar8 const*>("sans-serif"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* family = nullptr;
    FcPatternGetString(match, FC_FAMILY, 0, &family);
    std::string name = reinterpret_cast<char const*>(family);
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return name;
}

TEST_F(CairoGraphicsTest, WindowsFacesResolveToTheirMetricCompatibleFaces)
{
    auto const arial = font("Arial", 30, FontStyleBold);
    EXPECT_EQ(arial->face(), "Arial");
    EXPECT_FLOAT_EQ(arial->emHeight(), 2048);
    EXPECT_FLOAT_EQ(arial->cellAscent(), 1854);
    EXPECT_FLOAT_EQ(arial->ascent(), 30 * 1854.0f / 2048);
    auto const courier = font("Courier", 20);
    EXPECT_EQ(courier->face(), "Courier");
    EXPECT_FLOAT_EQ(courier->emHeight(), 2048);
}

TEST_F(CairoGraphicsTest, AFaceThatIsNotInstalledFallsBackToSansSerifOfTheSameSizeAndStyle)
{
    auto const missing = font("Tarnex No Such Face", 24, FontStyleBoldItalic);
    EXPECT_EQ(missing->face(), sansSerifFamily());
    EXPECT_FLOAT_EQ(missing->size(), 24);
    EXPECT_EQ(missing->style(), FontStyleBoldItalic);
}

TEST_F(CairoGraphicsTest, TextIsMeasuredWithTheFontsAdvancesPlusASixthOfAnEmEachSide)
{
    Graphics& g = buffer(10, 10);
    auto const mono = font("Courier New", 20);
    // Every glyph of the monospaced face advances 1229 of 2048 units.
    RectF const box = g.measureString(u"ABCD", *mono, { 100, 50 }, {});
    EXPECT_NEAR(box.width, 4 * 20 * 1229.0 / 2048 + 2 * 20 / 6.0, 0.01);
    EXPECT_FLOAT_EQ(box.x, 100);
    EXPECT_FLOAT_EQ(box.y, 50);
    auto const arial = font("Arial", 30, FontStyleBold);
    RectF const line = g.measureString(u"Attempt #3", *arial, { 0, 0 }, {});
    EXPECT_NEAR(line.height, 30 * 2355.0 / 2048, 0.01);
}

TEST_F(CairoGraphicsTest, NearCentreAndFarPutTheBoxEdgeOrCentreOnTheOriginBothWays)
{
    Graphics& g = buffer(10, 10);
    auto const arial = font("Arial", 30);
    RectF const near = g.measureString(u"N1 %", *arial, { 500, 100 }, {});
    RectF const centre = g.measureString(u"N1 %", *arial, { 500, 100 }, { StringAlignment::Center, StringAlignment::Center });
    RectF const far = g.measureString(u"N1 %", *arial, { 500, 100 }, { StringAlignment::Far, StringAlignment::Far });
    EXPECT_FLOAT_EQ(centre.width, near.width);
    EXPECT_FLOAT_EQ(centre.x + centre.width / 2, 500);
    EXPECT_FLOAT_EQ(centre.y + centre.height / 2, 100);
    EXPECT_FLOAT_EQ(far.x + far.width, 500);
    EXPECT_FLOAT_EQ(far.y + far.height, 100);
}

TEST_F(CairoGraphicsTest, TrailingSpacesDoNotCountAndEmptyTextHasNoBox)
{
    Graphics& g = buffer(10, 10);
    auto const arial = font("Arial", 20);
    EXPECT_FLOAT_EQ(g.measureString(u"AB   ", *arial, {}, {}).width, g.measureString(u"AB", *arial, {}, {}).width);
    EXPECT_FLOAT_EQ(g.measureString(u"", *arial, { 3, 4 }, {}).width, 0);
    EXPECT_FLOAT_EQ(g.measureString(u"  ", *arial, { 3, 4 }, {}).height, 0);
}

TEST_F(CairoGraphicsTest, DrawnTextStaysInsideItsMeasuredBox)
{
    Graphics& g = buffer(300, 100);
    auto const arial = font("Arial", 30, FontStyleBold);
    StringFormat const format { StringAlignment::Center, StringAlignment::Center };
    g.drawString(u"Attempt #3", *arial, { 150, 50 }, format, Brush { kWhite });
    RectF const box = g.measureString(u"Attempt #3", *arial, { 150, 50 }, format);
    int const inside = litPixels(static_cast<int>(box.x), static_cast<int>(box.y), static_cast<int>(box.x + box.width), static_cast<int>(box.y + box.height));
    EXPECT_GT(inside, 100);
    EXPECT_EQ(litPixels(0, 0, 299, 99), inside);
}

TEST_F(CairoGraphicsTest, BaselineTextSitsOnItsOrigin)
{
    Graphics& g = buffer(200, 100);
    auto const arial = font("Arial", 40);
    drawTextAtBaseline(g, u"HHH", *arial, { 20, 60 }, {}, Brush { kWhite });
    // Capital H stands on the baseline: ink just above it, none below.
    EXPECT_GT(litPixels(20, 57, 120, 59), 0);
    EXPECT_EQ(litPixels(0, 61, 199, 99), 0);
}

TEST_F(CairoGraphicsTest, UnderlinedTextDrawsAStrokeBelowTheBaseline)
{
    Graphics& g = buffer(200, 100);
    auto const plain = font("Arial", 40);
    auto const underlined = font("Arial", 40, FontStyleUnderline);
    drawTextAtBaseline(g, u"HHH", *plain, { 20, 60 }, {}, Brush { kWhite });
    EXPECT_EQ(litPixels(0, 61, 199, 70), 0);
    drawTextAtBaseline(g, u"HHH", *underlined, { 20, 60 }, {}, Brush { kWhite });
    EXPECT_GT(litPixels(0, 61, 199, 70), 40);
}

TEST_F(CairoGraphicsTest, PixelCentresLieOnWholeCoordinates)
{
    Graphics& g = buffer(20, 20);
    g.drawLine(Pen { kWhite, 1 }, { 10, 0 }, { 10, 20 });
    EXPECT_EQ(backend.pixel(10, 5), kWhite);
    EXPECT_EQ(backend.pixel(9, 5), kBlack);
    EXPECT_EQ(backend.pixel(11, 5), kBlack);
}

TEST_F(CairoGraphicsTest, CurvesAreSmoothedAndStayWithinAQuarterPixelOfTheirCircle)
{
    Graphics& g = buffer(101, 101);
    g.drawArc(Pen { kWhite, 1 }, { 10, 10, 80, 80 }, 0, 360);
    int partlyCovered = 0;
    double farthestMiss = 0;
    for (int y = 0; y <= 100; ++y) {
        for (int x = 0; x <= 100; ++x) {
            Argb const p = backend.pixel(x, y);
            if (p == kBlack)
                continue;
            partlyCovered += p != kWhite;
            farthestMiss = std::max(farthestMiss, std::abs(std::hypot(x - 50.0, y - 50.0) - 40));
        }
    }
    EXPECT_GT(partlyCovered, 100);
    // Half the pen, the pixel's own half diagonal and the flattening.
    EXPECT_LT(farthestMiss, 0.5 + 0.71 + 0.25);
}

TEST_F(CairoGraphicsTest, TheWorldScaleStretchesThePageAndThePen)
{
    Graphics& g = buffer(100, 50);
    g.scaleWorld(0.1f, 0.05f);
    g.fillRectangle(Brush { 0xFFFF0000 }, { 0, 0, 500, 500 });
    EXPECT_EQ(backend.pixel(25, 12), 0xFFFF0000u);
    EXPECT_EQ(backend.pixel(60, 12), kBlack);
    EXPECT_EQ(backend.pixel(25, 40), kBlack);
}

TEST_F(CairoGraphicsTest, PieAnglesAreAnglesOnTheEllipseNotItsParameter)
{
    Graphics& g = buffer(201, 101);
    g.fillPie(Brush { kWhite }, { 0, 0, 200, 100 }, 0, 45);
    // From the centre (100, 50): 39.8 degrees is inside the pie, 49.4 is not.
    EXPECT_EQ(backend.pixel(130, 75), kWhite);
    EXPECT_EQ(backend.pixel(130, 85), kBlack);
    EXPECT_EQ(backend.pixel(130, 40), kBlack); // above +x: negative angles
}

TEST_F(CairoGraphicsTest, NegativeSweepsRunAnticlockwise)
{
    Graphics& g = buffer(101, 101);
    g.fillPie(Brush { kWhite }, { 0, 0, 100, 100 }, 0, -90);
    EXPECT_EQ(backend.pixel(75, 25), kWhite);
    EXPECT_EQ(backend.pixel(75, 75), kBlack);
}

TEST_F(CairoGraphicsTest, DashedPensDashInMultiplesOfTheirWidth)
{
    Graphics& g = buffer(40, 20);
    g.drawLine(Pen { kWhite, 2, true }, { 0, 10 }, { 40, 10 });
    EXPECT_EQ(backend.pixel(1, 10), kWhite);
    EXPECT_EQ(backend.pixel(6, 10), kBlack);
    EXPECT_EQ(backend.pixel(9, 10), kWhite);
}

TEST_F(CairoGraphicsTest, AClipKeepsDrawingInsideItUntilReset)
{
    Graphics& g = buffer(20, 20);
    g.setClip({ 0, 0, 10, 10 });
    g.fillRectangle(Brush { kWhite }, { 0, 0, 20, 20 });
    EXPECT_EQ(backend.pixel(5, 5), kWhite);
    EXPECT_EQ(backend.pixel(15, 15), kBlack);
    g.resetClip();
    g.fillRectangle(Brush { kWhite }, { 0, 0, 20, 20 });
    EXPECT_EQ(backend.pixel(15, 15), kWhite);
}

TEST_F(CairoGraphicsTest, FlatShapesAndAZeroSizeBufferDrawNothingAndBreakNothing)
{
    Graphics& g = buffer(20, 20);
    g.drawArc(Pen { kWhite, 1 }, { 5, 5, 0, 10 }, 0, 90);
    g.fillEllipse(Brush { kWhite }, { 5, 5, 10, 0 });
    g.fillRectangle(Brush { kWhite }, { 0, 0, 2, 2 });
    EXPECT_EQ(backend.pixel(1, 1), kWhite);

    Graphics& empty = backend.recreateBackBuffer(0, 0);
    empty.scaleWorld(0, 0);
    empty.clear(kBlack);
    auto const arial = font("Arial", 20);
    empty.drawString(u"x", *arial, {}, {}, Brush { kWhite });
    EXPECT_EQ(static_cast<CairoGraphics const&>(empty).recoveries(), 0);
    TempFolder folder;
    EXPECT_FALSE(backend.writePng(folder.file("empty.png")));
}

TEST_F(CairoGraphicsTest, ASingularScaleIsRefusedAndTheContextKeepsItsTransform)
{
    float const infinite = std::numeric_limits<float>::infinity();
    float const notANumber = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float sx, sy;
    };
    for (Case const c : { Case { 0, 0.1f }, Case { 0.1f, 0 }, Case { infinite, 0.1f }, Case { 0.1f, notANumber } }) {
        SCOPED_TRACE(testing::Message() << c.sx << " x " << c.sy);
        Graphics& g = buffer(100, 100);
        g.scaleWorld(0.5f, 0.5f);
        g.scaleWorld(c.sx, c.sy);
        g.fillRectangle(Brush { kWhite }, { 0, 0, 20, 20 });
        g.fillRectangle(Brush { kWhite }, { 0, 0, 20, 20 });
        EXPECT_EQ(static_cast<CairoGraphics const&>(g).recoveries(), 0);
        EXPECT_EQ(litPixels(0, 0, 9, 9), 100);
        EXPECT_EQ(litPixels(11, 11, 99, 99), 0);
    }
}

TEST_F(CairoGraphicsTest, AContextThatFailsIsMadeAfreshWithItsTransformAndTheFailureIsToldOnce)
{
    Graphics& g = buffer(100, 100);
    g.scaleWorld(0.1f, 0.1f); // a 1000-unit page on 100 pixels
    auto const& cairo = static_cast<CairoGraphics const&>(g);
    // An ellipse of infinite width leaves Cairo's context with a transform
    // it cannot invert, and the context then ignores every later call.
    float const infinite = std::numeric_limits<float>::infinity();
    testing::internal::CaptureStderr();
    g.drawArc(Pen { kWhite, 1 }, { 0, 0, infinite, 10 }, 0, 90);
    g.fillEllipse(Brush { kWhite }, { 0, 0, infinite, 10 });
    g.fillRectangle(Brush { kWhite }, { 500, 500, 100, 100 });
    std::string const told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(cairo.recoveries(), 2);
    EXPECT_EQ(told, "tarnex: drawing failed (invalid matrix (not invertible)); drawing goes on with a fresh context\n");
    // Drawn after the failures, still at the page's scale: pixels 50 to 60
    // (the edge pixels half covered).
    EXPECT_EQ(litPixels(50, 50, 59, 59), 100);
    EXPECT_EQ(litPixels(0, 0, 48, 48) + litPixels(62, 62, 99, 99), 0);
}

TEST_F(CairoGraphicsTest, TheBufferIsWrittenAsAPng)
{
    Graphics& g = buffer(64, 32);
    g.fillRectangle(Brush { 0xFF00FF00 }, { 0, 0, 10, 10 });
    TempFolder folder;
    std::string const path = folder.file("frame.png");
    ASSERT_TRUE(backend.writePng(path));
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 64);
    EXPECT_EQ(cairo_image_surface_get_height(image), 32);
    cairo_surface_destroy(image);
    EXPECT_FALSE(backend.writePng(folder.file("no/such/folder/frame.png")));
}

} // namespace
