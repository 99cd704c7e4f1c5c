#pragma once

#include <chrono>
#include <optional>
#include <string>

// The display's view of the simulator link: whether it is open, how many
// connection attempts have failed, the text of the last failure (of an
// attempt, or of the exchange that lost the link), when the next attempt is
// due and how long the wait before it was.
struct LinkState {
    static constexpr int kMaxAttempts = 20;

    bool connected = false;
    int connectionAttempts = 0;
    std::string linkErrorText;
    // When no server answered the last attempt: the platform's line saying
    // where it looked and what to start, or why the server it found is not
    // serving. Empty where the platform has nothing to add.
    std::string noServerHelp;
    // None: the next frame tries at once.
    std::optional<std::chrono::steady_clock::time_point> nextAttemptAt;
    std::chrono::milliseconds retryInterval { 0 };
};
