#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// What the window's logic needs of a real window. The Windows host is a Win32
// window with its menu, dialogs and message loop; the Linux host is a GTK
// window; the snapshot mode uses a host without any window at all.

// The system's "use default" value for a window coordinate or size.
constexpr int kUseDefaultPosition = static_cast<int>(0x80000000u);

// Where a minimised window reports its top-left corner, on every platform as
// Windows itself does: such a place is never the window's own.
constexpr int kMinimisedPosition = -32000;

// Window styles of the border toggle.
namespace WindowStyle {
constexpr std::uint32_t Popup = 0x80000000u;
constexpr std::uint32_t Bordered = 0x00CF0000u; // caption, system menu, sizing frame, min/max boxes
constexpr std::uint32_t BorderOnly = 0x80880000u; // popup, thin border, system menu
}

// Position and size of the whole window, frame included, as saved in the
// user profile; kUseDefaultPosition in x or width lets the system choose.
struct WindowGeometry {
    int x = kUseDefaultPosition;
    int y = 0;
    int width = kUseDefaultPosition;
    int height = 0;
};

// The window rectangle in screen pixels, frame included.
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ClientSize {
    int width = 0;
    int height = 0;
};

enum class MessageIcon { Information, Warning, Error };

// The Refresh Rate dialog's range of redraw periods, in ms: 0 (as fast as
// the loop turns) to this.
constexpr int kSlowestRefreshPeriodMs = 500;

// Timer-paced blocking loop, or a polling loop that paints after every pass.
enum class LoopMode { Blocking, Polling };

// What the window tells its owner. Keys arrive as virtual-key codes (the
// upper-case letter for a letter key), with no regard to modifiers.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void onCreate() = 0; // during create, before the window is shown
    virtual void onDestroy() = 0;
    virtual void onPaint() = 0; // also once per pass of the polling loop
    virtual void onKeyDown(int virtualKey) = 0;
    // False when the command is not one of the window's (default processing).
    virtual bool onCommand(int commandId) = 0;
    virtual void onTimer() = 0;
};

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // Creates the window with the bordered style and the menu bar; delivers
    // onCreate before returning. False when the window cannot be made.
    virtual bool create(WindowGeometry const&, std::string_view title, WindowEvents&) = 0;
    virtual void show() = 0;
    virtual void destroy() = 0; // delivers onDestroy

    virtual WindowRect windowRect() const = 0;
    virtual ClientSize clientSize() const = 0;
    // The work area of each monitor in screen pixels, the primary one first.
    virtual std::vector<WindowRect> monitorWorkAreas() const = 0;

    virtual std::uint32_t style() const = 0;
    // Replaces the whole style, keeps position and size, shows the window
    // with its frame recomputed, on top of the z-order.
    virtual void setStyle(std::uint32_t style) = 0;
    virtual void setTopmost(bool topmost) = 0;

    // The menu bar comes and goes; the window keeps the menu meanwhile, and
    // check marks set while it is detached show when it comes back.
    virtual void detachMenu() = 0;
    virtual void attachMenu() = 0;
    virtual void checkMenuItem(int commandId, bool checked) = 0;

    // Returns the timer's identifier, 0 when none could be started.
    virtual int startTimer(int periodMs) = 0;
    virtual void stopTimer(int timerId) = 0;
    // Asks for a repaint (no erase, no immediate update).
    virtual void invalidate() = 0;

    virtual void showMessageBox(std::string_view text, std::string_view caption, MessageIcon) = 0;
    // The modal Refresh Rate dialog with its slider (0 ... 500 ms, tick at
    // 100) at the given position: the slider position on OK, nothing on Cancel.
    virtual std::optional<int> runRefreshRateDialog(int position) = 0;
    virtual void showAboutBox() = 0;

    // Posted by onDestroy's handling: the loop ends with this exit code.
    virtual void quit(int exitCode) = 0;
    // Runs until quit; returns the exit code.
    virtual int runLoop(LoopMode) = 0;
};
