#pragma once

#include <string>

// The user profile "QuorvelEFIS.cfg" lives in $XDG_CONFIG_HOME/tarnex
// (default ~/.config/tarnex, the home folder from the password database when
// HOME is not set). Both are empty when no home folder is known at all: the
// settings are then not kept, rather than kept in a folder others share.
std::string userProfileFolder();
std::string userProfilePath();

// Makes the folder (mode 0700) when it is missing, so the settings can be
// saved at exit. False when it cannot be made.
bool makeUserProfileFolder();
