#pragma once

#include <chrono>
#include <optional>
#include <string>

// The display's view of the simulator link: whether it is open, how many
// connection attempts have failed, the text of the last failure (of an
// attempt, or of the exchange that lost the link), and when the next attempt
// is due.
struct LinkState {
    static constexpr int kMaxAttempts = 20;

    bool connected = false;
    int connectionAttempts = 0;
    std::string linkErrorText;
    // None: the next frame tries at once.
    std::optional<std::chrono::steady_clock::time_point> nextAttemptAt;
};
