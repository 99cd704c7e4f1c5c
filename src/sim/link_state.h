#pragma once

#include <string>

// The display's view of the simulator link: whether it is open, how many
// connection attempts have failed, and the text of the last failure.
struct LinkState {
    static constexpr int kMaxAttempts = 20;

    bool connected = false;
    int connectionAttempts = 0;
    std::string linkErrorText;
};
