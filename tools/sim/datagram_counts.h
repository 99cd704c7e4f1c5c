#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What became of the datagrams a source received.
struct DatagramCounts {
    std::uint64_t used = 0;
    std::uint64_t foreign = 0; // from a host other than the simulator's
    std::uint64_t truncated = 0;
    std::uint64_t oversized = 0;
    std::uint64_t garbage = 0;
    std::uint64_t refusedValues = 0; // not finite, or for no field, inside used datagrams
};

// One sentence for stderr at exit.
std::string summaryOf(DatagramCounts const& counts, std::string_view simulator);
