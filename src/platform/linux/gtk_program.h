#pragma once

#include "app/application.h"

// The Linux program: reads the command line, then opens the E/WD window,
// takes a snapshot, or prints the help or the version. Returns the exit code.
int runTarnexProgram(int argc, char** argv, DisplayFactory const& makeDisplay);
