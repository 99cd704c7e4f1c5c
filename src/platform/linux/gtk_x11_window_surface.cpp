#include "platform/linux/gtk_x11_window_surface.h"

#ifdef GDK_WINDOWING_X11
#include <cairo-xlib.h>
#include <gdk/gdkx.h>
#endif

unsigned long x11WindowId(GdkWindow* window)
{
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_WINDOW(window))
        return GDK_WINDOW_XID(window);
#endif
    (void)window;
    return 0;
}

cairo_surface_t* createX11WindowSurface(GdkWindow* window)
{
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_WINDOW(window)) {
        int const scale = gdk_window_get_scale_factor(window);
        return cairo_xlib_surface_create(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window),
            GDK_VISUAL_XVISUAL(gdk_window_get_visual(window)), gdk_window_get_width(window) * scale,
            gdk_window_get_height(window) * scale);
    }
#endif
    (void)window;
    return nullptr;
}

void resizeX11WindowSurface(cairo_surface_t* surface, GdkWindow* window)
{
#ifdef GDK_WINDOWING_X11
    int const scale = gdk_window_get_scale_factor(window);
    cairo_xlib_surface_set_size(surface, gdk_window_get_width(window) * scale, gdk_window_get_height(window) * scale);
#else
    (void)surface;
    (void)window;
#endif
}
