#include "front_buffer_backend.h"

#include <algorithm>
#include <chrono>

FrontBufferBackend::~FrontBufferBackend()
{
    release();
}

void FrontBufferBackend::release()
{
    m_graphics.reset();
    if (m_frontContext)
        cairo_destroy(m_frontContext);
    if (m_front)
        cairo_surface_destroy(m_front);
    if (m_back)
        cairo_surface_destroy(m_back);
    m_frontContext = nullptr;
    m_front = nullptr;
    m_back = nullptr;
}

Graphics& FrontBufferBackend::recreateBackBuffer(int width, int height)
{
    release();
    width = std::max(width, 0);
    height = std::max(height, 0);
    // The window's format: opaque, no alpha.
    m_back = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    m_graphics = std::make_unique<CairoGraphics>(m_back);
    m_front = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    m_frontContext = cairo_create(m_front);
    cairo_set_operator(m_frontContext, CAIRO_OPERATOR_SOURCE);
    return *m_graphics;
}

void FrontBufferBackend::present()
{
    if (!m_back)
        return;
    auto const start = std::chrono::steady_clock::now();
    cairo_surface_flush(m_back);
    cairo_set_source_surface(m_frontContext, m_back, 0, 0);
    cairo_paint(m_frontContext);
    cairo_surface_flush(m_front);
    m_lastPresentMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
