#pragma once

#include <string>

// Where the simulator stand-in and the display meet on Linux: one Unix socket
// per server class and nothing else. Only the user's own processes may use
// it, so a directory owned by someone else, reached through a symlink or open
// to other users is refused.

// $FSUIPC_IPC_DIR, else $XDG_RUNTIME_DIR/fsuipc, else /tmp/fsuipc-<uid>.
std::string ipcDirectory();

// True when path is a directory fit for the sockets; with create, a missing
// directory is made with mode 0700 first. Otherwise problem says why, as a
// plain sentence.
bool checkIpcDirectory(std::string const& path, bool create, std::string& problem);
