#pragma once

#include "platform/linux/cairo_fonts.h"
#include "platform/linux/cairo_graphics.h"
#include "render/render_backend.h"

#include <gtk/gtk.h>

#include <memory>

// The back buffer of the GTK window: an image surface drawn by Cairo and
// copied to the drawing area. Inside the area's draw handler the copy goes to
// the handler's context; outside it (the polling loop paints directly) the
// copy is drawn as a frame of the toplevel window straight away.
class GtkWindowBackend final : public RenderBackend {
public:
    GtkWindowBackend() = default;
    ~GtkWindowBackend() override;
    GtkWindowBackend(GtkWindowBackend const&) = delete;
    GtkWindowBackend& operator=(GtkWindowBackend const&) = delete;

    void attach(GtkWidget* toplevel, GtkWidget* area);
    void detach();

    FontFactory& fonts() override { return m_fonts; }
    Graphics& recreateBackBuffer(int width, int height) override;
    void present() override;

    // The draw handler's context, for the paint it runs.
    void beginWindowPaint(cairo_t* cr) { m_paintContext = cr; }
    void endWindowPaint() { m_paintContext = nullptr; }

private:
    cairo_surface_t* createBackSurface(int width, int height) const;
    void copyTo(cairo_t* cr);
    void presentAsFrame();

    CairoFontFactory m_fonts;
    cairo_surface_t* m_surface = nullptr;
    std::unique_ptr<CairoGraphics> m_graphics;
    GtkWidget* m_toplevel = nullptr;
    GtkWidget* m_area = nullptr;
    cairo_t* m_paintContext = nullptr;
    // The area within the toplevel, as last presented directly.
    cairo_rectangle_int_t m_frameRect {};
    cairo_region_t* m_frameRegion = nullptr;
};
