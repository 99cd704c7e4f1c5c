#include "platform/win32/win32_layout_platform.h"

#include <shlobj.h>

namespace {

constexpr char const* kLayoutResourceType = "ORBA_CFG";
constexpr WORD kLayoutResourceId = 99;

}

Win32LayoutPlatform::Win32LayoutPlatform(HMODULE module)
    : m_module(module ? module : GetModuleHandleA(nullptr))
{
}

LayoutPlatform::ResourceStatus Win32LayoutPlatform::embeddedLayout(std::span<std::uint8_t const>& bytes)
{
    HRSRC const resource = FindResourceA(m_module, MAKEINTRESOURCEA(kLayoutResourceId), kLayoutResourceType);
    if (!resource)
        return ResourceStatus::NotFound;
    DWORD const size = SizeofResource(m_module, resource);
    if (size == 0)
        return ResourceStatus::SizeZero;
    HGLOBAL const loaded = LoadResource(m_module, resource);
    void const* const data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return ResourceStatus::LoadFailed;
    bytes = std::span(static_cast<std::uint8_t const*>(data), size);
    return ResourceStatus::Ok;
}

// The current location, which follows a redirected AppData folder.
std::string Win32LayoutPlatform::appDataFolder()
{
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    return path;
}
