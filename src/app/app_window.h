#pragma once

#include "app/platform_services.h"
#include "app/window_host.h"
#include "config/whole_file.h"
#include "sim/aircraft_sources.h"
#include "sim/link_state.h"

#include <optional>
#include <string>
#include <string_view>

// The main window's state and the logic of its window procedure: view flags,
// window settings kept in the user profile, key and menu commands. The window
// itself is the platform's WindowHost; the display object derives from this.
class AppWindow : public WindowEvents {
public:
    // The scrambled layout file looked for in the current directory.
    static constexpr std::string_view kLayoutFileName = "A320CFM.bin";

    AppWindow(PlatformServices& services, std::string profilePath, std::string profileSection);
    ~AppWindow() override;
    AppWindow(AppWindow const&) = delete;
    AppWindow& operator=(AppWindow const&) = delete;

    // Reads the window settings, creates and shows the window from them,
    // starts the redraw timer and applies the saved view flags. False when
    // the window cannot be made.
    virtual bool createWindow(std::string_view title, int topmostMenuItem);
    // Geometry (unless the window is minimised) and view flags.
    virtual void saveWindowSettings();
    // If connectionAttempts equals the limit, re-arm the attempts and make the
    // next one at once.
    virtual void resetConnectionAttempts();

    // Makes the window read path (a plain or packed layout, told apart by
    // content) instead of kLayoutFileName. Called before createWindow.
    void useLayoutFile(std::string path);
    // The layout the window reads: kLayoutFileName unless one was chosen.
    std::string const& layoutFile() const { return layoutFileName; }
    bool layoutFileChosen() const { return layoutChosen; }

    // Where the display reads the named aircraft values; called before
    // createWindow. A display that reads no simulator has nothing to do.
    virtual void useAircraftSources(AircraftSources const&) { }

    virtual void paint() = 0;
    virtual void loadConfiguration(std::string_view fileName) = 0;
    // The chosen layout file as it was just read again by whoever saw it
    // change: the window uses these bytes and does not read the file again,
    // so what was compared with the last read is what shows.
    virtual void reloadLayout(WholeFile const& file) = 0;
    // False while a paint runs: a timer tick then asks for no repaint.
    virtual bool isReadyForRedraw() const = 0;

    void toggleMenuBar();
    void toggleBorder();
    void toggleAlwaysOnTop(int menuItem);
    void setTimerPeriod(int periodMs);
    // The Refresh Rate dialog's OK: warns when the loop mode would change,
    // then takes the slider position as the new period.
    void applyRefreshRate(int sliderPosition);
    void runRefreshRateDialog();
    void showHelp();
    void showAbout();
    void exitProgram();

    // Fixed at start from the period: the loop runs in this mode until exit.
    LoopMode loopMode() const { return timerPeriod > 0 ? LoopMode::Blocking : LoopMode::Polling; }

    // WindowEvents: the window procedure.
    void onCreate() override;
    void onDestroy() override;
    void onPaint() override;
    void onKeyDown(int virtualKey) override;
    bool onCommand(int commandId) override;
    void onTimer() override;

    LinkState const& linkState() const { return link; }
    bool isLayoutPending() const { return layoutPending; }
    int timerPeriodMs() const { return timerPeriod; }
    int runningTimerId() const { return timerId; }
    bool isMenuVisible() const { return menuVisible; }
    bool isAlwaysOnTop() const { return alwaysOnTop; }
    std::string const& title() const { return baseTitle; }

protected:
    PlatformServices& services;
    WindowHost& host;
    std::string profilePath;
    std::string profileSection;

    std::string baseTitle;
    std::string layoutFileName { kLayoutFileName };
    bool layoutChosen = false;
    // True while the paint in progress has just remade the back buffer, or the
    // layout changed; every layout step recomputes its cached positions then.
    bool layoutPending = false;
    int timerId = 0;
    int timerPeriod = 100;
    bool menuVisible = true;
    bool alwaysOnTop = false;
    int lastClientWidth = -1;
    int lastClientHeight = -1;

    LinkState link;
};
