#include "platform/linux/cairo_offscreen_backend.h"

#include <algorithm>
#include <cstring>

CairoOffscreenBackend::~CairoOffscreenBackend()
{
    m_graphics.reset();
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

Graphics& CairoOffscreenBackend::recreateBackBuffer(int width, int height)
{
    m_graphics.reset();
    if (m_surface)
        cairo_surface_destroy(m_surface);
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 0), std::max(height, 0));
    m_graphics = std::make_unique<CairoGraphics>(m_surface);
    return *m_graphics;
}

void CairoOffscreenBackend::present()
{
    if (m_surface)
        cairo_surface_flush(m_surface);
}

bool CairoOffscreenBackend::writePng(std::string const& path)
{
    if (!m_surface || cairo_image_surface_get_width(m_surface) == 0 || cairo_image_surface_get_height(m_surface) == 0)
        return false;
    cairo_surface_flush(m_surface);
    return cairo_surface_write_to_png(m_surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

Argb CairoOffscreenBackend::pixel(int x, int y) const
{
    if (!m_surface || x < 0 || y < 0 || x >= cairo_image_surface_get_width(m_surface) || y >= cairo_image_surface_get_height(m_surface))
        return 0;
    cairo_surface_flush(m_surface);
    unsigned char const* row = cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
    std::uint32_t value = 0;
    std::memcpy(&value, row + 4 * x, sizeof value);
    return value; // native-endian ARGB, premultiplied: exact for opaque pixels
}
