#pragma once

#include "sim/fsuipc_result.h"

// Tells from the outcome of each exchange whether the server is gone, so that
// the display stops showing values that no longer move.
//
// A batch whose every send failed with a system error means the server's
// window or socket no longer exists: the link is lost at once. A silent server
// or a garbled answer may be a passing hitch, so only a second such exchange
// in a row loses the link, unless no exchange has succeeded since it opened
// (then there are no good values to hold).
class ExchangeWatch {
public:
    static constexpr int kFailuresInRow = 2;

    // Starts afresh on a newly opened link.
    void linkOpened();
    // True when the link is to be given up after this exchange.
    bool linkLost(bool exchanged, FsuipcResult result);

private:
    bool anyExchanged = false;
    int failuresInRow = 0;
};
