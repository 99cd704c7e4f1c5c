#pragma once

#include "render/recording_fonts.h"
#include "render/recording_graphics.h"
#include "render/render_backend.h"

// A RenderBackend that records every drawing call. On its own it has no
// pixels (text measured by the RecordingGraphics rule, fonts from a
// RecordingFontFactory); over an inner backend it records while the inner one
// draws, measures and presents.
class RecordingBackend final : public RenderBackend {
public:
    RecordingBackend();
    explicit RecordingBackend(RenderBackend& inner);

    FontFactory& fonts() override;
    Graphics& recreateBackBuffer(int width, int height) override;
    void present() override;

    RecordingGraphics& recording() { return m_graphics; }
    RecordingFontFactory& recordingFonts() { return m_fonts; }
    int backBuffersMade() const { return m_backBuffersMade; }
    int framesPresented() const { return m_framesPresented; }
    int bufferWidth() const { return m_width; }
    int bufferHeight() const { return m_height; }

private:
    RenderBackend* m_inner = nullptr;
    RecordingFontFactory m_fonts;
    RecordingGraphics m_graphics;
    int m_backBuffersMade = 0;
    int m_framesPresented = 0;
    int m_width = 0;
    int m_height = 0;
};
