#include "platform/linux/posix_ipc_transport.h"
#include "support/live_link_tests.h"

#include <filesystem>
#include <stdlib.h>

namespace {

struct PosixPlatform {
    static std::string ipcDirectory()
    {
        char pattern[] = "/tmp/tarnex-ipc-XXXXXX";
        char const* made = mkdtemp(pattern);
        return made ? made : "";
    }
    static void removeIpcDirectory(std::string const& directory) { std::filesystem::remove_all(directory); }
    static std::unique_ptr<IpcTransport> transport(std::string const& directory)
    {
        return std::make_unique<PosixIpcTransport>(directory);
    }
};

} // namespace

namespace live_link {
INSTANTIATE_TYPED_TEST_SUITE_P(Posix, LiveLink, PosixPlatform);
} // namespace live_link
