#include "demo_scenario.h"

#include <string_view>

namespace {

// Seven minutes, gate to gate. Landmarks for --at: 46 engine 1 EGT peak,
// 86 engine 2 EGT peak, 111 taxi, 150 take-off roll, 180 flap retraction,
// 230 cruise, 265 slats extending, 300 full flaps, 325 landing roll with
// spoilers out, 350 flaps retracting, 395 engines shut down.
constexpr std::string_view kDemoLines[] = {
    "loop",
    "# Cold aircraft at the gate: door open, parking brake set, fuel loaded.",
    "0   engines=2 on_ground=1 parking_brake=1 exits=1 nav_lights=1 autobrake=1 flap_detent=0",
    "0   fuel_centre=2000 fuel_left_main=5400 fuel_right_main=5400 fuel_left_aux=690 fuel_right_aux=690",
    "0   n1=0 n2=0 epr=1.0 egt=15 ff=0",
    "# Door closed, beacon on, pushback while engine 1 starts.",
    "15  exits=0 beacon=1",
    "18  pushback=1 parking_brake=0",
    "# Engine 1: the starter turns N2, fuel lights the core, EGT peaks, N1 follows.",
    "20  n2.1=0 n1.1=0 egt.1=15 ff.1=0",
    "30  n2.1=16 n1.1=2",
    "34  n2.1=20 n1.1=3 egt.1=15 ff.1=0",
    "35  ff.1=150",
    "40  n2.1=30 n1.1=8 egt.1=420 ff.1=220",
    "46  n2.1=45 n1.1=14 egt.1=680 ff.1=300",
    "52  n2.1=58 n1.1=19.5 egt.1=560 ff.1=290",
    "55  pushback=0 parking_brake=1",
    "# Engine 2, the same way.",
    "60  n2.1=58.6 n1.1=19.6 egt.1=420 ff.1=280 n2.2=0 n1.2=0 egt.2=15 ff.2=0",
    "70  n2.2=16 n1.2=2",
    "74  n2.2=20 n1.2=3 egt.2=15 ff.2=0",
    "75  ff.2=150",
    "80  n2.2=30 n1.2=8 egt.2=420 ff.2=220",
    "86  n2.2=45 n1.2=14 egt.2=690 ff.2=300",
    "92  n2.2=58 n1.2=19.5 egt.2=570 ff.2=290",
    "100 n2.2=58.6 n1.2=19.6 egt.2=430 ff.2=280",
    "# Flaps 1+F, spoilers and autobrake armed, brake released, taxi out.",
    "104 flap_detent=2 spoilers_armed=1 autobrake=5",
    "106 parking_brake=0",
    "108 n1=19.6 n2=58.6 egt.1=420 egt.2=430 ff=280",
    "111 n1=28 n2=66 egt=470 ff=420",
    "116 n1=21 n2=60 egt=440 ff=300",
    "# Lined up: lights, strobes, take-off thrust, lift-off.",
    "134 landing_lights=1 strobe=1",
    "138 n1=21 n2=60 egt=440 ff=300 epr=1.0 fuel_centre=1970",
    "146 n1=88.5 n2=95.8 egt=790 ff=2900 epr=1.46",
    "150 egt=820",
    "164 on_ground=0",
    "168 spoilers_armed=0 autobrake=1",
    "172 n1=88.5 n2=95.8 egt=800 ff=2900 epr=1.46",
    "# Climb thrust; flaps 1, then clean; autopilot in.",
    "174 flap_detent=1",
    "178 n1=82 n2=93 egt=720 ff=2300 epr=1.38",
    "186 autopilot=1",
    "188 flap_detent=0",
    "200 landing_lights=0",
    "210 n1=82 n2=93 egt=720 ff=2300 epr=1.38",
    "# Cruise through icing, then an idle descent with a brief overspeed.",
    "220 n1=80 n2=92 egt=650 ff=1250 epr=1.33 wing_anti_ice=1 anti_ice=1",
    "244 n1=80 n2=92 egt=650 ff=1250 epr=1.33 wing_anti_ice=0 anti_ice=0",
    "250 n1=30 n2=70 egt=470 ff=420 epr=1.02 overspeed=1",
    "256 overspeed=0",
    "# Approach: every detent in turn, landing armed, autopilot out.",
    "260 landing_lights=1 flap_detent=1",
    "276 flap_detent=2",
    "285 flap_detent=3 spoilers_armed=1 autobrake=3",
    "290 flap_detent=4",
    "292 n1=30 n2=70 egt=470 ff=420 epr=1.02",
    "295 flap_detent=5",
    "298 n1=52 n2=80 egt=560 ff=900 epr=1.12",
    "305 autopilot=0",
    "318 n1=52 n2=80 egt=560 ff=900 epr=1.12",
    "# Touchdown: idle, ground spoilers out, then in; flaps up on the runway exit.",
    "322 on_ground=1 n1=22 n2=61 egt=480 ff=320 epr=1.0 spoilers=0 fuel_centre=650",
    "324 spoilers=100",
    "338 spoilers=100",
    "341 spoilers=0 spoilers_armed=0",
    "342 flap_detent=0 strobe=0 autobrake=1",
    "345 landing_lights=0",
    "372 parking_brake=1",
    "# Shut down: N1 and N2 run down, EGT cools, door opens.",
    "376 n1=22 n2=61 egt=480 ff=320 fuel_centre=600 fuel_left_main=5380 fuel_right_main=5380",
    "377 ff=0",
    "392 n1=0 n2=0 egt=300",
    "400 beacon=0 exits=1",
    "# Back to a cold aircraft before the next loop.",
    "420 egt=15",
};

} // namespace

std::string demoScenarioText()
{
    std::string text;
    for (std::string_view line : kDemoLines)
        text.append(line).append("\n");
    return text;
}
