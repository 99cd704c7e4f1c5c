#pragma once

#include "datagram_counts.h"

// A simulator that sends its aircraft over UDP.
class SimulatorSource {
public:
    virtual ~SimulatorSource() = default;

    // Listens and fills the aircraft until the descriptor stop becomes
    // readable. A simulator that falls silent is waited for, never given up.
    virtual void run(int stop) = 0;
    // Takes leave of the simulator, after run.
    virtual void finish() = 0;
    virtual DatagramCounts counts() const = 0;
};
