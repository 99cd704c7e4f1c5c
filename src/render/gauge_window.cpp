#include "render/gauge_window.h"

#include "app/window_host.h"
#include "render/display_text.h"
#include "render/render_backend.h"
#include "render/text_drawing.h"

#include <cstdio>

namespace {

// The not-connected screen: white bold text on opaque red boxes, centred on
// the page's default width.
constexpr char const* kOverlayFace = "Arial";
constexpr float kOverlaySize = 30;
constexpr PointF kErrorLineOrigin { 500, 100 };
constexpr PointF kAttemptLineOrigin { 500, 150 };
// The platform's help line is longer (it names a folder): a smaller face keeps
// it on the page.
constexpr float kHelpSize = 20;
constexpr PointF kHelpLineOrigin { 500, 200 };
constexpr Brush kOverlayBackground { kOpaqueRed };
constexpr Brush kOverlayText { kOpaqueWhite };

} // namespace

GaugeWindow::GaugeWindow(PlatformServices& services, std::string profilePath, std::string profileSection)
    : AppWindow(services, std::move(profilePath), std::move(profileSection))
    , fontFactory(services.render.fonts())
{
}

GaugeWindow::~GaugeWindow() = default;

void GaugeWindow::paint()
{
    ClientSize const client = host.clientSize();
    // A window not yet realised (or minimised) has no client area: a page
    // scaled to nothing shows nothing, and some backends fail on it.
    if (client.width <= 0 || client.height <= 0)
        return;
    readyForRedraw = false;
    if (!graphics || client.width != lastClientWidth || client.height != lastClientHeight) {
        graphics = &services.render.recreateBackBuffer(client.width, client.height);
        // The page fills the client area; its aspect ratio is not kept.
        graphics->scaleWorld(static_cast<float>(client.width) / pageWidth, static_cast<float>(client.height) / pageHeight);
        layoutPending = true;
        lastClientWidth = client.width;
        lastClientHeight = client.height;
    }
    graphics->clear(kOpaqueBlack);
    acquireData();
    draw();
    m_layoutNotice.draw(*graphics, fontFactory, pageWidth, pageHeight);
    layoutPending = false;
    services.render.present();
    readyForRedraw = true;
}

void GaugeWindow::draw()
{
    if (link.connected)
        drawDecorations();
    else
        drawNotConnectedScreen();
}

void GaugeWindow::drawDecorations()
{
    Pen const* const foreground = pen(0);
    if (!foreground)
        return;
    for (ShapeSegment const& line : lines)
        graphics->drawLine(*foreground, { line.x0, line.y0 }, { line.x1, line.y1 });
    for (ShapeSegment const& rect : rects)
        graphics->drawRectangle(*foreground, { rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0 });
}

void GaugeWindow::drawNotConnectedScreen()
{
    if (!m_overlayFont)
        m_overlayFont = makeFont(kOverlayFace, kOverlaySize, FontStyleBold);
    if (!m_overlayFont)
        return;
    if (link.linkErrorText != m_shownErrorText) {
        m_shownErrorText = link.linkErrorText;
        m_errorLine = toDisplayText(m_shownErrorText);
    }
    if (link.noServerHelp != m_shownHelpText) {
        m_shownHelpText = link.noServerHelp;
        m_helpLine = toDisplayText(m_shownHelpText);
    }
    // Each line's top stands on its origin, so the two boxes never overlap
    // whatever alignment the page's own text left in the shared format.
    stringFormat.align = StringAlignment::Center;
    stringFormat.lineAlign = StringAlignment::Near;
    drawTextOnBox(*graphics, m_errorLine, *m_overlayFont, kErrorLineOrigin, stringFormat, kOverlayBackground, kOverlayText);
    drawTextOnBox(*graphics, attemptLine(), *m_overlayFont, kAttemptLineOrigin, stringFormat, kOverlayBackground, kOverlayText);
    if (m_helpLine.empty())
        return;
    // Made when first needed: a platform that gives no help line makes one font.
    if (!m_helpFont)
        m_helpFont = makeFont(kOverlayFace, kHelpSize, FontStyleBold);
    if (m_helpFont)
        drawTextOnBox(*graphics, m_helpLine, *m_helpFont, kHelpLineOrigin, stringFormat, kOverlayBackground, kOverlayText);
}

std::u16string_view GaugeWindow::attemptLine()
{
    // Past the budget the link still tries, at the slower pace it last waited.
    char text[kAttemptLineCapacity];
    auto const retrySeconds = std::chrono::duration_cast<std::chrono::seconds>(link.retryInterval).count();
    int const length = link.connectionAttempts < LinkState::kMaxAttempts
        ? std::snprintf(text, sizeof text, "Attempt #%d", link.connectionAttempts)
        : std::snprintf(text, sizeof text, "Too many attempts... retrying every %lld s",
              static_cast<long long>(retrySeconds));
    for (int i = 0; i < length; ++i)
        m_attemptLine.at(i) = static_cast<unsigned char>(text[i]);
    return { m_attemptLine.data(), static_cast<std::size_t>(length) };
}
