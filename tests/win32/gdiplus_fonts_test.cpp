#include "gdiplus_fixture.h"

// The test prefix maps "Arial" and "Microsoft Sans Serif" to Liberation Sans
// and "Courier" to Liberation Mono, whose metrics match the Windows faces.

using GdiplusFonts = GdiplusFixture;

TEST_F(GdiplusFonts, InstalledFaceKeepsItsNameSizeStyleAndFamilyMetrics)
{
    std::unique_ptr<Font> const arial = fonts.createFont("Arial", 20, FontStyleBold);
    ASSERT_NE(arial, nullptr);
    EXPECT_EQ(arial->face(), "Arial");
    EXPECT_EQ(arial->size(), 20);
    EXPECT_EQ(arial->style(), FontStyleBold);
    EXPECT_EQ(arial->emHeight(), 2048);
    EXPECT_EQ(arial->cellAscent(), 1854);
    EXPECT_NEAR(arial->ascent(), 18.10f, 0.01f);

    std::unique_ptr<Font> const courier = fonts.createFont("Courier", 30, FontStyleRegular);
    ASSERT_NE(courier, nullptr);
    EXPECT_EQ(courier->face(), "Courier");
    EXPECT_EQ(courier->cellAscent(), 1705);
}

TEST_F(GdiplusFonts, FaceThatIsNotInstalledFallsBackToTheGenericSansSerif)
{
    std::unique_ptr<Font> const font = fonts.createFont("No Such Face Anywhere", 24, FontStyleItalic);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->size(), 24);
    EXPECT_EQ(font->style(), FontStyleItalic);

    // The font names the family it was made from, and that family is a
    // real sans-serif face: it measures like a font asked for by that name.
    EXPECT_NE(font->face(), "No Such Face Anywhere");
    std::unique_ptr<Font> const named = fonts.createFont(font->face(), 24, FontStyleItalic);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->face(), font->face());
    float const width = graphics.measureString(u"Fallback", *font, {}, {}).width;
    EXPECT_GT(width, 0);
    EXPECT_FLOAT_EQ(width, graphics.measureString(u"Fallback", *named, {}, {}).width);
}

TEST_F(GdiplusFonts, MeasuresWithTheRealFaces)
{
    std::unique_ptr<Font> const arial = fonts.createFont("Arial", 20, FontStyleRegular);
    std::unique_ptr<Font> const courier = fonts.createFont("Courier", 20, FontStyleRegular);
    StringFormat const topLeft;

    // "Hello" advances 45.6 pixels in Arial at 20 pixels; GDI+ adds a little
    // padding to both ends. The line is about 23 pixels high.
    RectF const hello = graphics.measureString(u"Hello", *arial, { 10, 20 }, topLeft);
    EXPECT_FLOAT_EQ(hello.x, 10);
    EXPECT_FLOAT_EQ(hello.y, 20);
    EXPECT_GT(hello.width, 45);
    EXPECT_LT(hello.width, 53);
    EXPECT_NEAR(hello.height, 23, 1.5);

    // A proportional face and a fixed-pitch one tell themselves apart.
    float const arialWide = graphics.measureString(u"WWWWW", *arial, {}, topLeft).width;
    float const arialNarrow = graphics.measureString(u"iiiii", *arial, {}, topLeft).width;
    EXPECT_GT(arialWide, arialNarrow + 30);
    float const courierWide = graphics.measureString(u"WWWWW", *courier, {}, topLeft).width;
    float const courierNarrow = graphics.measureString(u"iiiii", *courier, {}, topLeft).width;
    EXPECT_NEAR(courierWide, courierNarrow, 0.5);
    EXPECT_NEAR(courierWide, 5 * 12.0 + 20 / 3.0, 1.5); // 0.6 em per character, plus padding
}

TEST_F(GdiplusFonts, MeasuredBoxIsPlacedAsTheAlignmentPlacesTheText)
{
    std::unique_ptr<Font> const font = fonts.createFont("Arial", 20, FontStyleRegular);
    PointF const origin { 100, 100 };
    RectF const near = graphics.measureString(u"Centre", *font, origin, {});
    RectF const centre = graphics.measureString(u"Centre", *font, origin, { StringAlignment::Center, StringAlignment::Center });
    RectF const far = graphics.measureString(u"Centre", *font, origin, { StringAlignment::Far, StringAlignment::Far });

    EXPECT_FLOAT_EQ(centre.width, near.width);
    EXPECT_FLOAT_EQ(centre.height, near.height);
    EXPECT_FLOAT_EQ(centre.x + centre.width / 2, 100);
    EXPECT_FLOAT_EQ(centre.y + centre.height / 2, 100);
    EXPECT_FLOAT_EQ(far.x + far.width, 100);
    EXPECT_FLOAT_EQ(far.y + far.height, 100);
}

TEST_F(GdiplusFonts, DrawnTextLandsWhereTheAlignmentPutsIt)
{
    std::unique_ptr<Font> const font = fonts.createFont("Arial", 30, FontStyleRegular);
    Brush const white { kOpaqueWhite };
    PointF const origin { 100, 100 };
    // GDI+ pads text by a sixth of the em at each end; Wine leaves that
    // padding out when it aligns centred or far text, so the ink may stand
    // up to the padding off the ideal place.
    float const padding = 30 / 6.0f;

    graphics.drawString(u"Near", *font, origin, {}, white);
    Ink const near = ink(kSide, kSide);
    EXPECT_GE(near.left, 100);
    EXPECT_GE(near.top, 100);
    EXPECT_LE(near.left, 100 + padding + 3);

    graphics.clear(kOpaqueBlack);
    graphics.drawString(u"Far", *font, origin, { StringAlignment::Far, StringAlignment::Far }, white);
    Ink const far = ink(kSide, kSide);
    EXPECT_LE(far.bottom, 100);
    EXPECT_NEAR(far.right, 100, padding + 1);

    graphics.clear(kOpaqueBlack);
    graphics.drawString(u"Mid", *font, origin, { StringAlignment::Center, StringAlignment::Center }, white);
    Ink const centre = ink(kSide, kSide);
    EXPECT_NEAR(centre.centreX(), 100, padding + 1);
    EXPECT_LT(centre.top, 100);
    EXPECT_GT(centre.bottom, 100);
}

TEST_F(GdiplusFonts, TextUsesTheBrushColourAndScalesWithTheWorld)
{
    std::unique_ptr<Font> const font = fonts.createFont("Arial", 40, FontStyleBold);
    graphics.drawString(u"I", *font, { 10, 10 }, {}, { kGreen });
    Ink const unscaled = ink(kSide, kSide);
    ASSERT_GT(unscaled.width(), 0);
    EXPECT_EQ(buffer.pixel((unscaled.left + unscaled.right) / 2, (unscaled.top + unscaled.bottom) / 2), kGreen);

    graphics.clear(kOpaqueBlack);
    graphics.scaleWorld(2, 2);
    graphics.drawString(u"I", *font, { 10, 10 }, {}, { kGreen });
    Ink const scaled = ink(kSide, kSide);
    EXPECT_NEAR(scaled.bottom - scaled.top, 2 * (unscaled.bottom - unscaled.top), 3);
}
