#pragma once

#include "render/graphics.h"

#include <string>
#include <vector>

// One drawing call kept as plain data. Which fields matter depends on op.
enum class DrawOp { Clear, Line, Rect, FillRect, Arc, Pie, Ellipse, Polygon, Text, Clip, NoClip };

struct DrawCommand {
    DrawOp op = DrawOp::Clear;
    Argb colour = 0; // Clear
    Pen pen; // Line, Rect, Arc, Polygon
    Brush brush; // FillRect, Pie, Ellipse, Text
    RectF rect; // Rect, FillRect, Arc, Pie, Ellipse, Clip
    float startAngle = 0; // Arc, Pie
    float sweepAngle = 0; // Arc, Pie
    std::vector<PointF> points; // Line (from, to), Polygon
    // Text
    std::u16string text;
    PointF origin;
    std::string fontFace;
    float fontSize = 0;
    int fontStyle = 0;
    StringFormat format;
};

// Keeps every drawing call as a DrawCommand, in order. With an inner Graphics
// every call is also passed on, so a real frame can be recorded while it is
// drawn, and text is measured by the inner one. Without one, text is measured
// by a fixed rule: each character is 0.6 x size wide and a line is 1.15 x size
// high, the box placed on the origin by the format's two alignments.
// Measuring is not a drawing call and is not recorded.
class RecordingGraphics final : public Graphics {
public:
    explicit RecordingGraphics(Graphics* inner = nullptr);

    // A new back buffer: a new inner Graphics (or none) with the identity
    // transform. The commands kept so far stay.
    void restart(Graphics* inner);
    // While off, calls are passed on but not kept.
    void setRecording(bool on) { m_recording = on; }
    void clearCommands() { m_commands.clear(); }
    std::vector<DrawCommand> const& commands() const { return m_commands; }

    // The world scale applied so far (page units to pixels).
    float scaleX() const { return m_scaleX; }
    float scaleY() const { return m_scaleY; }

    void scaleWorld(float sx, float sy) override;
    void clear(Argb colour) override;
    void drawLine(Pen const&, PointF from, PointF to) override;
    void drawRectangle(Pen const&, RectF const&) override;
    void fillRectangle(Brush const&, RectF const&) override;
    void drawArc(Pen const&, RectF const&, float startAngle, float sweepAngle) override;
    void fillPie(Brush const&, RectF const&, float startAngle, float sweepAngle) override;
    void fillEllipse(Brush const&, RectF const&) override;
    void drawPolygon(Pen const&, std::span<PointF const> points) override;
    void drawString(std::u16string_view text, Font const&, PointF origin, StringFormat const&, Brush const&) override;
    RectF measureString(std::u16string_view text, Font const&, PointF origin, StringFormat const&) override;
    void setClip(RectF const&) override;
    void resetClip() override;

private:
    DrawCommand* record(DrawOp op);

    Graphics* m_inner;
    bool m_recording = true;
    float m_scaleX = 1;
    float m_scaleY = 1;
    std::vector<DrawCommand> m_commands;
};

// Where a box of the given size lands when its edge or centre, as the format
// says, is put on the origin.
RectF placeTextBox(PointF origin, float width, float height, StringFormat const&);
