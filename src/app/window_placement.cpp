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
    WindowGeometry placed = saved;
    bool const sizeGiven = saved.width != kUseDefaultPosition;
    WindowRect const all = workAreas.empty() ? WindowRect { 0, 0, kMaxWindowSide, kMaxWindowSide } : spanOf(workAreas);
    int const widest = std::min(all.right - all.left, kMaxWindowSide);
    int const tallest = std::min(all.bottom - all.top, kMaxWindowSide);
    if (saved.x != kUseDefaultPosition && !workAreas.empty()) {
        // A window of the system's default size is as large as its usable
        // part at least; any other has a pixel at least.
        int const width = sizeGiven ? std::clamp(saved.width, 1, std::max(widest, 1)) : kUsableWidth;
        int const height = sizeGiven ? std::clamp(saved.height, 1, std::max(tallest, 1)) : kUsableHeight;
        bool const shows = std::any_of(workAreas.begin(), workAreas.end(),
            [&](WindowRect const& area) { return showsUsablePart(saved.x, saved.y, width, height, area); });
        if (!shows) {
            placed.x = workAreas.front().left;
            placed.y = workAreas.front().top;
        }
    }
    if (sizeGiven) {
        placed.width = std::max(std::min(saved.width, widest), kUsableWidth);
        placed.height = std::max(std::min(saved.height, tallest), kUsableHeight);
    }
    return placed;
}
