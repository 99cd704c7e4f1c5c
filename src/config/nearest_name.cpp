#include "config/nearest_name.h"

#include "config/ascii_text.h"

#include <algorithm>
#include <vector>

std::size_t editDistanceIgnoringCase(std::string_view a, std::string_view b, std::size_t limit)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t rowBest = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            bool const same = toAsciiUpper(a[i - 1]) == toAsciiUpper(b[j - 1]);
            std::size_t const next = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1) });
            diagonal = row[j];
            row[j] = next;
            rowBest = std::min(rowBest, next);
        }
        if (rowBest >= limit)
            return limit;
    }
    return std::min(row[b.size()], limit);
}

std::size_t suggestionBound(std::string_view name)
{
    return std::max<std::size_t>(2, name.size() / 4) + 1;
}

std::string nearestName(std::string_view name, std::span<std::string_view const> candidates)
{
    std::string best;
    std::size_t bestDistance = suggestionBound(name);
    for (std::string_view candidate : candidates) {
        std::size_t const d = editDistanceIgnoringCase(name, candidate, bestDistance);
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    }
    return best;
}
