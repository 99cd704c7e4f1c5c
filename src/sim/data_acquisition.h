#pragma once

#include "sim/aircraft_reads.h"
#include "sim/connection_timing.h"
#include "sim/exchange_watch.h"
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
// The named values (aircraft_values.h) travel in the same exchange, from the
// standard offsets or where an aircraft file says.
//
// Engine count and fuel weight are read once per connection; they are asked
// again every cycle until they read as a real aircraft's (one engine or more,
// a non-zero fuel weight), since a simulator still loading answers zeros. At
// most the first four engines are stored and read.
//
// A link whose server is gone is closed and the data cleared, so the page
// goes back to the not-connected screen instead of holding the last values;
// attempts to open it again then resume by themselves.
class DataAcquisition {
public:
    DataAcquisition(FsuipcLink& link, SimData& data, ConnectionTiming timing = {});

    // The connection step, then, when connected, the read cycle.
    void acquire(LinkState& state);

    // Opens the link unless it is open or the next attempt is not yet due.
    // A failure keeps its text and counts the attempt; attempts come one per
    // attempt interval until kMaxAttempts have failed, then one per slow retry
    // interval.
    void connect(LinkState& state);

    // Queues every read of the frame, exchanges them in one batch and derives
    // the engineering values. A failed exchange leaves the values as they
    // were, unless it shows the server gone: then the link is dropped.
    void readCycle(LinkState& state);

    void setCeprMapping(double n1Idle, double n1Max, double eprMin, double eprMax);
    CeprMapping const& ceprMapping() const { return cepr; }

    // Reads the named values where these sources say (the standard offsets
    // until this is called).
    void setAircraftSources(AircraftSources const& sources);

private:
    void queueReads();
    void takeOneTimeReads();
    void dropLink(LinkState& state, FsuipcResult reason);

    FsuipcLink& link;
    SimData& data;
    ConnectionTiming timing;
    ExchangeWatch exchangeWatch;
    CeprMapping cepr;
    AircraftReads aircraftReads;
    bool oneTimeReadsPending = true;
};
