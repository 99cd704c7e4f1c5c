#pragma once

#include "aircraft_state.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Writes the moments a server serves as a keyframe scenario that plays them
// back: one line per moment that changed anything, at most `rate` moments per
// scenario second, naming only the values that changed. Each line is flushed
// as soon as it is complete, so a crash loses at most the last moment.
//
// A line is written when the next moment is taken, so that a smooth value
// starting to move after a rest can first be held at the moment before:
// played back, it then stays put until it really moved instead of creeping
// from its last keyframe.
class ScenarioRecorder {
public:
    ScenarioRecorder(std::ostream& out, double rate);
    ~ScenarioRecorder();

    ScenarioRecorder(ScenarioRecorder const&) = delete;
    ScenarioRecorder& operator=(ScenarioRecorder const&) = delete;

    // The aircraft with each value kept to the places a recording keeps. A
    // server that records serves this, so that the replay serves exactly what
    // the display was shown.
    static AircraftState rounded(AircraftState state);

    // Takes the aircraft as served (rounded, above) at scenario time seconds,
    // unless the last moment taken is less than 1/rate seconds before. False
    // once a line cannot be written.
    bool record(double seconds, AircraftState const& state);

    // The source was silent from the last moment taken until seconds: the
    // values last taken hold through the gap (played back they stay put
    // instead of sliding to the next values), and the next moment is taken
    // whatever the rate.
    void resumeAfterGap(double seconds);

    // Takes the last moment skipped for being too soon, so that the recording
    // ends as the display last saw it, and writes the moment still held back.
    // With stoppedAt later than that, a last line holds that time alone, so
    // the recording lasts until it was stopped even if nothing changed. False
    // if any line could not be written.
    bool finish(std::optional<double> stoppedAt = std::nullopt);

private:
    struct Column {
        std::string name;
        bool smooth;
        double value = 0; // as last written
        double writtenAt = 0;
        bool written = false;
    };
    struct Change {
        std::size_t column;
        double value;
    };

    void takeMoment(double seconds, std::vector<double> const& values);
    void writeLine(double seconds, std::vector<Change> const& changes);

    std::ostream& out;
    double interval;
    std::vector<Column> columns;
    bool started = false;
    double lastMoment = 0;
    std::vector<Change> heldBack; // the changes at lastMoment, not yet written
    std::optional<std::pair<double, AircraftState>> skipped; // the last moment too soon to take
    bool afterGap = false; // the next moment is taken at once
};
