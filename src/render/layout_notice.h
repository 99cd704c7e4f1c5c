#pragma once

#include "render/graphics.h"

#include <memory>
#include <string>
#include <string_view>

// The one line at the bottom of the page that says why the layout file could
// not be used. It never stops the display, as a message box would: the page
// keeps drawing beneath it with the last layout that could be read.
class LayoutNotice {
public:
    // An empty text takes the line away.
    void show(std::string text);
    std::string const& text() const { return m_text; }

    // Draws the line, centred at the foot of a page of the given size, over
    // everything the page drew; nothing while there is no text. Its font is
    // held to the page like every font of the page.
    void draw(Graphics&, FontFactory&, float pageWidth, float pageHeight);
    // The page's fonts are being made again (a new page size): the next
    // draw makes the notice's font again too.
    void forgetFont() { m_font.reset(); }

private:
    std::string m_text;
    std::u16string m_line;
    std::unique_ptr<Font> m_font;
};
