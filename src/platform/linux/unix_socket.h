#pragma once

#include <string>
#include <sys/un.h>

// The address of the Unix socket at path; false when the path is too long
// for a socket address.
bool unixSocketAddress(std::string const& path, sockaddr_un& address);

// A stream connection to the Unix socket at path, close-on-exec, optionally
// non-blocking: the descriptor, or -1 with error set to the errno value.
int connectUnixSocket(std::string const& path, bool nonBlocking, int& error);
