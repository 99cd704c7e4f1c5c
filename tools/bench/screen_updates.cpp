#include "screen_updates.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

ScreenUpdates::~ScreenUpdates()
{
    if (!m_display)
        return;
    if (m_damage)
        XDamageDestroy(m_display, m_damage);
    XCloseDisplay(m_display);
}

bool ScreenUpdates::open(std::string const& displayName, std::string& error)
{
    m_display = XOpenDisplay(displayName.c_str());
    if (!m_display) {
        error = "Cannot open the X display " + displayName + ".";
        return false;
    }
    int errorBase = 0;
    if (!XDamageQueryExtension(m_display, &m_eventBase, &errorBase)) {
        error = "The X display " + displayName + " has no DAMAGE extension to count frames with.";
        return false;
    }
    // Damage to the root window includes the drawing in every window on it.
    m_damage = XDamageCreate(m_display, DefaultRootWindow(m_display), XDamageReportNonEmpty);
    XFlush(m_display);
    return true;
}

long ScreenUpdates::countUntil(Clock::time_point deadline, std::chrono::milliseconds gap)
{
    long bursts = 0;
    Clock::time_point lastDamage = Clock::time_point::min();
    for (;;) {
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type != m_eventBase + XDamageNotify)
                continue;
            // Report the next drawing again.
            XDamageSubtract(m_display, m_damage, None, None);
            Clock::time_point const now = Clock::now();
            if (lastDamage == Clock::time_point::min() || now - lastDamage > gap)
                ++bursts;
            lastDamage = now;
        }
        Clock::time_point const now = Clock::now();
        if (now >= deadline)
            return bursts;
        pollfd connection { ConnectionNumber(m_display), POLLIN, 0 };
        auto const wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        poll(&connection, 1, static_cast<int>(wait));
    }
}
