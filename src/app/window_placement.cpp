#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

WindowRect spanOf(std::span<WindowRect const> areas)
{
    WindowRect all = areas.front();
    for (WindowRect const& area : areas) {
        all.left = std::min(all.left, area.left);
        all.top = std::min(all.top, area.top);
        all.right = std::max(all.right, area.right);
        all.bottom = std::max(all.bottom, area.bottom);
    }
    return all;
}

// Length of [from, from + length) inside [low, high); 64-bit, as saved
// values may lie anywhere in the int range.
std::int64_t overlap(std::int64_t from, std::int64_t length, std::int64_t low, std::int64_t high)
{
    return std::max<std::int64_t>(0, std::min(from + length, high) - std::max(from, low));
}

bool showsUsablePart(int x, int y, int width, int height, WindowRect const& area)
{
    std::int64_t const visibleWidth = overlap(x, width, area.left, area.right);
    std::int64_t const visibleHeight = overlap(y, height, area.top, area.bottom);
    return visibleWidth >= std::min(width, kUsableWidth) && visibleHeight >= std::min(height, kUsableHeight);
}

} // namespace

WindowGeometry placeOnScreens(WindowGeometry const& saved, std::span<WindowRect const> workAreas)
{
    if (workAreas.empty())
        return saved;
    WindowGeometry placed = saved;
    WindowRect const all = spanOf(workAreas);
    bool const sizeGiven = saved.width != kUseDefaultPosition;
    if (sizeGiven) {
        placed.width = std::min(placed.width, all.right - all.left);
        placed.height = std::min(placed.height, all.bottom - all.top);
    }
    if (saved.x == kUseDefaultPosition)
        return placed;
    // A window of the system's default size, or of no size at all, is as
    // large as its usable part at least.
    int const width = sizeGiven ? std::max(placed.width, kUsableWidth) : kUsableWidth;
    int const height = sizeGiven ? std::max(placed.height, kUsableHeight) : kUsableHeight;
    bool const shows = std::any_of(workAreas.begin(), workAreas.end(),
        [&](WindowRect const& area) { return showsUsablePart(placed.x, placed.y, width, height, area); });
    if (!shows) {
        placed.x = workAreas.front().left;
        placed.y = workAreas.front().top;
    }
    return placed;
}
