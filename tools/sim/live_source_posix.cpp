// The Linux bridge: a simulator source listening on its own thread, and the
// aircraft it fills, read by the server at every exchange.

#include "live_source.h"

#include "flightgear_properties.h"
#include "flightgear_source.h"
#include "shared_aircraft.h"
#include "xplane_source.h"

#include <csignal>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <pthread.h>
#include <sstream>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

bool readDatarefs(std::string const& file, std::vector<DatarefBinding>& bindings, std::string& error)
{
    if (file.empty())
        return true;
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        error = "Cannot read the dataref file " + file + ".";
        return false;
    }
    std::ostringstream text;
    text << stream.rdbuf();
    return applyDatarefLines(text.str(), file, bindings, error);
}

class Bridge final : public LiveSource {
public:
    ~Bridge() override;

    bool start(LiveSourceOptions const& options, std::string& error);
    LiveReading latest() override { return { aircraft.snapshot().state(), aircraft.waitingReason() }; }

private:
    std::unique_ptr<SimulatorSource> openXPlane(LiveSourceOptions const& options, std::string& error);
    std::unique_ptr<SimulatorSource> openFlightGear(LiveSourceOptions const& options, std::string& error);

    SharedAircraft aircraft;
    std::unique_ptr<SimulatorSource> source;
    std::string simulatorName;
    int stopEvent = -1;
    std::thread listener;
};

Bridge::~Bridge()
{
    if (listener.joinable()) {
        // One write to a fresh eventfd cannot fail; if it did, joining would hang.
        std::uint64_t const one = 1;
        if (write(stopEvent, &one, sizeof one) != sizeof one)
            std::abort();
        listener.join();
        source->finish();
        std::cerr << summaryOf(source->counts(), simulatorName) << "\n";
    }
    if (stopEvent >= 0)
        close(stopEvent);
}

bool Bridge::start(LiveSourceOptions const& options, std::string& error)
{
    bool const xplane = options.simulator == LiveSourceOptions::Simulator::XPlane;
    simulatorName = xplane ? "X-Plane" : "FlightGear";
    source = xplane ? openXPlane(options, error) : openFlightGear(options, error);
    if (!source)
        return false;
    stopEvent = eventfd(0, EFD_CLOEXEC);
    if (stopEvent < 0) {
        error = "Cannot make the event that stops the bridge.";
        return false;
    }
    // The listener takes no signal: stopping is the server's business, and
    // it says so through stopEvent.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    listener = std::thread([this] { source->run(stopEvent); });
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return true;
}

std::unique_ptr<SimulatorSource> Bridge::openXPlane(LiveSourceOptions const& options, std::string& error)
{
    XPlaneSettings settings;
    settings.bindings = defaultDatarefs();
    settings.named = namedDatarefBindings(options.aircraft);
    settings.aircraftFile = options.aircraftFile;
    if (!readDatarefs(options.datarefFile, settings.bindings, error))
        return nullptr;
    if (!options.host.empty()) {
        UdpEndpoint simulator;
        if (!resolveHost(options.host, options.port, simulator, error))
            return nullptr;
        settings.simulator = simulator;
    }
    auto xplane = std::make_unique<XPlaneSource>(std::move(settings), aircraft);
    if (!xplane->open(error))
        return nullptr;
    return xplane;
}

std::unique_ptr<SimulatorSource> Bridge::openFlightGear(LiveSourceOptions const& options, std::string& error)
{
    FlightGearSettings settings;
    settings.simulator = { kLoopbackAddress, options.port };
    settings.properties = propertyColumns(options.aircraft);
    settings.aircraftFile = options.aircraftFile;
    if (!options.host.empty() && !resolveHost(options.host, options.port, settings.simulator, error))
        return nullptr;
    auto flightGear = std::make_unique<FlightGearSource>(settings, aircraft);
    if (!flightGear->open(error))
        return nullptr;
    return flightGear;
}

} // namespace

std::unique_ptr<LiveSource> startLiveSource(LiveSourceOptions const& options, std::string& error)
{
    auto bridge = std::make_unique<Bridge>();
    if (!bridge->start(options, error))
        return nullptr;
    return bridge;
}

bool writeFlightGearProtocol(
    LiveSourceOptions const& options, std::string const& directory, std::string& told, std::string& error)
{
    std::string path;
    if (!writeProtocol(directory, propertyColumns(options.aircraft), path, error))
        return false;
    // FlightGear on another machine sends to this one, whose name only the
    // user knows.
    std::string const here = options.host.empty() ? "localhost" : "THIS-HOST";
    told = "Wrote " + path + ". Start FlightGear with these options"
        + (options.host.empty() ? "" : ", THIS-HOST being this machine as FlightGear's reaches it")
        + ", and your own:\n    --data=" + directory + " --generic=socket,out,20," + here + ","
        + std::to_string(options.port) + ",udp,tarnex\n";
    return true;
}
