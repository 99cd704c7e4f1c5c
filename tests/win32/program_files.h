#pragma once

#include <string>

// The programs and files of the build tree these tests belong to, found from
// where the test program itself lies (<build>/tests), so that they are right
// under Wine as on Windows.
std::string buildDirectory();
std::string tarnexProgram(); // <build>/src/platform/win32/tarnex.exe
std::string simProgram(); // <build>/tools/sim/tarnex-sim.exe
std::string packedDefaultLayout(); // <build>/layouts/a320cfm-basic.bin
