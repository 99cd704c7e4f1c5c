#pragma once

#include "sim/sim_data.h"
#include "systems/flight_phase.h"
#include "systems/thrust_lever_detents.h"

// What the full warning set's conditions read, worked out once per frame from
// the simulator's values and the flight phase. A value the aircraft does not
// give makes every fact built on it false, so no message comes from a guess.
struct WarningFacts {
    FlightPhase phase = FlightPhase::EnginesOff;
    double simTime = 0;
    bool airborne = false;
    bool takeOffPower = false;
    int engines = 0;
    bool allEnginesRunning = false;
    bool anyEngineRunning = false;
    bool anyEngineOff = false;
    bool engineFire[SimData::kMaxEngines] = {};
    bool anyFire = false;
    bool engineAntiIce = false;

    double leftWingKg = 0;
    double rightWingKg = 0;

    bool seatBelts = false;
    bool noSmoking = false;
    bool apuAvailable = false;
    bool apuBleed = false;
    bool ignition = false;
    bool steeringDisconnected = false;
    bool ptu = false;
    bool centreTankFeeding = false;
    bool autothrust = false;
    bool autothrustKnown = false;
    bool leversAtIdle = false; // the most advanced lever at idle or in reverse
    bool autopilot = false;

    bool gearDown = false;
    bool gearKnown = false;
    bool belowGearAltitude = false; // radio altitude below 750 ft
    bool belowLandingMemoAltitude = false; // below 2000 ft
    bool aboveLandingMemoAltitude = false; // above 2200 ft

    int flapDetent = 0; // 0 (up) to 5 (FULL)
    bool spoilersArmed = false;
    bool speedBrakes = false;
    bool parkBrake = false;
    bool autobrakeLow = false;
    bool autobrakeMedium = false;
    bool autobrakeMax = false;
    bool autobrakeArmed = false;
    bool overspeed = false;
    bool landingLights = false;
    bool strobe = false;
    bool wingAntiIce = false;

    // Held or delayed on simulator time; the warning computer fills them.
    bool takeOffInhibit = false; // phases 3-5 for 3 s
    bool landingInhibit = false; // phases 7-8 for 3 s
    bool takeOffMemo = false;
    bool landingMemo = false;
    bool steeringCaution = false; // an engine has run for 30 s
    bool bothWingTanksLow = false; // for 30 s
    bool leftWingTankLow = false;
    bool rightWingTankLow = false;
    bool autopilotJustOff = false;
    bool autothrustJustOff = false;
    bool autobrakeJustOff = false;
};

// Take-off power: a lever at TOGA, or at FLX/MCT with a flex temperature set
// (or with none given, since then FLX/MCT on the ground can only be a flex
// take-off).
bool takeOffPowerSet(SimData const&, ThrustLeverDetents const&);

WarningFacts warningFacts(SimData const&, FlightPhase, ThrustLeverDetents const&);

// The inputs of the flight phases in this frame.
FlightPhaseInputs flightPhaseInputs(SimData const&, ThrustLeverDetents const&);
