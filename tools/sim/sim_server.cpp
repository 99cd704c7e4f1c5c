#include "sim_server.h"

#include "aircraft_encoder.h"
#include "request_block.h"

#include <iostream>

namespace {

constexpr std::uint32_t kServerVersionOffset = 0x3304;
constexpr std::uint32_t kSimulatorVersionOffset = 0x3308;

// Scenario values are refreshed at most this often; a batch in between sees
// the same moment, as from a simulator running its own frames.
constexpr auto kScenarioStep = std::chrono::milliseconds(10);

template <typename T>
std::span<std::byte const> bytesOf(T const& value)
{
    return std::as_bytes(std::span(&value, 1));
}

} // namespace

SimServer::SimServer(SimOptions const& options, std::optional<KeyframeScenario> scenario, LiveSource* live,
    ScenarioRecorder* recorder)
    : scenario(std::move(scenario))
    , live(live)
    , recorder(recorder)
    , faults(options.faults)
    , startAt(options.startAt)
    , timeScale(options.timeScale)
    , secondsPerExchange(options.secondsPerExchange)
{
    // The versions are read-only: a client writes its own version into the
    // upper half of 0x3308.
    std::uint32_t const serverVersion = faults.badVersion ? kBadServerVersion : kServerVersion;
    space.pin(kServerVersionOffset, bytesOf(serverVersion));
    space.pin(kSimulatorVersionOffset, bytesOf(kSimulatorVersion));
    for (PinnedValue const& pin : options.pins)
        space.pin(pin.offset, pin.bytes);
    advanceScenario();
}

void SimServer::advanceScenario()
{
    if (!live && !scenario)
        return;
    Clock::time_point const now = Clock::now();
    if (!live && !secondsPerExchange && lastAdvance && now - *lastAdvance < kScenarioStep)
        return;
    lastAdvance = now;
    double const seconds = scenarioSeconds(now);
    AircraftState state = live ? live->latest() : scenario->stateAt(seconds);
    if (recorder)
        state = ScenarioRecorder::rounded(state);
    encodeAircraft(state, space);
    if (recorder && !recorder->record(seconds, state)) {
        std::cerr << "The recording file can no longer be written; recording stopped, serving goes on.\n";
        recorder = nullptr;
    }
}

// The first exchange sees the starting moment, each later one the next step.
double SimServer::scenarioSeconds(Clock::time_point now) const
{
    if (secondsPerExchange)
        return startAt + *secondsPerExchange * static_cast<double>(exchanges > 0 ? exchanges - 1 : 0);
    return startAt + timeScale * std::chrono::duration<double>(now - started).count();
}

std::optional<std::uint32_t> SimServer::answer(std::span<std::byte> block)
{
    bool const faulty = ++exchanges > faults.faultsAfter;
    if (faulty && faults.noAnswer)
        return std::nullopt;
    advanceScenario();
    if (!serveRequestBlock(block, space))
        return kNotProcessed;
    if (!faulty)
        return kProcessed;
    corruptLastRead(block, faults.corruption);
    return faults.reply.value_or(kProcessed);
}
