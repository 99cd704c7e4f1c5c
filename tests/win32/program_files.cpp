#include "program_files.h"

#include <windows.h>

std::string buildDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    for (int level = 0; level < 2; ++level)
        directory.erase(directory.find_last_of("\\/"));
    return directory;
}

std::string tarnexProgram()
{
    return buildDirectory() + "\\src\\platform\\win32\\tarnex.exe";
}

std::string simProgram()
{
    return buildDirectory() + "\\tools\\sim\\tarnex-sim.exe";
}

std::string packedDefaultLayout()
{
    return buildDirectory() + "\\layouts\\a320cfm-basic.bin";
}
