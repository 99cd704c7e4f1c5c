#pragma once

#include "render/graphics.h"

#include <string>
#include <vector>

// A font with fixed metrics, for tests and for drawing without a platform:
// the Arial design (2048 units to the em, cell ascent 1854), so its ascent is
// 0.905 x size whatever the face.
class RecordingFont final : public Font {
public:
    static constexpr float kEmHeight = 2048;
    static constexpr float kCellAscent = 1854;

    using Font::Font;
    float emHeight() const override { return kEmHeight; }
    float cellAscent() const override { return kCellAscent; }
};

// Makes RecordingFonts. Faces not in the installed list (compared without
// regard to ASCII case) fall back to the generic sans-serif face.
class RecordingFontFactory final : public FontFactory {
public:
    static constexpr char const* kGenericSansSerif = "Microsoft Sans Serif";

    RecordingFontFactory();
    explicit RecordingFontFactory(std::vector<std::string> installedFaces);

    std::unique_ptr<Font> createFont(std::string_view face, float size, int style) override;
    int fontsMade() const { return m_fontsMade; }

private:
    std::vector<std::string> m_installed;
    int m_fontsMade = 0;
};
