#include "platform/linux/gtk_window_backend.h"

#include "platform/linux/gtk_x11_window_surface.h"

#include <algorithm>
#include <cmath>

GtkWindowBackend::~GtkWindowBackend()
{
    m_graphics.reset();
    if (m_surface)
        cairo_surface_destroy(m_surface);
    dropWindowSurface();
}

void GtkWindowBackend::attach(GtkWidget* toplevel, GtkWidget* area)
{
    m_toplevel = toplevel;
    m_area = area;
}

void GtkWindowBackend::detach()
{
    m_toplevel = nullptr;
    m_area = nullptr;
    dropWindowSurface();
}

Graphics& GtkWindowBackend::recreateBackBuffer(int width, int height)
{
    m_graphics.reset();
    if (m_surface)
        cairo_surface_destroy(m_surface);
    m_surface = createBackSurface(std::max(width, 0), std::max(height, 0));
    m_graphics = std::make_unique<CairoGraphics>(m_surface);
    m_frame.restart(*m_graphics, width, height);
    return m_frame;
}

// An image in the window's own pixel format (the page is opaque: no alpha)
// and, on X11, in memory shared with the X server: presenting it is one copy
// the server makes, where an ordinary image is first converted into shared
// memory by the program, a copy of the whole buffer every frame.
cairo_surface_t* GtkWindowBackend::createBackSurface(int width, int height) const
{
    GdkWindow* const window = m_area ? gtk_widget_get_window(m_area) : nullptr;
    if (window && width > 0 && height > 0)
        return gdk_window_create_similar_image_surface(window, CAIRO_FORMAT_RGB24, width, height, 1);
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}

void GtkWindowBackend::present()
{
    if (!m_surface)
        return;
    // GTK shows whatever the draw handler leaves for the whole area, and the
    // buffer is up to date only where the last frames redrew it.
    if (m_paintContext)
        m_frame.redrawAll();
    std::span<PixelRect const> const redrawn = m_frame.flush();
    cairo_surface_flush(m_surface);
    if (m_paintContext)
        copyTo(m_paintContext, areaScale());
    else if (!redrawn.empty())
        presentAsFrame(redrawn);
}

double GtkWindowBackend::areaScale() const
{
    return m_area ? gtk_widget_get_scale_factor(m_area) : 1;
}

void GtkWindowBackend::copyTo(cairo_t* cr, double deviceScale)
{
    cairo_save(cr);
    if (deviceScale != 1)
        cairo_scale(cr, 1 / deviceScale, 1 / deviceScale);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, m_surface, 0, 0);
    cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(m_surface), cairo_image_surface_get_height(m_surface));
    cairo_fill(cr);
    cairo_restore(cr);
}

void GtkWindowBackend::presentAsFrame(std::span<PixelRect const> redrawn)
{
    if (!m_area || !gtk_widget_is_drawable(m_area))
        return;
    GdkWindow* const window = gtk_widget_get_window(m_toplevel);
    int x = 0, y = 0;
    if (!window || !gtk_widget_translate_coordinates(m_area, m_toplevel, 0, 0, &x, &y))
        return;
    double const scale = areaScale();
    if (cairo_surface_t* const direct = windowSurface(window)) {
        // The X window is in device pixels, as the buffer is.
        cairo_t* const cr = cairo_create(direct);
        cairo_translate(cr, x * scale, y * scale);
        for (PixelRect const& rect : redrawn)
            cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
        cairo_clip(cr);
        copyTo(cr, 1);
        cairo_destroy(cr);
        cairo_surface_flush(direct);
        gdk_display_flush(gdk_window_get_display(window));
        return;
    }
    // GDK double-buffers and sends exactly this region, in logical pixels:
    // each rectangle grows to whole logical pixels.
    cairo_region_t* const region = cairo_region_create();
    for (PixelRect const& rect : redrawn) {
        int const left = static_cast<int>(std::floor(rect.x / scale));
        int const top = static_cast<int>(std::floor(rect.y / scale));
        int const right = static_cast<int>(std::ceil((rect.x + rect.width) / scale));
        int const bottom = static_cast<int>(std::ceil((rect.y + rect.height) / scale));
        cairo_rectangle_int_t const area { x + left, y + top, right - left, bottom - top };
        cairo_region_union_rectangle(region, &area);
    }
    GdkDrawingContext* const frame = gdk_window_begin_draw_frame(window, region);
    cairo_region_destroy(region);
    if (!frame)
        return;
    cairo_t* const cr = gdk_drawing_context_get_cairo_context(frame);
    cairo_translate(cr, x, y);
    copyTo(cr, scale);
    gdk_window_end_draw_frame(window, frame);
}

// On X11 the redrawn rectangles go straight onto the toplevel's window, one
// shared-memory image upload each: GDK's frame would first make a pixmap the
// size of the damage, draw into it, copy it to the window and free it.
cairo_surface_t* GtkWindowBackend::windowSurface(GdkWindow* window)
{
    unsigned long const xid = x11WindowId(window);
    if (xid == 0)
        return nullptr;
    if (m_windowSurface && xid == m_windowSurfaceXid) {
        resizeX11WindowSurface(m_windowSurface, window);
        return m_windowSurface;
    }
    dropWindowSurface();
    cairo_surface_t* const made = createX11WindowSurface(window);
    // A surface in error would draw nothing: GDK's frame takes over.
    if (cairo_surface_status(made) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(made);
        return nullptr;
    }
    m_windowSurface = made;
    m_windowSurfaceXid = xid;
    return m_windowSurface;
}

void GtkWindowBackend::dropWindowSurface()
{
    if (m_windowSurface)
        cairo_surface_destroy(m_windowSurface);
    m_windowSurface = nullptr;
    m_windowSurfaceXid = 0;
}
