#include "render/layout_notice.h"

#include "render/font_size_bound.h"
#include "render/text_drawing.h"

namespace {

// Black on amber, in the page's own face, so it reads as a caution and not
// as part of the not-connected screen (white on red).
constexpr char const* kNoticeFace = "Arial";
constexpr float kNoticeSize = 24;
constexpr float kBottomMargin = 4;
constexpr Brush kNoticeBackground { 0xFFFF9600 };
constexpr Brush kNoticeText { kOpaqueBlack };

// File names and reasons are bytes of the system's code page; each is shown
// as the Latin-1 character of the same code, with no '_' to space rule, so
// a file name shows as it is written.
std::u16string latin1Text(std::string_view text)
{
    std::u16string line;
    line.reserve(text.size());
    for (char c : text)
        line.push_back(static_cast<unsigned char>(c));
    return line;
}

} // namespace

void LayoutNotice::show(std::string text)
{
    m_line = latin1Text(text);
    m_text = std::move(text);
}

void LayoutNotice::draw(Graphics& graphics, FontFactory& fonts, float pageWidth, float pageHeight)
{
    if (m_text.empty())
        return;
    if (!m_font)
        m_font = makePageFont(fonts, kNoticeFace, kNoticeSize, FontStyleRegular, pageWidth, pageHeight);
    if (!m_font)
        return;
    StringFormat const bottomCentre { StringAlignment::Center, StringAlignment::Far };
    drawTextOnBox(graphics, m_line, *m_font, { pageWidth / 2, pageHeight - kBottomMargin }, bottomCentre, kNoticeBackground, kNoticeText);
}
