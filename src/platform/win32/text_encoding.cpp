#include "platform/win32/text_encoding.h"

#include <windows.h>

namespace {

std::wstring toWide(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    int const length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string fromWide(UINT codePage, std::wstring_view text)
{
    if (text.empty())
        return {};
    int const length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring wideFromAnsi(std::string_view text)
{
    return toWide(CP_ACP, text);
}

std::string narrowFromWide(std::wstring_view text)
{
    return fromWide(CP_ACP, text);
}
