#pragma once

#include "app/app_window.h"
#include "render/graphics.h"
#include "render/layout_notice.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ProfileReader;
struct LayoutFileText;

// What createPensAndBrushes makes for a colour entry.
enum ColourKind : int {
    ColourKindNone = 0,
    ColourKindPen = 1,
    ColourKindPenAndBrush = 2,
    ColourKindDashedPen = 4,
    ColourKindBrush = 5,
};

struct ColourEntry {
    int kind = ColourKindNone;
    Argb argb = kOpaqueBlack; // derived by updateColour
    std::uint32_t baseColour = 0; // 0x00BBGGRR as configured
    float penWidth = 0; // page units
};

struct FontDef {
    int size = 0; // page units
    int style = FontStyleRegular;
    std::string face;
};

// A line (two end points) or a rectangle (left, top, right, bottom).
struct ShapeSegment {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A double-buffered display of a logical page (SizeX x SizeY units) stretched
// to the window's client area, with its colour and font tables realised as
// pens, brushes and fonts, the layout's line and rectangle decorations, and the
// screen shown while the simulator link is down.
class GaugeWindow : public AppWindow {
public:
    GaugeWindow(PlatformServices& services, std::string profilePath, std::string profileSection);
    ~GaugeWindow() override;

    // One frame: remake the back buffer on a size change, clear, acquire,
    // draw, present. An empty client area is not painted at all.
    void paint() override;

    bool isReadyForRedraw() const override { return readyForRedraw; }
    // Why the chosen layout file could not be used the last time it was
    // read; empty when it was. Shown at the foot of the page meanwhile.
    std::string const& layoutProblem() const { return m_layoutNotice.text(); }
    float pageWidthUnits() const { return pageWidth; }
    float pageHeightUnits() const { return pageHeight; }
    void reloadLayout(WholeFile const& file) override;

protected:
    // Unpacks the layout, reads it with readDisplaySettings, deletes the
    // unpacked file; a failure shows one "Parsing Error" message box.
    void loadConfigurationFile(std::string_view fileName);

    // Reads the base display keys; the concrete display extends it.
    virtual void readDisplaySettings(std::string const& layoutFile);
    // Draws the decorations while the link is up, else the not-connected
    // screen. The concrete display calls this at the end of its own draw.
    virtual void draw();
    virtual void acquireData() = 0;
    virtual void rebuildResources() = 0;

    void setTableSizes(int colourCount, int fontCount, int regionCount);
    void refreshColours();
    void updateColour(int index);
    void createPensAndBrushes();
    void createFonts();
    // A font of the layout's size, held to the page (see font_size_bound.h);
    // null for a size of 0 or less.
    std::unique_ptr<Font> makeFont(std::string_view face, float size, int style) const;
    // Reads prefix0, prefix1, ... until the first absent key.
    void readShapeList(ProfileReader const&, std::vector<ShapeSegment>& list, std::string_view prefix);

    // The realised objects of a table row, or null when the row has none.
    Pen const* pen(int row) const;
    Brush const* brush(int row) const;
    Font const* font(int row) const;

    // Null until the first paint.
    Graphics* graphics = nullptr;
    FontFactory& fontFactory;

    std::string layoutSection;
    bool readyForRedraw = true;
    float pageWidth = 1000;
    float pageHeight = 1000;
    float brightnessFactor = 1.0f;
    double dayBrightness = 1.0;
    double nightBrightness = 0.4;
    int ignoredRedraws = 0;
    bool redrawEveryFrame = true;
    int antiAliasing = 1;
    int fontQuality = 2;

    std::vector<ColourEntry> colours;
    std::vector<std::optional<Pen>> pens;
    std::vector<std::optional<Brush>> brushes;
    std::vector<FontDef> fontDefs;
    std::vector<std::unique_ptr<Font>> fonts;
    std::vector<std::optional<RectF>> regions; // clip rectangles

    // The one string format shared by all text of the display.
    StringFormat stringFormat;

    std::vector<ShapeSegment> lines;
    std::vector<ShapeSegment> rects;

private:
    // A layout file chosen by the user: read again on every call. What
    // cannot be read leaves the layout in use, and the notice says why.
    void loadChosenLayout(std::string const& path, LayoutFileText const& file);
    void drawDecorations();
    void drawNotConnectedScreen();
    std::u16string_view attemptLine();

    LayoutNotice m_layoutNotice;
    bool m_layoutRead = false;
    std::unique_ptr<Font> m_overlayFont;
    std::unique_ptr<Font> m_helpFont;
    // The not-connected lines, remade only when their source changes.
    std::string m_shownErrorText;
    std::u16string m_errorLine;
    std::string m_shownHelpText;
    std::u16string m_helpLine;
    static constexpr std::size_t kAttemptLineCapacity = 64;
    std::array<char16_t, kAttemptLineCapacity> m_attemptLine {};
};
