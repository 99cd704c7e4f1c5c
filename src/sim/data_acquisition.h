#pragma once

#include "sim/fsuipc_link.h"
#include "sim/link_state.h"
#include "sim/sim_data.h"
#include "sim/sim_derivation.h"

// Keeps the simulator link up and refreshes SimData once per frame. The
// display object owns the link, the data and this object, and calls
// acquire() before every draw:
//
//     FsuipcLink link(transport);
//     SimData simData;
//     DataAcquisition acquisition(link, simData);
//     ...
//     acquisition.acquire(linkState); // each frame
//
// Engine count and fuel weight are read once; they are asked again every
// cycle until an exchange carrying them succeeds. At most the first four
// engines are stored and read.
class DataAcquisition {
public:
    DataAcquisition(FsuipcLink& link, SimData& data);

    // The connection step, then, when connected, the read cycle.
    void acquire(LinkState& state);

    // Opens the link unless it is open or the attempts are used up; a failure
    // keeps its text and counts the attempt.
    void connect(LinkState& state);

    // Queues every read of the frame, exchanges them in one batch and derives
    // the engineering values. A failed exchange leaves the values as they were.
    void readCycle();

    void setCeprMapping(double n1Idle, double n1Max, double eprMin, double eprMax);

private:
    void queueReads();
    void takeOneTimeReads();

    FsuipcLink& link;
    SimData& data;
    CeprMapping cepr;
    bool oneTimeReadsPending = true;
};
