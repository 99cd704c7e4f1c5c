#pragma once

#include "config/breakpoint_table.h"
#include "sim/aircraft_values.h"
#include "sim/sim_data.h"
#include "systems/thrust_lever_detents.h"

#include <array>
#include <cmath>

// What the engine items of the page follow: each engine's start, its AVAIL
// time, its reverser, the peaks it reached above its red lines, and the
// limits the page marks. All on simulator time.
//
// Sources of the behaviour and figures (A320 family, CFM56-5):
// - A320/A319 ECAM SYS PAGES flashcards (brainscape.com, packs 1074351 and
//   17977080): a red mark stays at the highest N1 above 104 % until a new
//   engine start; EGT amber above 915 degC except in FLX, MCT, TOGA and
//   alpha floor, above 725 degC during a start, red above 950 degC, with
//   the amber index at 725 degC during the start and 915 degC after.
// - airbusflightinstructor.com, "E/WD & SD Engine Indications": the
//   exceedance mark is kept until the next start sequence; the timed AVAIL
//   legend after a start.
// - pprune.org thread 327917 ("A320 family REV amber indication"): REV amber
//   while a reverser door is unstowed or unlocked, green once deployed.
// - brainscape.com "Power plant" pack 470936: the start ends near 58 % N2,
//   where the FADEC's own supply takes over.
// The 10 s of AVAIL and the 2 s taken for the doors' travel when only the
// lever is known are the figures of the operator manuals' descriptions;
// the layout sets every threshold.

// The layout's values. A limit that is NaN is not used: no peak is kept
// against a red line that is NaN, no EGT caution without its limits.
struct EngineStateSettings {
    double startEndN2 = 58; // a start ends, the engine at idle, at this N2
    double n1RedLine = NAN;
    double egtRedLine = NAN;
    double n2RedLine = NAN;
    double egtStartLimit = NAN; // amber while the engine starts
    double egtRunLimit = NAN; // amber once it runs
    BreakpointTable leverToN1; // thrust lever percent to N1 percent
};

enum class ReverserState { Stowed, InTransit, Deployed };

struct EngineState {
    bool starting = false;
    bool available = false; // AVAIL shows
    ReverserState reverser = ReverserState::Stowed;
    // The highest value reached above the red line since the last start;
    // NaN while there was none.
    double peakN1 = NAN;
    double peakEgt = NAN;
    double peakN2 = NAN;
    double commandedN1 = NAN; // where the thrust lever asks; NaN: not known
    double egtCautionMark = NAN; // where the amber EGT mark stands; NaN: hidden
    double egtCautionFrom = NAN; // the EGT above which its digits are amber; NaN: never
};

class EngineStates {
public:
    static constexpr double kAvailableSeconds = 10;
    static constexpr double kReverserTransitSeconds = 2;
    // The reverser position (0 stowed, 1 deployed) counts as stowed below
    // the first and as deployed from the second.
    static constexpr double kReverserStowedBelow = 0.02;
    static constexpr double kReverserDeployedFrom = 0.98;

    // Call once per frame with the frame's thrust limit mode (ThrustState).
    // Simulator time going backwards is a new session: everything starts
    // afresh.
    void update(SimData const&, EngineStateSettings const&, double simTime, ThrustLimitCode mode,
        ThrustLeverDetents const& detents = {});

    EngineState const& engine(int index) const { return m_engines[static_cast<std::size_t>(index)].shown; }
    // The N1 of full-forward thrust, from the aircraft's limit while it is
    // the TOGA or MREV one; NaN otherwise.
    double ratingLimitN1() const { return m_ratingLimitN1; }

private:
    struct Engine {
        EngineState shown;
        double availableUntil = -INFINITY;
        double reverseSelectedAt = NAN;
    };

    void updateStart(Engine&, SimData const&, int index, EngineStateSettings const&, double simTime);
    void updateReverser(Engine&, SimData const&, int index, ThrustLeverDetents const&, double simTime);
    void updatePeaks(EngineState&, SimData const&, int index, EngineStateSettings const&);
    void updateLimits(EngineState&, SimData const&, int index, EngineStateSettings const&, ThrustLimitCode mode, bool alphaFloor);

    std::array<Engine, SimData::kMaxEngines> m_engines {};
    double m_ratingLimitN1 = NAN;
    double m_lastTime = -INFINITY;
};
