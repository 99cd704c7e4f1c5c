#pragma once

#include <cairo.h>
#include <gdk/gdk.h>

// Drawing straight onto a GDK window's X11 window, past GDK's double buffer.
// Kept apart from the rest of the host: the X11 headers declare names (Font,
// Window) that the drawing port uses too.

// The X11 window id of window; 0 when GDK does not run on X11.
unsigned long x11WindowId(GdkWindow* window);

// A Cairo surface drawing onto window's X11 window, of the window's size in
// device pixels (the X server's own, whatever GDK's scale).
cairo_surface_t* createX11WindowSurface(GdkWindow* window);

// Follows the window's size after it changed.
void resizeX11WindowSurface(cairo_surface_t* surface, GdkWindow* window);
