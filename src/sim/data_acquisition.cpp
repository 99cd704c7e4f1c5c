#include "sim/data_acquisition.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace {

// One aircraft value: where it is served and which SimData field receives it.
struct FieldRead {
    std::uint32_t offset;
    std::uint32_t size;
    void* (*field)(SimData&);
};

template <auto Member>
consteval FieldRead fieldRead(std::uint32_t offset, std::uint32_t size)
{
    using Field = std::remove_reference_t<decltype(std::declval<SimData&>().*Member)>;
    if (size != sizeof(Field))
        throw "the size read must be the size of the field";
    return { offset, size, [](SimData& data) -> void* { return &(data.*Member); } };
}

// One per-engine value: engine i is served at base + stride * i.
struct EngineRead {
    std::uint32_t base;
    std::uint32_t stride;
    std::uint32_t size;
    void* (*field)(SimData&, int engine);
};

template <auto Member>
consteval EngineRead engineRead(std::uint32_t base, std::uint32_t stride, std::uint32_t size)
{
    using Field = std::remove_reference_t<decltype((std::declval<SimData&>().*Member)[0])>;
    if (size != sizeof(Field))
        throw "the size read must be the size of the field";
    return { base, stride, size, [](SimData& data, int engine) -> void* { return &(data.*Member)[engine]; } };
}

constexpr std::array kOneTimeReads = {
    fieldRead<&SimData::engineCount>(0x0AEC, 2),
    fieldRead<&SimData::fuelWeightRaw>(0x0AF4, 2),
};

constexpr FieldRead kSimTimeRead = fieldRead<&SimData::simTime>(0x0310, 8);

constexpr std::array kEngineReads = {
    engineRead<&SimData::n1Percent>(0x2000, 0x100, 8),
    engineRead<&SimData::n2Percent>(0x2008, 0x100, 8),
    engineRead<&SimData::epr>(0x2030, 0x100, 8),
    engineRead<&SimData::egtRaw>(0x08BE, 0x98, 2),
    engineRead<&SimData::fuelFlowPph>(0x0918, 0x98, 8),
    engineRead<&SimData::engineAntiIce>(0x08B2, 0x98, 2),
};

constexpr std::array kAircraftReads = {
    fieldRead<&SimData::engineFireFlags>(0x3366, 1),
    fieldRead<&SimData::autopilotMaster>(0x07BC, 4),
    fieldRead<&SimData::parkingBrake>(0x0BC8, 4),
    fieldRead<&SimData::pushbackState>(0x31F0, 4),
    fieldRead<&SimData::centreLevel>(0x0B74, 4),
    fieldRead<&SimData::centreCapacity>(0x0B78, 4),
    fieldRead<&SimData::leftMainLevel>(0x0B7C, 4),
    fieldRead<&SimData::leftMainCapacity>(0x0B80, 4),
    fieldRead<&SimData::leftAuxLevel>(0x0B84, 4),
    fieldRead<&SimData::leftAuxCapacity>(0x0B88, 4),
    fieldRead<&SimData::rightMainLevel>(0x0B94, 4),
    fieldRead<&SimData::rightMainCapacity>(0x0B98, 4),
    fieldRead<&SimData::rightAuxLevel>(0x0B9C, 4),
    fieldRead<&SimData::rightAuxCapacity>(0x0BA0, 4),
    fieldRead<&SimData::spoilersArmed>(0x0BCC, 4),
    fieldRead<&SimData::spoilerLeft>(0x0BD4, 4),
    fieldRead<&SimData::spoilerRight>(0x0BD8, 4),
    fieldRead<&SimData::flapsControl>(0x0BDC, 4),
    fieldRead<&SimData::onGround>(0x0366, 2),
    fieldRead<&SimData::exitsOpen>(0x3367, 1),
    fieldRead<&SimData::overspeed>(0x036D, 1),
    fieldRead<&SimData::autobrake>(0x2F80, 1),
    fieldRead<&SimData::structuralDeice>(0x337D, 1),
    fieldRead<&SimData::landingLights>(0x028C, 1),
    fieldRead<&SimData::lights>(0x0D0C, 2),
    fieldRead<&SimData::flapAngleRaw>(0x30F0, 2),
    fieldRead<&SimData::slatAngleRaw>(0x30F8, 2),
};

template <typename Reads>
constexpr std::uint32_t requestBytes(Reads const& reads, int times = 1)
{
    std::uint32_t bytes = 0;
    for (auto const& read : reads)
        bytes += 16 + read.size;
    return bytes * static_cast<std::uint32_t>(times);
}

// Every frame fits the request block whatever an aircraft file names, so no
// read is ever refused: the fixed reads at four engines, every named value
// at its widest, and the end-of-batch zero.
static_assert(requestBytes(kOneTimeReads) + 16 + kSimTimeRead.size + requestBytes(kEngineReads, SimData::kMaxEngines)
        + requestBytes(kAircraftReads) + AircraftReads::kMostRequestBytes + 4
    <= FsuipcLink::kRequestLimit);

} // namespace

DataAcquisition::DataAcquisition(FsuipcLink& link, SimData& data, ConnectionTiming timing)
    : link(link)
    , data(data)
    , timing(std::move(timing))
{
}

void DataAcquisition::acquire(LinkState& state)
{
    connect(state);
    if (state.connected)
        readCycle(state);
}

void DataAcquisition::connect(LinkState& state)
{
    if (state.connected)
        return;
    ConnectionTiming::Clock::time_point const now = timing.now();
    if (state.nextAttemptAt && now < *state.nextAttemptAt)
        return;
    FsuipcResult result;
    if (link.open(0, result)) {
        state.connected = true;
        state.nextAttemptAt.reset();
        exchangeWatch.linkOpened();
        // Another server, or the same one restarted, may fly another aircraft.
        oneTimeReadsPending = true;
        return;
    }
    state.linkErrorText = fsuipcResultText(result);
    state.noServerHelp = result == FsuipcResult::NoServer ? link.noServerHelp() : std::string();
    // The count stops at the limit, where the page says "Too many attempts..."
    // and the C key re-arms it.
    if (state.connectionAttempts < LinkState::kMaxAttempts)
        ++state.connectionAttempts;
    state.retryInterval
        = state.connectionAttempts < LinkState::kMaxAttempts ? timing.attemptInterval : timing.slowRetryInterval;
    state.nextAttemptAt = now + state.retryInterval;
}

void DataAcquisition::readCycle(LinkState& state)
{
    queueReads();
    FsuipcResult result;
    bool const exchanged = link.process(result);
    if (exchangeWatch.linkLost(exchanged, result)) {
        dropLink(state, result);
        return;
    }
    if (exchanged && oneTimeReadsPending)
        takeOneTimeReads();
    // After a failed exchange this reproduces the same values, unless the
    // CEPR mapping changed.
    deriveSimData(data, cepr);
    if (exchanged)
        aircraftReads.decode(data);
}

// The page shows why the link went and starts afresh, with a full budget of
// attempts; the first comes one attempt interval later, so the reason stays
// on the screen at least that long.
void DataAcquisition::dropLink(LinkState& state, FsuipcResult reason)
{
    link.close();
    data = SimData {};
    state.connected = false;
    state.connectionAttempts = 0;
    state.linkErrorText = fsuipcResultText(reason);
    state.noServerHelp.clear();
    state.retryInterval = timing.attemptInterval;
    state.nextAttemptAt = timing.now() + state.retryInterval;
}

// Queuing results are not examined: a refused read simply delivers nothing.
void DataAcquisition::queueReads()
{
    FsuipcResult result;
    auto const queue = [&](std::uint32_t offset, std::uint32_t size, void* destination) {
        link.read(offset, size, destination, result);
    };
    if (oneTimeReadsPending) {
        for (FieldRead const& read : kOneTimeReads)
            queue(read.offset, read.size, read.field(data));
    }
    queue(kSimTimeRead.offset, kSimTimeRead.size, kSimTimeRead.field(data));
    for (int engine = 0; engine < data.engineCount; ++engine) {
        for (EngineRead const& read : kEngineReads)
            queue(read.base + read.stride * engine, read.size, read.field(data, engine));
    }
    for (FieldRead const& read : kAircraftReads)
        queue(read.offset, read.size, read.field(data));
    aircraftReads.queue(link, data.engineCount);
}

// The engine arrays hold four engines; a simulator reporting more shows four.
// Until both values are plausible they are asked again, and the page draws
// what they allow meanwhile.
void DataAcquisition::takeOneTimeReads()
{
    data.engineCount = std::min<std::uint16_t>(data.engineCount, SimData::kMaxEngines);
    data.poundsPerGallon = data.fuelWeightRaw / 256.0;
    oneTimeReadsPending = data.engineCount == 0 || data.fuelWeightRaw == 0;
}

void DataAcquisition::setAircraftSources(AircraftSources const& sources)
{
    aircraftReads = AircraftReads(sources);
}

void DataAcquisition::setCeprMapping(double n1Idle, double n1Max, double eprMin, double eprMax)
{
    cepr = { n1Idle, n1Max, eprMin, eprMax };
}
