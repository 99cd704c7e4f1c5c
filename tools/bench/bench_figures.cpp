#include "bench_figures.h"

#include <algorithm>
#include <cmath>

Spread spreadOf(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    std::size_t const n = samples.size();
    double const median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    auto const rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(n)));
    return { median, samples[std::max<std::size_t>(rank, 1) - 1] };
}
