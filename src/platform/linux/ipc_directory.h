#pragma once

#include <optional>
#include <string>

// Where the simulator stand-in and the display meet on Linux: one Unix socket
// per server class, and beside it the line of a server that is waiting. Only
// the user's own processes may use it, so a directory owned by someone else,
// reached through a symlink or open to other users is refused.

// $FSUIPC_IPC_DIR, else $XDG_RUNTIME_DIR/fsuipc, else /tmp/fsuipc-<uid>.
std::string ipcDirectory();

// True when path is a directory fit for the sockets; with create, a missing
// directory is made with mode 0700 first. Otherwise problem says why, as a
// plain sentence.
bool checkIpcDirectory(std::string const& path, bool create, std::string& problem);

// The waiting file of the server class in directory.
std::string waitingFilePath(std::string const& directory, std::string const& windowClass);

// The line in the waiting file at path, cut to its first line and to
// kMaxWaitingLineLength bytes, control characters dropped; none when there is
// no such regular file. Never blocks: a pipe or device there is not read.
std::optional<std::string> readWaitingLine(std::string const& path);
