#include "platform/win32/command_arguments.h"

#include "platform/win32/text_encoding.h"

#include <windows.h>

#include <shellapi.h>

std::vector<std::string> commandArguments()
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* const wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrowFromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}
