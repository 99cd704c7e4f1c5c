#pragma once

#include "app/platform_services.h"
#include "config/ini_profile_store.h"
#include "config/layout_codec.h"
#include "config/layout_platform.h"
#include "render/recording_backend.h"
#include "sim/ipc_transport.h"
#include "support/fake_window_host.h"
#include "support/temp_folder.h"

#include <string>
#include <vector>

// A simulator transport with no server anywhere: every connection attempt fails.
class NoServerIpcTransport final : public IpcTransport {
public:
    ServerHandle findServer(char const*) override { return 0; }
    std::string noServerHelp() const override { return {}; }
    void releaseServer(ServerHandle) override { }
    std::uint32_t registerMessage(char const*) override { return 0; }
    std::uint16_t addAtom(char const*) override { return 0; }
    void deleteAtom(std::uint16_t) override { }
    MappingHandle createMapping(char const*, std::size_t) override { return 0; }
    std::byte* mapView(MappingHandle, std::size_t) override { return nullptr; }
    void unmapView(std::byte*, std::size_t) override { }
    void closeMapping(MappingHandle) override { }
    SendOutcome send(ServerHandle, std::uint32_t, std::uint16_t, std::chrono::milliseconds) override { return {}; }
    void sleep(std::chrono::milliseconds) override { }
    std::uint32_t processId() override { return 1; }
};

// An embedded layout the test chooses (none by default) and a private folder
// for the unpacked file.
class TestLayoutPlatform final : public LayoutPlatform {
public:
    explicit TestLayoutPlatform(std::string folder)
        : m_folder(std::move(folder))
    {
    }
    void embed(std::string_view layoutText) { m_packed = scrambleLayout(layoutText).value(); }
    ResourceStatus embeddedLayout(std::span<std::uint8_t const>& bytes) override
    {
        if (m_packed.empty())
            return ResourceStatus::NotFound;
        bytes = m_packed;
        return ResourceStatus::Ok;
    }
    std::string appDataFolder() override { return m_folder; }

private:
    std::string m_folder;
    std::vector<std::uint8_t> m_packed;
};

// Every port a display needs, with a fake window and recorded drawing; the
// user profile lives in a private temporary folder.
struct TestPlatform {
    TempFolder folder;
    FakeWindowHost window;
    RecordingBackend render;
    IniProfileStore profiles;
    NoServerIpcTransport ipc;
    TestLayoutPlatform layouts { folder.path() };
    PlatformServices services { window, render, profiles, ipc, layouts, folder.file("QuorvelEFIS.cfg") };

    void setProfileValue(std::string_view key, std::string_view value)
    {
        profiles.write(services.userProfilePath, "ExternalEWD", key, value);
    }
    std::string profileValue(std::string_view key)
    {
        return profiles.read(services.userProfilePath, "ExternalEWD", key, "<absent>", 99);
    }
};
