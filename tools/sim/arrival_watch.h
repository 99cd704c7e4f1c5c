#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Names, once each, the aircraft file's datarefs or properties a simulator
// never sends while it sends everything else: a misspelt name, or one the
// aircraft does not publish. Such a value stays not available in the
// stand-in; the message says which line of the file to look at. The
// instances of one field (one line) count as one: any of them arriving
// shows the name is right, and the message names the first.
class ArrivalWatch {
public:
    using Clock = std::chrono::steady_clock;

    struct Watched {
        int line = 0; // of the aircraft file
        std::string name; // the dataref or property
    };

    // kind is "dataref" or "property"; advice ends each message, saying what
    // to check on that simulator's side.
    ArrivalWatch(std::string file, std::string kind, std::string advice, std::vector<Watched> watched,
        std::chrono::milliseconds patience);

    // The watched entry at index delivered a value.
    void arrived(std::size_t index);
    // The simulator sent a datagram of values at now: the patience runs from
    // the first. Returns the messages due now, each "FILE:LINE: ..." once
    // over the watch's life.
    std::vector<std::string> heard(Clock::time_point now);

private:
    std::string file;
    std::string kind;
    std::string advice;
    std::vector<Watched> watched;
    std::vector<bool> settled; // arrived, or already named, by line
    std::chrono::milliseconds patience;
    std::optional<Clock::time_point> firstHeard; // until the simulator speaks, none
};
