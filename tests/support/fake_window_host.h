#pragma once

#include "app/window_host.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

// A WindowHost that keeps what was asked of it, for tests of the window logic.
class FakeWindowHost final : public WindowHost {
public:
    struct MessageBox {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    // Set by the test.
    bool createSucceeds = true;
    WindowRect rect { 10, 20, 810, 620 };
    ClientSize client { 800, 600 };
    std::vector<WindowRect> workAreas { { 0, 0, 1280, 1024 } };
    std::optional<int> refreshRateAnswer; // nothing: Cancel

    // Observed.
    WindowEvents* events = nullptr;
    bool created = false;
    bool shown = false;
    bool destroyed = false;
    WindowGeometry createdWith;
    std::string createdTitle;
    std::uint32_t currentStyle = WindowStyle::Bordered;
    bool topmost = false;
    bool menuAttached = true;
    std::vector<int> checkedItems;
    std::vector<std::string> calls; // in order, for the order of view changes
    int nextTimerId = 1;
    int runningTimer = 0;
    int runningTimerPeriod = 0;
    int invalidations = 0;
    std::vector<MessageBox> messageBoxes;
    std::optional<int> dialogStartedAt;
    int aboutBoxes = 0;
    std::optional<int> quitCode;
    std::optional<LoopMode> loopRun;

    bool create(WindowGeometry const& geometry, std::string_view title, WindowEvents& owner) override
    {
        if (!createSucceeds)
            return false;
        events = &owner;
        createdWith = geometry;
        createdTitle = title;
        calls.push_back("create");
        owner.onCreate();
        created = true;
        return true;
    }
    void show() override
    {
        shown = true;
        calls.push_back("show");
    }
    void destroy() override
    {
        destroyed = true;
        calls.push_back("destroy");
        events->onDestroy();
    }
    WindowRect windowRect() const override { return rect; }
    ClientSize clientSize() const override { return client; }
    std::vector<WindowRect> monitorWorkAreas() const override { return workAreas; }
    std::uint32_t style() const override { return currentStyle; }
    void setStyle(std::uint32_t style) override
    {
        currentStyle = style;
        calls.push_back(style & WindowStyle::Popup ? "style:borderless" : "style:bordered");
    }
    void setTopmost(bool on) override
    {
        topmost = on;
        calls.push_back(on ? "topmost:on" : "topmost:off");
    }
    void detachMenu() override
    {
        menuAttached = false;
        calls.push_back("menu:detach");
    }
    void attachMenu() override
    {
        menuAttached = true;
        calls.push_back("menu:attach");
    }
    void checkMenuItem(int commandId, bool checked) override
    {
        std::erase(checkedItems, commandId);
        if (checked)
            checkedItems.push_back(commandId);
    }
    bool isChecked(int commandId) const { return std::find(checkedItems.begin(), checkedItems.end(), commandId) != checkedItems.end(); }
    int startTimer(int periodMs) override
    {
        runningTimer = nextTimerId++;
        runningTimerPeriod = periodMs;
        calls.push_back("timer:start:" + std::to_string(periodMs));
        return runningTimer;
    }
    void stopTimer(int timerId) override
    {
        if (timerId == runningTimer) {
            runningTimer = 0;
            runningTimerPeriod = 0;
        }
        calls.push_back("timer:stop");
    }
    void invalidate() override { ++invalidations; }
    void showMessageBox(std::string_view text, std::string_view caption, MessageIcon icon) override
    {
        messageBoxes.push_back({ std::string(text), std::string(caption), icon });
    }
    std::optional<int> runRefreshRateDialog(int position) override
    {
        dialogStartedAt = position;
        return refreshRateAnswer;
    }
    void showAboutBox() override { ++aboutBoxes; }
    void quit(int exitCode) override { quitCode = exitCode; }
    int runLoop(LoopMode mode) override
    {
        loopRun = mode;
        return quitCode.value_or(0);
    }
};
