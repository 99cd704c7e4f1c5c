#include "render/recording_fonts.h"

#include <algorithm>

namespace {

bool sameFace(std::string_view a, std::string_view b)
{
    auto const lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

RecordingFontFactory::RecordingFontFactory()
    : RecordingFontFactory({ "Arial", "Courier", "Courier New", "Times New Roman", kGenericSansSerif })
{
}

RecordingFontFactory::RecordingFontFactory(std::vector<std::string> installedFaces)
    : m_installed(std::move(installedFaces))
{
}

std::unique_ptr<Font> RecordingFontFactory::createFont(std::string_view face, float size, int style)
{
    bool const installed = std::any_of(m_installed.begin(), m_installed.end(), [&](std::string const& f) { return sameFace(f, face); });
    ++m_fontsMade;
    return std::make_unique<RecordingFont>(installed ? std::string(face) : std::string(kGenericSansSerif), size, style);
}
