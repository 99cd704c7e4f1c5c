#include "platform/win32/gdiplus_bitmap_buffer.h"

#include "platform/win32/gdiplus_api.h"
#include "platform/win32/text_encoding.h"

#include <cwchar>
#include <optional>
#include <vector>

namespace {

std::optional<CLSID> pngEncoder()
{
    UINT count = 0;
    UINT bytes = 0;
    if (gdip::GdipGetImageEncodersSize(&count, &bytes) != gdip::Ok || bytes == 0)
        return std::nullopt;
    std::vector<std::byte> storage(bytes);
    auto* const codecs = reinterpret_cast<gdip::ImageCodecInfo*>(storage.data());
    if (gdip::GdipGetImageEncoders(count, bytes, codecs) != gdip::Ok)
        return std::nullopt;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType != nullptr && std::wcscmp(codecs[i].MimeType, L"image/png") == 0)
            return codecs[i].Clsid;
    }
    return std::nullopt;
}

} // namespace

GdiplusBitmapBuffer::GdiplusBitmapBuffer(FontFactory& fonts)
    : m_fonts(fonts)
{
}

GdiplusBitmapBuffer::~GdiplusBitmapBuffer()
{
    release();
}

Graphics& GdiplusBitmapBuffer::recreateBackBuffer(int width, int height)
{
    release();
    // A zero-size bitmap cannot be made; one pixel stands in for it.
    if (gdip::GdipCreateBitmapFromScan0(width > 0 ? width : 1, height > 0 ? height : 1, 0, PixelFormat32bppARGB,
            nullptr, &m_bitmap)
        != gdip::Ok)
        m_bitmap = nullptr;
    gdip::GpGraphics* graphics = nullptr;
    if (m_bitmap == nullptr || gdip::GdipGetImageGraphicsContext(m_bitmap, &graphics) != gdip::Ok)
        graphics = nullptr;
    m_graphics = std::make_unique<GdiplusGraphics>(graphics);
    return *m_graphics;
}

void GdiplusBitmapBuffer::present()
{
    if (m_graphics != nullptr)
        m_graphics->flush();
}

bool GdiplusBitmapBuffer::writePng(std::string const& path)
{
    std::optional<CLSID> const encoder = pngEncoder();
    if (m_bitmap == nullptr || !encoder)
        return false;
    present();
    std::wstring const widePath = wideFromAnsi(path);
    return gdip::GdipSaveImageToFile(m_bitmap, widePath.c_str(), &*encoder, nullptr) == gdip::Ok;
}

Argb GdiplusBitmapBuffer::pixel(int x, int y) const
{
    gdip::ARGB colour = 0;
    if (m_bitmap == nullptr || gdip::GdipBitmapGetPixel(m_bitmap, x, y, &colour) != gdip::Ok)
        return 0;
    return colour;
}

void GdiplusBitmapBuffer::release()
{
    m_graphics.reset();
    if (m_bitmap != nullptr) {
        gdip::GdipDisposeImage(m_bitmap);
        m_bitmap = nullptr;
    }
}
