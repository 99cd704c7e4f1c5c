#pragma once

#include "render/graphics.h"
#include "render/recording_graphics.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Pixels of a back buffer: columns [x, x + width), rows [y, y + height).
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(PixelRect const&) const = default;
};

// The drawing calls of a window's frames, kept so that a frame costs only what
// changed since the last one. A display redraws its whole page every tick, but
// from one tick to the next most of it is the same: the scales, the labels,
// the frames, often every value. The calls of a frame are only kept while it
// is drawn; at flush they are matched, in order, against the last frame's,
// and each call without a partner, old or new, marks the pixels it can touch
// as damaged. Only those pixels are brought up to date: cleared, then every
// call of the new frame that reaches them is drawn again, whole.
//
// The calls are drawn whole, not clipped to the damage, because a rasteriser
// does not smooth a clipped shape's edges to exactly the same pixels as the
// whole shape's: a clipped redraw would leave faint seams. Drawn whole, a call
// also changes pixels outside the damage. So after a flush the target holds
// the new frame exactly inside the rectangles returned and anything outside
// them: the window, which keeps the last frame, is sent only those
// rectangles, and a window that lost its contents asks for redrawAll().
//
// The target keeps pixel centres on integer device coordinates, as GDI+ does
// and the Cairo graphics follows; a damaged rectangle is cleared with a fill
// (or, for a translucent clear, through a clip) given in page units from that
// rule, so its edges fall on pixel edges.
class RetainedFrame final : public Graphics {
public:
    // Text is drawn again with fonts of its own made by fonts: a font need
    // only live for the call that draws with it, not until the flush.
    explicit RetainedFrame(FontFactory& fonts);

    // A new back buffer of width x height pixels drawn by target, with the
    // identity transform: the next flush redraws all of it.
    void restart(Graphics& target, int width, int height);

    // The next flush draws the whole frame, leaving every pixel of the target
    // up to date: for a window that must be shown whole again.
    void redrawAll() { m_redrawAll = true; }

    // Ends the frame: draws what changed into the target and returns the
    // rectangles where the target now holds the frame, none when the frame
    // equals the last. The span stays valid until the next flush.
    std::span<PixelRect const> flush();

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
    struct Call {
        DrawCommand command;
        // Text: the frame's own font like the caller's (null if it could not
        // be made); its face, size and style are in the command, which is
        // what two calls are compared by.
        Font const* font = nullptr;
        PixelRect bounds; // every pixel the call can touch
        bool matched = false;
    };
    // One frame's calls. The slots outlive a frame, so a frame like the last
    // one reuses their strings and point lists without allocating.
    struct CallList {
        std::vector<Call> slots;
        std::size_t count = 0;
        // The clip in force when the frame began, left by the frame before.
        std::optional<RectF> clipAtStart;
    };

    // Found again by the caller's font's face, size and style, which the
    // made font need not report back the same (a face may fall back).
    struct OwnFont {
        std::string face;
        float size = 0;
        int style = 0;
        std::unique_ptr<Font> font;
        bool usedThisFrame = false;
    };

    Call& record(DrawOp);
    Font const* fontLike(Font const&);
    void dropUnusedFonts();
    void matchCalls();
    void skipUnmatched(CallList&, std::size_t& index, std::size_t count);
    std::optional<std::size_t> findAhead(CallList const&, std::size_t from, Call const& wanted) const;
    void damageUnmatched();
    PixelRect boundsOf(Call const&);
    PixelRect pixelsCovering(RectF const& page, float padPixels) const;
    void addDamage(PixelRect);
    void damageAll();
    void redraw();
    void clearDamage(Argb colour, std::optional<RectF> const& clip);
    bool reachesDamage(PixelRect const&) const;
    void applyClip(std::optional<RectF> const&);
    void play(Call const&);
    RectF pageRectOf(PixelRect const&) const;

    FontFactory& m_fontFactory;
    std::vector<OwnFont> m_fonts;
    Graphics* m_target = nullptr;
    int m_width = 0;
    int m_height = 0;
    float m_scaleX = 1;
    float m_scaleY = 1;
    bool m_redrawAll = true;
    CallList m_previous;
    CallList m_current;
    // The clip the calls recorded so far leave: where the next frame starts.
    std::optional<RectF> m_clipNow;
    std::vector<PixelRect> m_damage;
};
