#pragma once

#include <array>

// Flap or slat angles, in degrees, of flap lever detents 0 to 5 in entries 0
// to 5; the layout may give more numbers, which are kept but not used.
using DetentAngles = std::array<double, 10>;

constexpr int kLeverDetentCount = 6;

constexpr std::array<double, kLeverDetentCount> kDefaultFlapDetentAngles { 0, 0, 10, 15, 20, 35 };
constexpr std::array<double, kLeverDetentCount> kDefaultSlatDetentAngles { 0, 18, 18, 22, 22, 27 };

// Completes a table into which `count` numbers were read. None gives the
// defaults. A short list keeps its numbers and takes the defaults for the
// missing detents, each raised to the detent before it so that the table
// still ascends.
void completeDetentAngles(DetentAngles& angles, int count, std::array<double, kLeverDetentCount> const& defaults);
