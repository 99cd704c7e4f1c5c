#pragma once

#include <optional>

// Small clocks on simulator time for conditions that count only after they
// have lasted a while, or that leave a trace for a while after they end.

// True once the condition has held, without a break, for at least the given
// seconds.
class HeldCondition {
public:
    bool update(bool condition, double simTime, double seconds)
    {
        if (!condition) {
            m_since.reset();
            return false;
        }
        if (!m_since)
            m_since = simTime;
        return simTime - *m_since >= seconds;
    }

private:
    std::optional<double> m_since;
};

// True for the given seconds after the condition goes from true to false;
// a condition already false at the first update never counts as going off.
class AfterSwitchOff {
public:
    bool update(bool condition, double simTime, double seconds)
    {
        if (condition) {
            m_offAt.reset();
        } else if (m_wasOn) {
            m_offAt = simTime;
        }
        m_wasOn = condition;
        return m_offAt && simTime - *m_offAt <= seconds;
    }

private:
    bool m_wasOn = false;
    std::optional<double> m_offAt;
};

// How long the condition has held without a break, for what flashes or
// pulses from the moment it began; none while it does not hold. A simulator
// time that goes back (a new flight, a replay from its start), or is not a
// number, starts the count again.
class ConditionAge {
public:
    std::optional<double> update(bool condition, double simTime)
    {
        if (!condition || (m_since && !(simTime >= *m_since)))
            m_since.reset();
        if (!condition)
            return std::nullopt;
        if (!m_since)
            m_since = simTime;
        return simTime - *m_since;
    }

private:
    std::optional<double> m_since;
};
