#pragma once

#include <chrono>
#include <string>

typedef struct _XDisplay Display;

// Watches an X screen through the DAMAGE extension and counts its updates:
// drawing anywhere on the screen, grouped into bursts, so that the several
// requests of one presented frame count once.
class ScreenUpdates {
public:
    using Clock = std::chrono::steady_clock;

    ScreenUpdates() = default;
    ~ScreenUpdates();
    ScreenUpdates(ScreenUpdates const&) = delete;
    ScreenUpdates& operator=(ScreenUpdates const&) = delete;

    // False, with error set to one sentence, when the display or its DAMAGE
    // extension cannot be had.
    bool open(std::string const& displayName, std::string& error);

    // Counts the bursts of damage until deadline; damage less than gap after
    // the last belongs to the same burst.
    long countUntil(Clock::time_point deadline, std::chrono::milliseconds gap);

private:
    Display* m_display = nullptr;
    unsigned long m_damage = 0;
    int m_eventBase = 0;
};
