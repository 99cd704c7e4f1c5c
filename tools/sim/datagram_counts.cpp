#include "datagram_counts.h"

std::string summaryOf(DatagramCounts const& counts, std::string_view simulator)
{
    return std::string(simulator) + " datagrams: " + std::to_string(counts.used) + " used, "
        + std::to_string(counts.foreign) + " from other hosts, " + std::to_string(counts.truncated) + " truncated, "
        + std::to_string(counts.oversized) + " oversized, " + std::to_string(counts.garbage) + " garbage; "
        + std::to_string(counts.refusedValues) + " values refused.";
}
