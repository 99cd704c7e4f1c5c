#pragma once

#include "keyframe_scenario.h"
#include "live_source.h"
#include "offset_space.h"
#include "scenario_recorder.h"
#include "sim_options.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The simulator stand-in, whatever carries its requests: the offset space
// with its versions and pinned values, the scenario that moves it, and the
// faults it was asked to commit. Both platform front ends hand it each
// request block.
class SimServer {
public:
    static constexpr std::uint32_t kServerVersion = 0x49740000;
    static constexpr std::uint32_t kBadServerVersion = 0x19980004;
    static constexpr std::uint32_t kSimulatorVersion = 0xFADE0008;
    static constexpr std::uint32_t kProcessed = 1;
    static constexpr std::uint32_t kNotProcessed = 0;

    using Clock = std::chrono::steady_clock;

    // Without a scenario every offset but the versions and pins stays zero.
    // A live source, when given, moves the offsets instead of a scenario and
    // must outlive the server. So must a recorder, when given: it is handed
    // every moment served, with its scenario time, and the moments between
    // exchanges that tick brings. Scenario time counts from started.
    SimServer(SimOptions const& options, std::optional<KeyframeScenario> scenario, LiveSource* live = nullptr,
        ScenarioRecorder* recorder = nullptr, Clock::time_point started = Clock::now());

    // Serves the requests of one block in place. The value to answer, or none
    // when the server is to stay silent. While waiting (below) the block is
    // not served: it answers "not processed".
    std::optional<std::uint32_t> answer(std::span<std::byte> block);

    // Moves the flight to now with no client asking, so that a recording
    // follows the flight at its own rate and a live source's silence is seen.
    void tick(Clock::time_point now);
    // How often tick is wanted; none when nothing moves between exchanges.
    std::optional<std::chrono::milliseconds> tickPeriod() const;

    // Why nothing true can be served now (the live source's line), or empty.
    // Front ends then take no exchange and tell clients this line instead.
    std::string const& waiting() const { return waitingLine; }

    // Ends the recording at now: it lasts until the moment it was stopped.
    void stop(Clock::time_point now);

private:
    void advanceScenario(Clock::time_point now);
    double scenarioSeconds(Clock::time_point now) const;

    OffsetSpace space;
    std::optional<KeyframeScenario> scenario;
    LiveSource* live;
    ScenarioRecorder* recorder;
    FaultOptions faults;
    double startAt;
    double timeScale;
    std::optional<double> secondsPerExchange;
    double recordRate;
    AircraftSources aircraftSources;
    Clock::time_point started;
    std::optional<Clock::time_point> lastAdvance;
    std::string waitingLine;
    bool everServed = false;
    std::uint64_t exchanges = 0;
};
