#pragma once

#include "platform/linux/cairo_fonts.h"
#include "platform/linux/cairo_graphics.h"
#include "render/render_backend.h"
#include "render/retained_frame.h"

#include <gtk/gtk.h>

#include <memory>
#include <span>

// The back buffer of the GTK window: an image surface drawn by Cairo and
// copied to the drawing area. The buffer keeps the last frame; each frame
// redraws only the pixels that changed (see RetainedFrame). Inside the area's
// draw handler the whole buffer goes to the handler's context, which is all
// GTK shows; outside it (the loops paint directly) only the redrawn pixels
// go to the screen, straight onto the toplevel's window on X11 and as a frame
// of it elsewhere, and an unchanged frame costs the screen nothing.
//
// The buffer has the area's size in device pixels: GDK's logical size times
// its scale factor (2 under GDK_SCALE=2). The page is drawn at the screen's
// own resolution, and GDK's contexts, which are in logical units, are scaled
// back so one buffer pixel lands on one screen pixel.
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
    // Paints the buffer onto cr at its origin, one buffer pixel to
    // deviceScale of cr's units.
    void copyTo(cairo_t* cr, double deviceScale);
    double areaScale() const;
    void presentAsFrame(std::span<PixelRect const> redrawn);
    cairo_surface_t* windowSurface(GdkWindow*);
    void dropWindowSurface();

    CairoFontFactory m_fonts;
    cairo_surface_t* m_surface = nullptr;
    std::unique_ptr<CairoGraphics> m_graphics;
    RetainedFrame m_frame { m_fonts };
    GtkWidget* m_toplevel = nullptr;
    GtkWidget* m_area = nullptr;
    cairo_t* m_paintContext = nullptr;
    // Draws straight onto the toplevel's X window (X11 only).
    cairo_surface_t* m_windowSurface = nullptr;
    unsigned long m_windowSurfaceXid = 0;
};
