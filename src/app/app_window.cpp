#include "app/app_window.h"

#include "app/menu_commands.h"
#include "app/window_placement.h"
#include "config/profile_reader.h"
#include "config/profile_store.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::string_view kHelpText = "M - Show/Hide menu bar\nF - Show/Hide window border\nC - Connect to FSUIPC\n\n"
                                       "The position and size of the window\nis automatically saved when exiting";
constexpr std::string_view kToPollingWarning = "You have selected a maximum refresh rate.\nThis requires an application restart";
constexpr std::string_view kToTimerWarning = "You have selected a timer-based refresh rate.\nThis requires an application restart";

struct CommandRow {
    int command;
    void (*action)(AppWindow&);
};

constexpr std::array<CommandRow, 7> kCommands { {
    { MenuCommand::ConnectFsuipc, [](AppWindow& w) { w.resetConnectionAttempts(); } },
    { MenuCommand::Exit, [](AppWindow& w) { w.exitProgram(); } },
    { MenuCommand::SetRefreshRate, [](AppWindow& w) { w.runRefreshRateDialog(); } },
    { MenuCommand::HideMenuBar, [](AppWindow& w) { w.toggleMenuBar(); } },
    { MenuCommand::AlwaysOnTop, [](AppWindow& w) { w.toggleAlwaysOnTop(MenuCommand::AlwaysOnTop); } },
    { MenuCommand::HelpContents, [](AppWindow& w) { w.showHelp(); } },
    { MenuCommand::About, [](AppWindow& w) { w.showAbout(); } },
} };

void writeInt(PlatformServices& services, std::string const& file, std::string_view section, std::string_view key, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    services.profiles.write(file, section, key, text);
}

} // namespace

AppWindow::AppWindow(PlatformServices& services, std::string profilePath, std::string profileSection)
    : services(services)
    , host(services.window)
    , profilePath(std::move(profilePath))
    , profileSection(std::move(profileSection))
{
}

AppWindow::~AppWindow() = default;

bool AppWindow::createWindow(std::string_view title, int topmostMenuItem)
{
    ProfileReader const settings(services.profiles, profilePath, profileSection);
    WindowGeometry geometry;
    geometry.x = settings.readInt("WindowPosX", kUseDefaultPosition);
    geometry.y = settings.readInt("WindowPosY", 0);
    geometry.width = settings.readInt("WindowWidth", kUseDefaultPosition);
    geometry.height = settings.readInt("WindowHeight", 0);
    int const savedMenuVisible = settings.readInt("MenuVisible", 1);
    int const savedAlwaysOnTop = settings.readInt("AlwaysOnTop", 0);
    int const savedNoBorder = settings.readInt("NoBorder", 0);
    // Outside the dialog's range a period means nothing sensible: the
    // largest int would leave the page without a single redraw.
    timerPeriod = std::clamp(settings.readInt("TimerPeriod", 100), 0, kSlowestRefreshPeriodMs);

    baseTitle = title;
    if (!host.create(placeOnScreens(geometry, host.monitorWorkAreas()), baseTitle, *this))
        return false;
    host.show();
    if (timerPeriod > 0)
        timerId = host.startTimer(timerPeriod);

    // The window first shows with menu and border, then takes the saved flags.
    if (savedMenuVisible == 0)
        toggleMenuBar();
    if (savedAlwaysOnTop != 0)
        toggleAlwaysOnTop(topmostMenuItem);
    if (savedNoBorder != 0)
        toggleBorder();
    return true;
}

void AppWindow::saveWindowSettings()
{
    // A minimised window's place is not its own. Any other is kept, a
    // monitor left of or above the primary one included: the next start
    // brings it back onto the screens there are then.
    WindowRect const rect = host.windowRect();
    if (rect.left != kMinimisedPosition || rect.top != kMinimisedPosition) {
        writeInt(services, profilePath, profileSection, "WindowPosX", rect.left);
        writeInt(services, profilePath, profileSection, "WindowPosY", rect.top);
        writeInt(services, profilePath, profileSection, "WindowWidth", rect.right - rect.left);
        writeInt(services, profilePath, profileSection, "WindowHeight", rect.bottom - rect.top);
    }
    writeInt(services, profilePath, profileSection, "MenuVisible", menuVisible ? 1 : 0);
    writeInt(services, profilePath, profileSection, "AlwaysOnTop", alwaysOnTop ? 1 : 0);
    writeInt(services, profilePath, profileSection, "TimerPeriod", timerPeriod);
    writeInt(services, profilePath, profileSection, "NoBorder", (host.style() & WindowStyle::Popup) != 0 ? 1 : 0);
}

// Between slow retries, the key tries again at once.
void AppWindow::resetConnectionAttempts()
{
    if (link.connectionAttempts == LinkState::kMaxAttempts) {
        link.connectionAttempts = 0;
        link.nextAttemptAt.reset();
    }
}

void AppWindow::toggleMenuBar()
{
    if (menuVisible)
        host.detachMenu();
    else
        host.attachMenu();
    menuVisible = !menuVisible;
}

void AppWindow::toggleBorder()
{
    bool const borderless = (host.style() & WindowStyle::Popup) != 0;
    host.setStyle(borderless ? WindowStyle::Bordered : WindowStyle::BorderOnly);
}

void AppWindow::toggleAlwaysOnTop(int menuItem)
{
    alwaysOnTop = !alwaysOnTop;
    host.setTopmost(alwaysOnTop);
    host.checkMenuItem(menuItem, alwaysOnTop);
}

void AppWindow::setTimerPeriod(int periodMs)
{
    timerPeriod = periodMs;
    if (timerId != 0) {
        host.stopTimer(timerId);
        timerId = 0;
    }
    if (periodMs > 0)
        timerId = host.startTimer(periodMs);
}

void AppWindow::applyRefreshRate(int sliderPosition)
{
    if (timerPeriod > 0 && sliderPosition == 0)
        host.showMessageBox(kToPollingWarning, "Warning", MessageIcon::Information);
    else if (timerPeriod == 0 && sliderPosition > 0)
        host.showMessageBox(kToTimerWarning, "Warning", MessageIcon::Information);
    setTimerPeriod(sliderPosition);
}

void AppWindow::exitProgram()
{
    host.destroy();
}

void AppWindow::runRefreshRateDialog()
{
    if (std::optional<int> const position = host.runRefreshRateDialog(timerPeriod))
        applyRefreshRate(*position);
}

void AppWindow::showHelp()
{
    host.showMessageBox(kHelpText, "Help", MessageIcon::Information);
}

void AppWindow::showAbout()
{
    host.showAboutBox();
}

void AppWindow::useLayoutFile(std::string path)
{
    layoutFileName = std::move(path);
    layoutChosen = true;
}

void AppWindow::onCreate()
{
    loadConfiguration(layoutFileName);
}

void AppWindow::onDestroy()
{
    saveWindowSettings();
    host.quit(0);
}

void AppWindow::onPaint()
{
    paint();
}

void AppWindow::onKeyDown(int virtualKey)
{
    switch (virtualKey) {
    case 'C':
        resetConnectionAttempts();
        break;
    case 'F':
        toggleBorder();
        break;
    case 'M':
        toggleMenuBar();
        break;
    default:
        break;
    }
}

bool AppWindow::onCommand(int commandId)
{
    for (CommandRow const& row : kCommands) {
        if (row.command == commandId) {
            row.action(*this);
            return true;
        }
    }
    return false;
}

void AppWindow::onTimer()
{
    if (isReadyForRedraw())
        host.invalidate();
}
