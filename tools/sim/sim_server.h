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

    // Without a scenario every offset but the versions and pins stays zero.
    // A live source, when given, moves the offsets instead of a scenario and
    // must outlive the server. So must a recorder, when given: it is handed
    // every moment served, with its scenario time.
    SimServer(SimOptions const& options, std::optional<KeyframeScenario> scenario, LiveSource* live = nullptr,
        ScenarioRecorder* recorder = nullptr);

    // Serves the requests of one block in place. The value to answer, or none
    // when the server is to stay silent.
    std::optional<std::uint32_t> answer(std::span<std::byte> block);

private:
    using Clock = std::chrono::steady_clock;

    void advanceScenario();
    double scenarioSeconds(Clock::time_point now) const;

    OffsetSpace space;
    std::optional<KeyframeScenario> scenario;
    LiveSource* live;
    ScenarioRecorder* recorder;
    FaultOptions faults;
    double startAt;
    double timeScale;
    std::optional<double> secondsPerExchange;
    Clock::time_point started = Clock::now();
    std::optional<Clock::time_point> lastAdvance;
    std::uint64_t exchanges = 0;
};
