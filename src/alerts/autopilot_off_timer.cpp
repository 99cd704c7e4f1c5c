#include "alerts/autopilot_off_timer.h"

void AutopilotOffTimer::update(bool engaged, double simTime)
{
    if (engaged != m_previousEngaged && !engaged) {
        m_latched = true;
        m_offTime = simTime;
    }
    if (engaged || simTime > m_offTime + kShowSeconds) {
        m_latched = false;
        m_offTime = 0;
    }
    m_previousEngaged = engaged;
}
