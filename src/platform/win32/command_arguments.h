#pragma once

#include <string>
#include <vector>

// The program's arguments after its own name, split by the system's rules, in
// the ANSI code page like every other file name the program handles.
std::vector<std::string> commandArguments();
