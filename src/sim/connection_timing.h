#pragma once

#include <chrono>
#include <functional>

// How often the display tries to open the link. The program uses these
// defaults; tests shorten the periods or bring a clock of their own, so that
// they never wait for them.
struct ConnectionTiming {
    using Clock = std::chrono::steady_clock;

    // Between attempts while the budget of attempts lasts.
    std::chrono::milliseconds attemptInterval { 1000 };
    // Between attempts once it is used up, so that a simulator started later
    // is still found.
    std::chrono::milliseconds slowRetryInterval { 10000 };
    std::function<Clock::time_point()> now = Clock::now;
};
