#include "ewd/nearest_layout_key.h"

#include "config/ascii_text.h"
#include "config/nearest_name.h"

#include "ewd/layout_keys.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

// How often each character (case ignored, folded into 64 classes) occurs.
using CharacterCounts = std::array<int, 64>;

CharacterCounts characterCounts(std::string_view text)
{
    CharacterCounts counts {};
    for (char c : text)
        ++counts[static_cast<unsigned char>(toAsciiUpper(c)) % counts.size()];
    return counts;
}

// A lower bound of the edit distance that is quick to take: each edit adds
// or removes at most one character of each count.
std::size_t countDistance(CharacterCounts const& a, CharacterCounts const& b)
{
    int more = 0;
    int fewer = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int const gap = a[i] - b[i];
        (gap > 0 ? more : fewer) += std::abs(gap);
    }
    return static_cast<std::size_t>(std::max(more, fewer));
}

// No key is this long; a longer name is no typing slip.
constexpr std::size_t kLongestSuggestible = 64;

}

std::string nearestLayoutKey(std::string_view name)
{
    static std::vector<CharacterCounts> const keyCounts = [] {
        std::vector<CharacterCounts> counts;
        for (LayoutKey const& key : layoutKeys())
            counts.push_back(characterCounts(key.name));
        return counts;
    }();
    std::string best;
    std::size_t bestDistance = suggestionBound(name);
    CharacterCounts const nameCounts = characterCounts(name);
    std::span<LayoutKey const> const keys = layoutKeys();
    for (std::size_t k = 0; k < keys.size() && name.size() <= kLongestSuggestible; ++k) {
        LayoutKey const& key = keys[k];
        // Two quick lower bounds of the distance first: the lengths, the counts.
        std::size_t const lengthGap = name.size() > key.name.size() ? name.size() - key.name.size() : key.name.size() - name.size();
        if (lengthGap >= bestDistance || countDistance(nameCounts, keyCounts[k]) >= bestDistance)
            continue;
        std::size_t const d = editDistanceIgnoringCase(name, key.name, bestDistance);
        if (d < bestDistance) {
            bestDistance = d;
            best = key.name;
        }
    }
    return best;
}
