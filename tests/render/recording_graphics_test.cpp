#include "render/recording_backend.h"
#include "render/recording_graphics.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingGraphics, MeasuresByTheFixedRuleOnTheFormatsAlignment)
{
    RecordingGraphics g;
    RecordingFont const font("Arial", 20, FontStyleRegular);
    RectF const near = g.measureString(u"ABC", font, { 100, 50 }, {});
    EXPECT_FLOAT_EQ(near.x, 100);
    EXPECT_FLOAT_EQ(near.y, 50);
    EXPECT_FLOAT_EQ(near.width, 36);
    EXPECT_FLOAT_EQ(near.height, 23);
    RectF const centre = g.measureString(u"ABC", font, { 100, 50 }, { StringAlignment::Center, StringAlignment::Center });
    EXPECT_FLOAT_EQ(centre.x, 82);
    EXPECT_FLOAT_EQ(centre.y, 38.5f);
    RectF const far = g.measureString(u"ABC", font, { 100, 50 }, { StringAlignment::Far, StringAlignment::Far });
    EXPECT_FLOAT_EQ(far.x, 64);
    EXPECT_FLOAT_EQ(far.y, 27);
    EXPECT_FLOAT_EQ(g.measureString(u"", font, {}, {}).height, 0);
}

// Counts calls, answers measurements with a fixed box.
class CountingGraphics final : public Graphics {
public:
    int calls = 0;
    void scaleWorld(float, float) override { ++calls; }
    void clear(Argb) override { ++calls; }
    void drawLine(Pen const&, PointF, PointF) override { ++calls; }
    void drawRectangle(Pen const&, RectF const&) override { ++calls; }
    void fillRectangle(Brush const&, RectF const&) override { ++calls; }
    void drawArc(Pen const&, RectF const&, float, float) override { ++calls; }
    void fillPie(Brush const&, RectF const&, float, float) override { ++calls; }
    void fillEllipse(Brush const&, RectF const&) override { ++calls; }
    void drawPolygon(Pen const&, std::span<PointF const>) override { ++calls; }
    void drawString(std::u16string_view, Font const&, PointF, StringFormat const&, Brush const&) override { ++calls; }
    RectF measureString(std::u16string_view, Font const&, PointF, StringFormat const&) override { return { 1, 2, 3, 4 }; }
    void setClip(RectF const&) override { ++calls; }
    void resetClip() override { ++calls; }
};

TEST(RecordingGraphics, PassesEveryCallOnAndMeasuresWithTheInnerGraphics)
{
    CountingGraphics inner;
    RecordingGraphics g(&inner);
    RecordingFont const font("Arial", 20, 0);
    std::array<PointF, 2> const points {};
    g.scaleWorld(2, 2);
    g.clear(0);
    g.drawLine({}, {}, {});
    g.drawRectangle({}, {});
    g.fillRectangle({}, {});
    g.drawArc({}, {}, 0, 90);
    g.fillPie({}, {}, 0, 90);
    g.fillEllipse({}, {});
    g.drawPolygon({}, points);
    g.drawString(u"a", font, {}, {}, {});
    g.setClip({});
    g.resetClip();
    EXPECT_EQ(inner.calls, 12);
    EXPECT_EQ(g.commands().size(), 11u);
    EXPECT_FLOAT_EQ(g.measureString(u"a", font, {}, {}).width, 3);
}

TEST(RecordingGraphics, WhileRecordingIsOffCallsStillReachTheInnerGraphics)
{
    CountingGraphics inner;
    RecordingGraphics g(&inner);
    g.setRecording(false);
    g.clear(0);
    EXPECT_TRUE(g.commands().empty());
    EXPECT_EQ(inner.calls, 1);
}

TEST(RecordingBackend, ANewBackBufferStartsFromTheIdentityTransform)
{
    RecordingBackend backend;
    Graphics& first = backend.recreateBackBuffer(200, 100);
    first.scaleWorld(0.2f, 0.1f);
    Graphics& second = backend.recreateBackBuffer(400, 100);
    EXPECT_FLOAT_EQ(backend.recording().scaleX(), 1);
    second.scaleWorld(0.4f, 0.1f);
    EXPECT_FLOAT_EQ(backend.recording().scaleX(), 0.4f);
    EXPECT_EQ(backend.backBuffersMade(), 2);
    EXPECT_EQ(backend.bufferWidth(), 400);
}

} // namespace
