#include "render/recording_backend.h"

RecordingBackend::RecordingBackend() = default;

RecordingBackend::RecordingBackend(RenderBackend& inner)
    : m_inner(&inner)
{
}

FontFactory& RecordingBackend::fonts()
{
    return m_inner ? m_inner->fonts() : m_fonts;
}

Graphics& RecordingBackend::recreateBackBuffer(int width, int height)
{
    m_graphics.restart(m_inner ? &m_inner->recreateBackBuffer(width, height) : nullptr);
    ++m_backBuffersMade;
    m_width = width;
    m_height = height;
    return m_graphics;
}

void RecordingBackend::present()
{
    ++m_framesPresented;
    if (m_inner)
        m_inner->present();
}
