#pragma once

#include "app/window_host.h"

#include <ostream>

// A window that is never on screen: a fixed client area, no menu, no timer,
// no loop. Message boxes become lines "CAPTION: TEXT" on the given stream, so
// a layout that fails to load is reported and the display runs on. Nothing
// here destroys the window, so the window settings are never saved.
class HeadlessWindowHost final : public WindowHost {
public:
    HeadlessWindowHost(ClientSize client, std::ostream& messages);

    bool create(WindowGeometry const&, std::string_view title, WindowEvents&) override;
    void show() override { }
    void destroy() override;

    WindowRect windowRect() const override { return { 0, 0, m_client.width, m_client.height }; }
    ClientSize clientSize() const override { return m_client; }
    std::vector<WindowRect> monitorWorkAreas() const override { return {}; }

    std::uint32_t style() const override { return m_style; }
    void setStyle(std::uint32_t style) override { m_style = style; }
    void setTopmost(bool) override { }

    void detachMenu() override { }
    void attachMenu() override { }
    void checkMenuItem(int, bool) override { }

    int startTimer(int) override { return 0; }
    void stopTimer(int) override { }
    void invalidate() override { }

    void showMessageBox(std::string_view text, std::string_view caption, MessageIcon) override;
    std::optional<int> runRefreshRateDialog(int) override { return std::nullopt; }
    void showAboutBox() override { }

    void quit(int exitCode) override { m_exitCode = exitCode; }
    int runLoop(LoopMode) override { return m_exitCode; }

private:
    ClientSize m_client;
    std::ostream& m_messages;
    WindowEvents* m_events = nullptr;
    std::uint32_t m_style = WindowStyle::Bordered;
    int m_exitCode = 0;
};
