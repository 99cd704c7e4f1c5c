#include "ewd/ewd_display.h"
#include "platform/linux/gtk_program.h"

int main(int argc, char** argv)
{
    return runTarnexProgram(argc, argv, [](PlatformServices& services, std::string profilePath, std::string profileSection) {
        return std::make_unique<EwdDisplay>(services, std::move(profilePath), std::move(profileSection));
    });
}
