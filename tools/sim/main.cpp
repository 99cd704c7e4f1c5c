#include "app/version.h"
#include "demo_scenario.h"
#include "keyframe_scenario.h"
#include "live_source.h"
#include "scenario_recorder.h"
#include "sim_front_end.h"
#include "sim_options.h"
#include "sim_server.h"

#include <chrono>
#include <filesystem>
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

// Opens the recording, refusing to overwrite the scenario being played.
bool openRecording(SimOptions const& options, std::ofstream& file, std::string& error)
{
    std::error_code ignored;
    if (std::filesystem::equivalent(options.recordFile, options.scenario, ignored)) {
        error = "--record would overwrite the scenario it plays; record into another file.";
        return false;
    }
    file.open(options.recordFile, std::ios::binary | std::ios::trunc);
    if (!file)
        error = "Cannot write the recording file " + options.recordFile + ".";
    return static_cast<bool>(file);
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
    if (options->version) {
        std::cout << kVersionText << '\n';
        return 0;
    }
    if (!options->protocolDirectory.empty()) {
        std::string told;
        if (!writeFlightGearProtocol(*options->source, options->protocolDirectory, told, error)) {
            std::cerr << error << "\n";
            return 1;
        }
        std::cout << told;
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
    std::ofstream recordingFile;
    std::optional<ScenarioRecorder> recorder;
    if (!options->recordFile.empty()) {
        if (!openRecording(*options, recordingFile, error)) {
            std::cerr << error << "\n";
            return 1;
        }
        recorder.emplace(recordingFile, options->recordRate);
    }
    int status = 0;
    {
        SimServer server(*options, std::move(scenario), live.get(), recorder ? &*recorder : nullptr);
        status = serveRequests(*options, server);
        server.stop(std::chrono::steady_clock::now());
    }
    if (recorder && !recorder->finish()) {
        std::cerr << "Cannot write the recording file " << options->recordFile << ".\n";
        return status == 0 ? 1 : status;
    }
    return status;
}
