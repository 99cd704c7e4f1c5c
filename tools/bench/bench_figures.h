#pragma once

#include <vector>

// The median and the 99th percentile (nearest rank) of a sample; zeros for an
// empty one.
struct Spread {
    double median = 0;
    double p99 = 0;
};

Spread spreadOf(std::vector<double> samples);
