#include "sim/exchange_watch.h"

void ExchangeWatch::linkOpened()
{
    anyExchanged = false;
    failuresInRow = 0;
}

bool ExchangeWatch::linkLost(bool exchanged, FsuipcResult result)
{
    if (exchanged) {
        anyExchanged = true;
        failuresInRow = 0;
        return false;
    }
    switch (result) {
    case FsuipcResult::SendFailed:
        return true;
    case FsuipcResult::TimedOut:
    case FsuipcResult::BadData:
        ++failuresInRow;
        return !anyExchanged || failuresInRow >= kFailuresInRow;
    default:
        // Queuing faults (nothing sent) say nothing about the server.
        return false;
    }
}
