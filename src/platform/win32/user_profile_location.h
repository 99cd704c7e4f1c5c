#pragma once

#include <string>

// The user profile lives in the per-user roaming application-data folder,
// %APPDATA%\Tarnex\QuorvelEFIS.cfg: a standard user's 64-bit program may not
// write the Windows directory, where the bare name would put it.

// The profile's path; empty when the application-data folder is unknown.
std::string userProfilePath();

// Makes the profile's folder and, when the profile does not exist yet, brings
// the settings over from where earlier versions kept them: the copy Windows
// made in the user's VirtualStore, else the Windows directory. The old files
// are only read.
void prepareUserProfile();
