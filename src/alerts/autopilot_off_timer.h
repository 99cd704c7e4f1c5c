#pragma once

// Keeps "A/P OFF" up after the autopilot disengages, until more than five
// seconds of simulator time have passed or the autopilot engages again. The
// previous state starts as engaged, so an autopilot that reads off from the
// start counts as a disengagement.
class AutopilotOffTimer {
public:
    static constexpr double kShowSeconds = 5.0;

    void update(bool engaged, double simTime);
    bool showing() const { return m_latched; }

private:
    bool m_previousEngaged = true;
    bool m_latched = false;
    double m_offTime = 0;
};
