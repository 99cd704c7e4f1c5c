#include "sim_server.h"

#include "aircraft_encoder.h"
#include "named_value_encoder.h"
#include "request_block.h"

#include <algorithm>
#include <iostream>

namespace {

constexpr std::uint32_t kServerVersionOffset = 0x3304;
constexpr std::uint32_t kSimulatorVersionOffset = 0x3308;

// Scenario values are refreshed at most this often; a batch in between sees
// the same moment, as from a simulator running its own frames.
constexpr auto kScenarioStep = std::chrono::milliseconds(10);
// A live source is looked at this often between exchanges, so that its
// silence reaches the display soon.
constexpr auto kLiveTick = std::chrono::milliseconds(100);
// Ticks come this many times per recorded moment, so that moments fall close
// to the record rate.
constexpr double kTicksPerMoment = 4;

template <typename T>
std::span<std::byte const> bytesOf(T const& value)
{
    return std::as_bytes(std::span(&value, 1));
}

} // namespace

SimServer::SimServer(SimOptions const& options, std::optional<KeyframeScenario> scenario, LiveSource* live,
    ScenarioRecorder* recorder, Clock::time_point started)
    : scenario(std::move(scenario))
    , live(live)
    , recorder(recorder)
    , faults(options.faults)
    , startAt(options.startAt)
    , timeScale(options.timeScale)
    , secondsPerExchange(options.secondsPerExchange)
    , recordRate(options.recordRate)
    , aircraftSources(options.aircraft)
    , started(started)
{
    // The versions are read-only: a client writes its own version into the
    // upper half of 0x3308.
    std::uint32_t const serverVersion = faults.badVersion ? kBadServerVersion : kServerVersion;
    space.pin(kServerVersionOffset, bytesOf(serverVersion));
    space.pin(kSimulatorVersionOffset, bytesOf(kSimulatorVersion));
    for (PinnedValue const& pin : options.pins)
        space.pin(pin.offset, pin.bytes);
    advanceScenario(started);
}

void SimServer::advanceScenario(Clock::time_point now)
{
    if (!live && !scenario)
        return;
    if (!live && !secondsPerExchange && lastAdvance && now - *lastAdvance < kScenarioStep)
        return;
    lastAdvance = now;
    double const seconds = scenarioSeconds(now);
    AircraftState state;
    if (live) {
        LiveReading reading = live->latest();
        bool const resumed = !waitingLine.empty() && reading.waiting.empty() && everServed;
        waitingLine = std::move(reading.waiting);
        // The offsets keep what was last true, and the recording skips the gap.
        if (!waitingLine.empty())
            return;
        if (resumed && recorder)
            recorder->resumeAfterGap(seconds);
        state = reading.aircraft;
    } else {
        state = scenario->stateAt(seconds);
    }
    everServed = true;
    if (recorder)
        state = ScenarioRecorder::rounded(state);
    encodeAircraft(state, space);
    encodeNamedValues(state, aircraftSources, space);
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

void SimServer::tick(Clock::time_point now)
{
    advanceScenario(now);
}

std::optional<std::chrono::milliseconds> SimServer::tickPeriod() const
{
    std::optional<std::chrono::milliseconds> period;
    if (live)
        period = kLiveTick;
    // The exchange clock moves with the client alone.
    if (recorder && (live || !secondsPerExchange)) {
        auto const perMoment = std::chrono::duration<double, std::milli>(1000 / (recordRate * timeScale * kTicksPerMoment));
        auto const wanted = std::clamp(std::chrono::duration_cast<std::chrono::milliseconds>(perMoment),
            std::chrono::milliseconds(kScenarioStep), std::chrono::milliseconds(kLiveTick));
        period = period ? std::min(*period, wanted) : wanted;
    }
    return period;
}

void SimServer::stop(Clock::time_point now)
{
    // A failed write shows in the recorder's own finish, which main reports.
    if (recorder)
        recorder->finish(scenarioSeconds(now));
    recorder = nullptr;
}

std::optional<std::uint32_t> SimServer::answer(std::span<std::byte> block)
{
    bool const faulty = ++exchanges > faults.faultsAfter;
    if (faulty && faults.noAnswer)
        return std::nullopt;
    advanceScenario(Clock::now());
    if (!waitingLine.empty())
        return kNotProcessed;
    if (!serveRequestBlock(block, space))
        return kNotProcessed;
    if (!faulty)
        return kProcessed;
    corruptLastRead(block, faults.corruption);
    return faults.reply.value_or(kProcessed);
}
