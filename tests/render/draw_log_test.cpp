#include "render/draw_log.h"
#include "render/recording_fonts.h"
#include "render/utf8_text.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

namespace {

std::string logOf(RecordingGraphics const& graphics)
{
    std::ostringstream out;
    writeDrawLog(out, graphics.commands());
    return out.str();
}

TEST(DrawLog, WritesOneLinePerCallInTheContractFormat)
{
    RecordingGraphics g;
    g.scaleWorld(0.5f, 0.25f);
    g.clear(kOpaqueBlack);
    g.drawLine(Pen { 0xFFFFFFFF, 2 }, { 0, 0 }, { 1000, 1000 });
    g.drawRectangle(Pen { 0xFF00FF00, 1.5f, true }, { 100, 100, 200, 100 });
    g.fillRectangle(Brush { 0xFFFF0000 }, { 1.005f, 2, 3, 4 });
    g.drawArc(Pen { 0xFF00FFFF, 3 }, { 10, 20, 30, 40 }, 135, -270);
    g.fillPie(Brush { 0xFFFF9600 }, { 10, 20, 30, 40 }, -90, 45.5f);
    g.fillEllipse(Brush { 0x80FFFFFF }, { 5, 6, 7, 8 });
    std::array<PointF, 3> const triangle { { { 1, 2 }, { 3, 4 }, { 5, 6 } } };
    g.drawPolygon(Pen { 0xFFFFFFFF, 1 }, triangle);
    g.setClip({ 0, 680, 580, 320 });
    g.resetClip();
    EXPECT_EQ(logOf(g),
        "clear #FF000000\n"
        "line 0.00 0.00 1000.00 1000.00 pen=#FFFFFFFF/2.00\n"
        "rect 100.00 100.00 200.00 100.00 pen=#FF00FF00/1.50/dash\n"
        "fillrect 1.00 2.00 3.00 4.00 brush=#FFFF0000\n"
        "arc 10.00 20.00 30.00 40.00 135.00 -270.00 pen=#FF00FFFF/3.00\n"
        "pie 10.00 20.00 30.00 40.00 -90.00 45.50 brush=#FFFF9600\n"
        "ellipse 5.00 6.00 7.00 8.00 brush=#80FFFFFF\n"
        "polygon 1.00 2.00 3.00 4.00 5.00 6.00 pen=#FFFFFFFF/1.00\n"
        "clip 0.00 680.00 580.00 320.00\n"
        "noclip\n");
}

TEST(DrawLog, TextCarriesItsFontBrushAndAlignmentsInUtf8WithQuotesEscaped)
{
    RecordingGraphics g;
    RecordingFont const underlined("Arial", 22, FontStyleUnderline);
    g.drawString(u"ENG 1 \"FIRE\" 640\u00B0C", underlined, { 12.345f, 67 }, { StringAlignment::Center, StringAlignment::Far }, Brush { 0xFFFF0000 });
    RecordingFont const mono("Courier New", 18.5f, FontStyleBold);
    g.drawString(u"N1", mono, { -0.001f, 0 }, {}, Brush { 0xFF00FF00 });
    EXPECT_EQ(logOf(g),
        "text 12.35 67.00 \"ENG 1 \\\"FIRE\\\" 640\xC2\xB0" "C\" font=\"Arial\" size=22.00 style=4 brush=#FFFF0000 halign=center valign=far\n"
        "text 0.00 0.00 \"N1\" font=\"Courier New\" size=18.50 style=1 brush=#FF00FF00 halign=near valign=near\n");
}

TEST(DrawLog, MeasuringIsNotADrawingCall)
{
    RecordingGraphics g;
    RecordingFont const font("Arial", 10, 0);
    g.measureString(u"abc", font, {}, {});
    EXPECT_TRUE(g.commands().empty());
}

TEST(Utf8Text, EncodesEveryPlaneAndReplacesLoneSurrogates)
{
    EXPECT_EQ(utf16ToUtf8(u"A\u00E9\u20AC\U0001F600"), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    std::u16string const lone { u'a', static_cast<char16_t>(0xD800), u'b', static_cast<char16_t>(0xDC00) };
    EXPECT_EQ(utf16ToUtf8(lone), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(Utf8Text, AFixedBufferIsCutAtACharacterBoundaryAndTerminated)
{
    std::array<char, 5> buffer {};
    EXPECT_EQ(utf16ToUtf8(u"ab\u20AC", buffer), 2u); // the euro sign needs 3 more bytes
    EXPECT_STREQ(buffer.data(), "ab");
    std::array<char, 6> exact {};
    EXPECT_EQ(utf16ToUtf8(u"ab\u20AC", exact), 5u);
    EXPECT_STREQ(exact.data(), "ab\xE2\x82\xAC");
}

} // namespace
