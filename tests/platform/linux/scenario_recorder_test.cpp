// The recorder in-process: what it writes, and that the keyframe reader plays
// it back as the moments it took.

#include "demo_scenario.h"
#include "keyframe_scenario.h"
#include "scenario_named_values.h"
#include "scenario_recorder.h"
#include "scenario_values.h"
#include "sim_options.h"
#include "sim_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>
#include <vector>

namespace {

KeyframeScenario parsed(std::string const& text)
{
    std::string error;
    std::optional<KeyframeScenario> scenario = KeyframeScenario::parse(text, "recording", error);
    EXPECT_TRUE(scenario) << error;
    return scenario ? *scenario : *KeyframeScenario::parse("", "empty", error);
}

std::vector<std::string> dataLines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    return lines;
}

// Every value the keyframe format names, side by side.
void expectSameAircraft(AircraftState const& replayed, AircraftState const& live, double seconds)
{
    for (StateValue const& value : kStateValues)
        EXPECT_EQ(replayed.*value.member, live.*value.member) << value.name << " at " << seconds;
    for (int engine = 0; engine < AircraftState::kMaxEngines; ++engine) {
        for (EngineValue const& value : kEngineValues) {
            EXPECT_EQ(replayed.engine[engine].*value.member, live.engine[engine].*value.member)
                << value.name << "." << engine + 1 << " at " << seconds;
        }
    }
    // Not available in both is the same too.
    for (ScenarioNamedValue const& named : scenarioNamedValues()) {
        for (int instance = 0; instance < named.instances; ++instance) {
            double const replayedValue = replayed.value(named.value, instance);
            double const liveValue = live.value(named.value, instance);
            EXPECT_TRUE(replayedValue == liveValue || (std::isnan(replayedValue) && std::isnan(liveValue)))
                << named.name << "." << instance + 1 << " at " << seconds << ": " << replayedValue << " replayed, "
                << liveValue << " served";
        }
    }
}

TEST(ScenarioRecorder, TheDemoPlaysBackExactlyAtEveryMomentTaken)
{
    KeyframeScenario const demo = parsed(demoScenarioText());
    std::ostringstream out;
    {
        ScenarioRecorder recorder(out, 10);
        // Uneven steps, some closer than a tenth of a second: those are skipped.
        double seconds = 0;
        for (int step = 0; seconds < 540; ++step) {
            EXPECT_TRUE(recorder.record(seconds, ScenarioRecorder::rounded(demo.stateAt(seconds))));
            seconds += step % 3 == 0 ? 0.04 : 0.137;
        }
    }
    std::vector<std::string> const lines = dataLines(out.str());
    KeyframeScenario const replay = parsed(out.str());
    double previous = -1;
    for (std::string const& line : lines) {
        double const seconds = std::stod(line);
        // The last moment served ends the recording however soon it came.
        if (&line != &lines.back()) {
            EXPECT_GE(seconds - previous, 0.1) << line;
        }
        previous = seconds;
        AircraftState const live = demo.stateAt(seconds);
        AircraftState const served = ScenarioRecorder::rounded(live);
        expectSameAircraft(replay.stateAt(seconds), served, seconds);
        // What a recording server serves strays from the flight by less than
        // anything the display can show.
        EXPECT_NEAR(served.engine[0].n1, live.engine[0].n1, 0.0005);
        EXPECT_NEAR(served.engine[1].egt, live.engine[1].egt, 0.005);
        EXPECT_NEAR(served.flapAngle, live.flapAngle, 0.0005);
    }
    // The cruise holds still for a while: only changes are written.
    EXPECT_LT(lines.size(), 420u * 10u);
    EXPECT_GT(lines.size(), 1000u);
}

TEST(ScenarioRecorder, WritesOnlyChangesAndHoldsAValueThatRestedBeforeItMoves)
{
    KeyframeScenario const flight = parsed("0 n1=20\n10 n1=20\n12 n1=80 parking_brake=1\n");
    std::ostringstream out;
    ScenarioRecorder recorder(out, 2);
    for (int quarter = 0; quarter <= 52; ++quarter) {
        recorder.record(quarter * 0.25, ScenarioRecorder::rounded(flight.stateAt(quarter * 0.25)));
        if (quarter == 48) {
            // Each line is out as soon as the next moment is taken; the last
            // one waits for finish.
            std::string const written = out.str();
            EXPECT_NE(written.find("\n10 n1.1=20 n1.2=20 n1.3=20 n1.4=20\n"), std::string::npos);
            EXPECT_NE(written.find("\n11.5 n1.1=65 n1.2=65 n1.3=65 n1.4=65\n"), std::string::npos);
            EXPECT_EQ(written.find("\n12 "), std::string::npos);
        }
    }
    EXPECT_TRUE(recorder.finish());
    std::vector<std::string> const lines = dataLines(out.str());
    ASSERT_EQ(lines.size(), 6u) << out.str();
    EXPECT_EQ(lines[0].rfind("0 engines=2 ", 0), 0u);
    EXPECT_NE(lines[0].find(" flap_angle=0 "), std::string::npos);
    EXPECT_NE(lines[0].find(" fire.4=0"), std::string::npos);
    EXPECT_EQ(lines[2], "10.5 n1.1=35 n1.2=35 n1.3=35 n1.4=35");
    EXPECT_EQ(lines[5], "12 parking_brake=1 n1.1=80 n1.2=80 n1.3=80 n1.4=80");

    KeyframeScenario const replay = parsed(out.str());
    EXPECT_EQ(replay.stateAt(5).engine[0].n1, 20.0); // not creeping toward 35 since 0 s
    EXPECT_EQ(replay.stateAt(11).engine[2].n1, 50.0);
    EXPECT_EQ(replay.stateAt(11.9).parkingBrake, 0.0);
    EXPECT_EQ(replay.stateAt(30).engine[3].n1, 80.0);
}

TEST(ScenarioRecorder, EndsWithTheLastMomentServedEvenWhenItCameTooSoon)
{
    KeyframeScenario const flight = parsed("0 n1=20\n0.05 n1=30\n");
    std::ostringstream out;
    ScenarioRecorder recorder(out, 10);
    recorder.record(0, flight.stateAt(0));
    recorder.record(0.03, flight.stateAt(0.03)); // too soon, and later overtaken
    recorder.record(0.06, flight.stateAt(0.06)); // too soon, but the display saw it last
    EXPECT_TRUE(recorder.finish());
    std::vector<std::string> const lines = dataLines(out.str());
    ASSERT_EQ(lines.size(), 2u) << out.str();
    EXPECT_EQ(lines[1], "0.06 n1.1=30 n1.2=30 n1.3=30 n1.4=30");
}

TEST(ScenarioRecorder, AGapHoldsTheLastValuesAndTheRecordingEndsWhenItWasStopped)
{
    KeyframeScenario const flight = parsed("0 n1=20\n1 n1=30\n");
    std::ostringstream out;
    ScenarioRecorder recorder(out, 10);
    recorder.record(0, flight.stateAt(0));
    recorder.record(0.5, flight.stateAt(0.5));
    // Silent from 0.5 s; at 5 s the source is back with other values.
    AircraftState back = flight.stateAt(1);
    back.engine[0].n1 = 40;
    recorder.resumeAfterGap(5);
    recorder.record(5, back);
    back.engine[0].n1 = 41;
    recorder.record(5.02, back); // too soon, but the last moment taken
    EXPECT_TRUE(recorder.finish(60)); // stopped long after the last change
    std::vector<std::string> const lines = dataLines(out.str());
    ASSERT_GE(lines.size(), 3u) << out.str();
    EXPECT_EQ(lines.back(), "60");

    KeyframeScenario const replay = parsed(out.str());
    EXPECT_EQ(replay.stateAt(0.5).engine[0].n1, 25.0);
    EXPECT_EQ(replay.stateAt(4.9).engine[0].n1, 25.0); // held through the gap, not sliding
    EXPECT_EQ(replay.stateAt(4.9).engine[1].n1, 25.0);
    EXPECT_EQ(replay.stateAt(5).engine[0].n1, 40.0);
    EXPECT_EQ(replay.stateAt(5).engine[1].n1, 30.0);
    EXPECT_EQ(replay.stateAt(59).engine[0].n1, 41.0);
}

// With no client at all, the server follows the flight on its own clock:
// thirty seconds of the approach, at the record rate, ending at the stop.
TEST(SimServerRecording, RecordsTheFlightAtItsRateWithNoClientAsking)
{
    using namespace std::chrono_literals;
    std::string error;
    std::optional<KeyframeScenario> demo = KeyframeScenario::parse(demoScenarioText(), "demo", error);
    ASSERT_TRUE(demo) << error;
    SimOptions options;
    options.startAt = 390;
    std::ostringstream out;
    ScenarioRecorder recorder(out, options.recordRate);
    SimServer::Clock::time_point const started {};
    SimServer server(options, demo, nullptr, &recorder, started);
    std::optional<std::chrono::milliseconds> const period = server.tickPeriod();
    ASSERT_TRUE(period);
    EXPECT_LE(*period, 50ms);
    for (auto now = started; now < started + 30s; now += *period)
        server.tick(now);
    server.stop(started + 30s);
    EXPECT_TRUE(recorder.finish());

    std::vector<std::string> const lines = dataLines(out.str());
    ASSERT_GT(lines.size(), 200u) << out.str().substr(0, 2000);
    EXPECT_EQ(std::stod(lines.front()), 390.0);
    EXPECT_EQ(lines.back(), "420");
    KeyframeScenario const replay = parsed(out.str());
    double previous = 0;
    for (std::string const& line : lines) {
        double const seconds = std::stod(line);
        if (&line != &lines.front() && &line != &lines.back()) {
            EXPECT_GE(seconds - previous, 0.1 - 1e-9) << line;
            EXPECT_LE(seconds - previous, 0.2) << line;
        }
        previous = seconds;
        // The last line marks the stop alone: nothing was served then.
        if (&line != &lines.back())
            expectSameAircraft(replay.stateAt(seconds), ScenarioRecorder::rounded(demo->stateAt(seconds)), seconds);
    }
}

TEST(ScenarioRecorder, AFailedWriteIsReported)
{
    std::ostringstream out;
    ScenarioRecorder recorder(out, 10);
    out.setstate(std::ios::badbit);
    KeyframeScenario const flight = parsed("0 n1=20\n");
    EXPECT_FALSE(recorder.record(0, flight.stateAt(0)));
    EXPECT_FALSE(recorder.finish());
}

TEST(KeyframeScenario, AnglesNamedInTheFileReplaceTheLeverMovement)
{
    KeyframeScenario const scenario = parsed("0 flap_detent=3 flap_angle=7\n10 flap_angle=12\n");
    EXPECT_EQ(scenario.stateAt(5).flapAngle, 9.5);
    EXPECT_EQ(scenario.stateAt(20).flapAngle, 12.0);
    EXPECT_EQ(scenario.stateAt(20).slatAngle, 22.0); // still from the lever, settled at detent 3
}

} // namespace
