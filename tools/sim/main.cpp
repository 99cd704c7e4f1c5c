#include "demo_scenario.h"
#include "keyframe_scenario.h"
#include "live_source.h"
#include "sim_front_end.h"
#include "sim_options.h"
#include "sim_server.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// The scenario named on the command line; false with error when a file
// cannot be read or parsed.
bool loadScenario(std::string const& name, std::optional<KeyframeScenario>& scenario, std::string& error)
{
    if (name == "static")
        return true;
    if (name == "demo") {
        scenario = KeyframeScenario::parse(demoScenarioText(), "the demo scenario", error);
        return scenario.has_value();
    }
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        error = "Cannot read the scenario file " + name + "; give demo, static or a readable file.";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    scenario = KeyframeScenario::parse(text.str(), name, error);
    return scenario.has_value();
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    std::optional<SimOptions> const options = parseSimOptions(std::span(argv + 1, argc - 1), error);
    if (!options) {
        std::cerr << error << "\n";
        return 2;
    }
    if (options->help) {
        std::cout << simUsage();
        return 0;
    }
    std::unique_ptr<LiveSource> live;
    std::optional<KeyframeScenario> scenario;
    if (options->source)
        live = startLiveSource(*options->source, error);
    if (options->source ? !live : !loadScenario(options->scenario, scenario, error)) {
        std::cerr << error << "\n";
        return 1;
    }
    SimServer server(*options, std::move(scenario), live.get());
    return serveRequests(*options, server);
}
