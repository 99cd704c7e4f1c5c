#pragma once

#include "sim_options.h"
#include "sim_server.h"

// Announces the server under options.windowClass and hands it every request
// until the process is asked to stop (SIGINT or SIGTERM, Ctrl+C or WM_CLOSE)
// or options.durationSeconds pass. Returns the exit status, having written
// any error to stderr as one sentence. One implementation per platform.
int serveRequests(SimOptions const& options, SimServer& server);
