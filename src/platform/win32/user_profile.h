#pragma once

// The user profile as the profile API is given it: a bare name, which the
// API looks for in the Windows directory.
inline constexpr char const* kUserProfile = "QuorvelEFIS.cfg";
