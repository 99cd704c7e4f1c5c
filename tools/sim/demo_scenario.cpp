#include "demo_scenario.h"

#include <string_view>

namespace {

// Nine minutes, gate to gate, with two minutes of taxi between the second
// engine reaching idle and the take-off roll, so that the T.O memo (shown two
// minutes after both engines run) stays up a while. Landmarks for --at: 46
// engine 1 EGT peak, 86 engine 2 EGT peak, 120 taxi, 200 take-off
// configuration, 260 take-off roll, 290 thrust reduction, 340 cruise, 385
// approach below 2000 ft, 410 full flaps, 435 landing roll with reversers,
// 460 flaps retracting, 505 engines shut down. README-scenario.md has the
// timeline.
//
// Oil, hydraulic and APU figures are typical of a CFM56-5B A320 and lie
// inside the limits its crew notes give (the "A320 Powerplant" notes on
// scribd.com/doc/244057175: oil pressure at least 13 PSI at ground idle,
// flagged below 16 or above 90; oil temperature at most 140 degC; at least
// 9.5 QT of oil for dispatch): oil 28 PSI at idle and about 50 at take-off,
// 16-18.5 QT in the tank, engine-driven pumps at 3000 PSI (engine 1 green,
// engine 2 yellow), the APU at 100 % with its EGT near 400 degC on bleed
// load. N1 limits: TOGA 94.8, FLX 85.8 at a flex temperature of 58 degC, CL
// 89.5, MREV 70. The thrust levers sit at 0 % idle, 60 % CL, 85 % FLX/MCT and
// -25 % full reverse, inside the display's default detent gates.
constexpr std::string_view kDemoLines[] = {
    "loop",
    "# Cold aircraft at the gate: door open, parking brake set, fuel loaded,",
    "# APU running with its bleed open, signs on, flex temperature entered.",
    "0   engines=2 on_ground=1 parking_brake=1 exits=1 nav_lights=1 autobrake=1 flap_detent=0",
    "0   fuel_centre=2000 fuel_left_main=5400 fuel_right_main=5400 fuel_left_aux=690 fuel_right_aux=690",
    "0   n1=0 n2=0 epr=1.0 egt=15 ff=0",
    "0   apu_n=100 apu_egt=380 apu_bleed=1 seat_belts=1 no_smoking=1 engine_mode_selector=1",
    "0   throttle_lever=0 reverser_position=0 starter=0 ignition=0 combustion=0 commanded_n1=0",
    "0   oil_temp=15 oil_press=0 oil_qty=18.5 vib=0 hyd_press=0 hyd_qty=95",
    "0   autothrust_active=0 thrust_limit_mode=3 n1_limit=85.8 flex_temp=58 alpha_floor=0 slat_alpha_lock=0",
    "0   radio_altitude=0 indicated_airspeed=0 gear_lever=1 gear_position=1 nose_wheel_steering=1 ptu=0",
    "0   centre_tank_pumps=0 pitch_trim=0",
    "# Door closed, beacon on, pushback with the steering disconnected while",
    "# engine 1 starts; the engine mode selector at IGN/START for both starts.",
    "15  exits=0 beacon=1 centre_tank_pumps=1",
    "18  pushback=1 parking_brake=0 nose_wheel_steering=0 engine_mode_selector=2 apu_egt=380",
    "# Engine 1: the starter turns N2, fuel lights the core, EGT peaks, N1 follows.",
    "20  n2.1=0 n1.1=0 egt.1=15 ff.1=0 starter.1=1 oil_press.1=0 oil_temp.1=15 oil_qty.1=18.5 vib.1=0 hyd_press.1=0",
    "24  apu_egt=470",
    "30  n2.1=16 n1.1=2",
    "34  n2.1=20 n1.1=3 egt.1=15 ff.1=0 ignition.1=1",
    "35  ff.1=150 combustion.1=1",
    "40  n2.1=30 n1.1=8 egt.1=420 ff.1=220 hyd_press.1=3000",
    "46  n2.1=45 n1.1=14 egt.1=680 ff.1=300",
    "50  starter.1=0 ignition.1=0 commanded_n1.1=0",
    "52  n2.1=58 n1.1=19.5 egt.1=560 ff.1=290 oil_press.1=28 oil_qty.1=16.4 vib.1=0.3 commanded_n1.1=19.6",
    "55  pushback=0 parking_brake=1 nose_wheel_steering=1",
    "# Engine 2, the same way; the PTU runs until the yellow pump takes over.",
    "60  n2.1=58.6 n1.1=19.6 egt.1=420 ff.1=280 n2.2=0 n1.2=0 egt.2=15 ff.2=0 starter.2=1 ptu=1",
    "60  oil_press.2=0 oil_temp.2=15 oil_qty.2=18.5 vib.2=0 hyd_press.2=0",
    "70  n2.2=16 n1.2=2",
    "74  n2.2=20 n1.2=3 egt.2=15 ff.2=0 ignition.2=1",
    "75  ff.2=150 combustion.2=1",
    "80  n2.2=30 n1.2=8 egt.2=420 ff.2=220 hyd_press.2=3000",
    "82  ptu=0",
    "86  n2.2=45 n1.2=14 egt.2=690 ff.2=300",
    "90  starter.2=0 ignition.2=0 commanded_n1.2=0",
    "92  n2.2=58 n1.2=19.5 egt.2=570 ff.2=290 oil_press.2=28 oil_qty.2=16.3 vib.2=0.3 commanded_n1.2=19.6",
    "100 n2.2=58.6 n1.2=19.6 egt.2=430 ff.2=280 oil_temp.1=55",
    "# Both engines at idle: selector to NORM, APU bleed closed, brake",
    "# released, taxi out; the APU is shut down on the way.",
    "102 engine_mode_selector=1 apu_bleed=0 apu_egt=380",
    "106 parking_brake=0",
    "108 n1=19.6 n2=58.6 egt.1=420 egt.2=430 ff=280 commanded_n1=19.6 indicated_airspeed=0",
    "111 n1=28 n2=66 egt=470 ff=420 commanded_n1=28 throttle_lever=10",
    "116 n1=21 n2=60 egt=440 ff=300 commanded_n1=21 throttle_lever=0 indicated_airspeed=15 oil_temp.2=55",
    "150 apu_n=100 apu_egt=380",
    "190 apu_n=0 apu_egt=150 oil_temp=75",
    "# Take-off configuration during the taxi: flaps 1+F, ground spoilers armed,",
    "# autobrake max, take-off trim.",
    "196 pitch_trim=0",
    "200 flap_detent=2 spoilers_armed=1 autobrake=5 pitch_trim=8",
    "# Lined up: lights, strobes, levers to FLX/MCT for a flex take-off, lift-off.",
    "240 indicated_airspeed=15",
    "244 landing_lights=1 strobe=1 indicated_airspeed=0",
    "248 n1=21 n2=60 egt=440 ff=300 epr=1.0 fuel_centre=1970 oil_press=28 vib=0.3 oil_temp=75 throttle_lever=0 commanded_n1=21",
    "256 indicated_airspeed=0",
    "256 n1=85.8 n2=95.8 egt=790 ff=2900 epr=1.46 throttle_lever=85 commanded_n1=85.8",
    "256 oil_press=52 vib=0.8 n1_limit=85.8",
    "260 egt=820",
    "274 on_ground=0 indicated_airspeed=150 radio_altitude=0 oil_temp=95",
    "# Positive climb: gear up; autobrake and spoilers disarmed.",
    "278 gear_lever=0 gear_position=1 spoilers_armed=0 autobrake=1 radio_altitude=200",
    "282 n1=85.8 n2=95.8 egt=800 ff=2900 epr=1.46",
    "284 flap_detent=1",
    "286 gear_position=0",
    "# Thrust reduction at 1500 ft: levers to CL, auto-thrust active; flaps up,",
    "# autopilot in.",
    "286 throttle_lever=85 commanded_n1=85.8 n1_limit=85.8",
    "288 radio_altitude=1500 indicated_airspeed=210 throttle_lever=60 thrust_limit_mode=1 n1_limit=89.5",
    "288 commanded_n1=89.5 autothrust_active=1 pitch_trim=2",
    "294 n1=82 n2=93 egt=720 ff=2300 epr=1.38 oil_press=48 vib=0.6",
    "296 autopilot=1",
    "298 flap_detent=0",
    "310 landing_lights=0 oil_temp=105",
    "320 n1=82 n2=93 egt=720 ff=2300 epr=1.38 indicated_airspeed=250",
    "# Cruise through icing, seat belts off, then an idle descent with a brief",
    "# overspeed.",
    "330 n1=80 n2=92 egt=650 ff=1250 epr=1.33 wing_anti_ice=1 anti_ice=1 radio_altitude=20000 indicated_airspeed=280",
    "330 oil_press=45 vib=0.5 oil_temp=100",
    "335 seat_belts=0",
    "354 n1=80 n2=92 egt=650 ff=1250 epr=1.33 wing_anti_ice=0 anti_ice=0 radio_altitude=20000 indicated_airspeed=280",
    "360 n1=30 n2=70 egt=470 ff=420 epr=1.02 overspeed=1 indicated_airspeed=355 oil_press=30 vib=0.3 seat_belts=1",
    "366 overspeed=0 indicated_airspeed=300",
    "# Approach: every detent in turn, gear down and landing armed below",
    "# 2000 ft, flaps full, autopilot out.",
    "370 landing_lights=1 flap_detent=1 radio_altitude=3000 indicated_airspeed=210 oil_temp=90",
    "385 radio_altitude=2000",
    "386 flap_detent=2 indicated_airspeed=180",
    "387 gear_lever=1 gear_position=0",
    "395 flap_detent=3 spoilers_armed=1 autobrake=3 gear_position=1",
    "400 flap_detent=4",
    "402 n1=30 n2=70 egt=470 ff=420 epr=1.02",
    "405 flap_detent=5",
    "408 n1=52 n2=80 egt=560 ff=900 epr=1.12 oil_press=38 vib=0.4",
    "415 autopilot=0",
    "428 n1=52 n2=80 egt=560 ff=900 epr=1.12 indicated_airspeed=140 oil_press=38",
    "# Touchdown: levers to idle, then full reverse; reversers out, ground",
    "# spoilers out, then in; flaps up on the runway exit.",
    "430 throttle_lever=60 commanded_n1=89.5 n1_limit=89.5",
    "432 on_ground=1 n1=22 n2=61 egt=480 ff=320 epr=1.0 spoilers=0 fuel_centre=650 radio_altitude=0",
    "432 throttle_lever=0 commanded_n1=22 autothrust_active=0 oil_press=30 oil_temp=85",
    "433 throttle_lever=-25 thrust_limit_mode=5 n1_limit=70 commanded_n1=70 reverser_position=0",
    "434 spoilers=100",
    "435 reverser_position=1",
    "438 n1=70 n2=85 egt=600 ff=1500 epr=1.2 oil_press=45 vib=0.6",
    "444 n1=70 n2=85 egt=600 ff=1500 epr=1.2 indicated_airspeed=70 throttle_lever=-25 commanded_n1=70 n1_limit=70",
    "446 throttle_lever=0 commanded_n1=22 reverser_position=1 n1_limit=70",
    "448 reverser_position=0 spoilers=100 thrust_limit_mode=4 n1_limit=94.8",
    "450 n1=22 n2=61 egt=480 ff=320 epr=1.0 oil_press=28 vib=0.3",
    "451 spoilers=0 spoilers_armed=0",
    "452 flap_detent=0 strobe=0 autobrake=1 indicated_airspeed=15",
    "455 landing_lights=0 pitch_trim=0",
    "# Taxi in: the APU starts.",
    "460 apu_n=0 apu_egt=15",
    "470 apu_n=60 apu_egt=700",
    "480 apu_n=100 apu_egt=400",
    "482 parking_brake=1 indicated_airspeed=0",
    "# Shut down: APU bleed on, fuel off, N1 and N2 run down, EGT cools, oil",
    "# returns to the tank, door opens.",
    "484 apu_bleed=1",
    "486 n1=22 n2=61 egt=480 ff=320 fuel_centre=600 fuel_left_main=5380 fuel_right_main=5380 oil_press=28",
    "486 oil_qty.1=16.4 oil_qty.2=16.3 oil_temp=80 hyd_press=3000 vib=0.3 commanded_n1=22",
    "487 ff=0 combustion=0 commanded_n1=0",
    "502 n1=0 n2=0 egt=300 oil_press=0 hyd_press=0 vib=0",
    "505 centre_tank_pumps=0",
    "509 n1_limit=94.8",
    "510 beacon=0 exits=1 apu_egt=380 thrust_limit_mode=3 n1_limit=85.8",
    "# Back to a cold aircraft, the next flight's flex temperature entered,",
    "# before the next loop.",
    "530 egt=15 oil_temp=15 oil_qty=18.5",
};

} // namespace

std::string demoScenarioText()
{
    std::string text;
    for (std::string_view line : kDemoLines)
        text.append(line).append("\n");
    return text;
}
